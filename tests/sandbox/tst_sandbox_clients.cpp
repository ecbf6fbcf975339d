// The sandbox's client operations: the search by each field with the LIKE
// pattern the client sends (names without regard to accents), only within
// the login's company and bounded; the balance; and the credit check with
// its Spanish reasons.

#include "SandboxFixture.h"
#include "server/TextHelpers.h"

using namespace korvel;
using namespace korvel::sandbox;
using namespace korvel::sandbox::testing;

class TestSandboxClients : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();
    void unknownField();
    void balance();
    void credit_data();
    void credit();
    void creditOfOthers_data();
    void creditOfOthers();

private:
    Answer<ops::ListaCliente_Consulta> find(const QString& user, int field, const QString& value)
    {
        ops::ListaCliente_Consulta::Request rq;
        rq.User = user;
        rq.Pass = QStringLiteral("demo");
        rq.Field = field;
        rq.Value = value;
        return m_sandbox.call<ops::ListaCliente_Consulta>(rq);
    }

    SandboxFixture m_sandbox;
};

void TestSandboxClients::initTestCase()
{
    QVERIFY(m_sandbox.start());
}

void TestSandboxClients::search_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("holds");   // normalized text every result's field holds
    QTest::addColumn<QString>("countSql"); // how many clients must come back

    QSqlQuery q = m_sandbox.store().exec(QStringLiteral(
        "SELECT NuClienteKorvel, RFC, Email, Telefono FROM clientes WHERE NuEmpresa = 0 AND EsPublicoGeneral = 0 AND Email <> ''"
        " ORDER BY NuClienteKorvel LIMIT 1 OFFSET 4"));
    QVERIFY(q.next());
    const QString number = q.value(0).toString();
    const QString rfc = q.value(1).toString();
    const QString email = q.value(2).toString();
    const QString phone = q.value(3).toString();
    auto count = [](const QString& where) { return QStringLiteral("SELECT COUNT(*) FROM clientes WHERE ") + where; };

    QTest::newRow("name, accents ignored") << "demo" << 1 << "%PEREZ%" << "PEREZ"
                                           << count("NuEmpresa = 0 AND (Nombre LIKE '%PÉREZ%' OR Nombre LIKE '%PEREZ%'"
                                                    " OR Comercial LIKE '%pérez%' OR Comercial LIKE '%perez%')");
    QTest::newRow("name in lower case") << "demo" << 1 << "%perez%" << "PEREZ"
                                        << count("NuEmpresa = 0 AND (Nombre LIKE '%PÉREZ%' OR Nombre LIKE '%PEREZ%'"
                                                 " OR Comercial LIKE '%pérez%' OR Comercial LIKE '%perez%')");
    QTest::newRow("trade name") << "demo" << 1 << "%FERRETERIA%" << "FERRETERIA"
                                << count("NuEmpresa = 0 AND (Nombre LIKE '%FERRETERÍA%' OR Comercial LIKE '%Ferretería%')");
    QTest::newRow("RFC prefix") << "demo" << 2 << rfc.left(4) + "%" << rfc.left(4)
                                << count("NuEmpresa = 0 AND RFC LIKE '" + rfc.left(4) + "%'");
    QTest::newRow("e-mail upper-cased by the client") << "demo" << 3 << "%" + email.toUpper() + "%" << email.toUpper()
                                                      << count("NuEmpresa = 0 AND Email = '" + email + "'");
    QTest::newRow("telephone") << "demo" << 4 << "%" + phone.right(7) + "%" << phone.right(7)
                               << count("NuEmpresa = 0 AND Telefono LIKE '%" + phone.right(7) + "%'");
    QTest::newRow("telephone typed with separators") << "demo" << 4 << "%" + phone.left(3) + "-" + phone.mid(3, 3) + "%"
                                                     << phone.left(6) << count("NuEmpresa = 0 AND Telefono LIKE '%" + phone.left(6) + "%'");
    QTest::newRow("number exactly") << "demo" << 5 << number << number << QStringLiteral("SELECT 1");
    QTest::newRow("number containing") << "demo" << 5 << "%1%" << "1"
                                       << count("NuEmpresa = 0 AND CAST(NuClienteKorvel AS TEXT) LIKE '%1%'");
    QTest::newRow("everyone of the first company") << "demo" << 5 << "%" << "" << count("NuEmpresa = 0");
    QTest::newRow("everyone of the second company") << "1@demo" << 5 << "%" << "" << count("NuEmpresa = 1");
    QTest::newRow("first company's number from the second") << "1@demo" << 5 << number << number << QStringLiteral("SELECT 0");
    QTest::newRow("nothing") << "demo" << 1 << "%ZZQQXX%" << "" << QStringLiteral("SELECT 0");
    QTest::newRow("empty pattern") << "demo" << 1 << "" << "" << QStringLiteral("SELECT 0");
}

void TestSandboxClients::search()
{
    QFETCH(QString, user);
    QFETCH(int, field);
    QFETCH(QString, value);
    QFETCH(QString, holds);
    QFETCH(QString, countSql);
    const auto a = find(user, field, value);
    QVERIFY2(a.response, qPrintable(a.fault));
    const TListaCliente& list = a.response->result;
    QCOMPARE(qsizetype(list.ArrayCliente.size()), qsizetype(list.Count));
    QCOMPARE(list.Count, m_sandbox.scalar(countSql).toInt());
    const int company = user.startsWith(QLatin1String("1@")) ? 1 : 0;
    for (const TCliente& c : list.ArrayCliente) {
        QCOMPARE(m_sandbox.scalar(QStringLiteral("SELECT NuEmpresa FROM clientes WHERE NuClienteKorvel = ?"), {c.NuClienteKorvel}).toInt(),
                 company);
        const QString text = field == 1 ? normalizeSearchText(c.Nombre + u'|' + c.Comercial)
                             : field == 2 ? c.RFC.toUpper()
                             : field == 3 ? c.Email.toUpper()
                             : field == 4 ? c.Telefono
                                          : QString::number(c.NuClienteKorvel);
        QVERIFY2(text.contains(holds), qPrintable(text));
    }
}

void TestSandboxClients::unknownField()
{
    const auto a = find(QStringLiteral("demo"), 9, QStringLiteral("%"));
    QVERIFY(!a.response);
    QVERIFY2(a.fault.startsWith(QStringLiteral("Campo de búsqueda no válido: 9")), qPrintable(a.fault));
}

void TestSandboxClients::balance()
{
    // Balance in pesos: peso documents plus dollar documents at the collection rate.
    const int nu = m_sandbox.scalar(QStringLiteral("SELECT NuCliente FROM cliente_movs WHERE NuMoneda = 2 AND ImporteDeuda > 0"
                                                   " AND NuEmpresa = 0 ORDER BY NuCliente")).toInt();
    QVERIFY(nu > 0);
    const double expected = m_sandbox.scalar(QStringLiteral(
        "SELECT SUM(CASE WHEN NuMoneda = 1 THEN ImporteDeuda ELSE ImporteDeuda * 18.20 END) FROM cliente_movs"
        " WHERE NuCliente = ? AND ImporteDeuda > 0.005"), {nu}).toDouble();
    const auto a = find(QStringLiteral("demo"), 5, QString::number(nu));
    QVERIFY2(a.response && a.response->result.Count == 1, qPrintable(a.fault));
    QVERIFY(qAbs(a.response->result.ArrayCliente[0].Saldo - expected) < 0.01);
}

void TestSandboxClients::credit_data()
{
    QTest::addColumn<int>("tipoPago");
    QTest::addColumn<double>("limite");
    QTest::addColumn<bool>("suspendido");
    QTest::addColumn<QString>("debts");   // "amount:currency:days until due;..."
    QTest::addColumn<int>("moneda");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");
    QTest::newRow("cash client") << 1 << 0.0 << false << "" << 1 << false
                                 << "El cliente no tiene crédito autorizado, solo puede comprar de contado";
    QTest::newRow("credit without limit") << 2 << 0.0 << false << "" << 1 << false
                                          << "El cliente no tiene crédito autorizado, solo puede comprar de contado";
    QTest::newRow("suspended") << 2 << 50000.0 << true << "" << 1 << false
                               << "El crédito del cliente está suspendido, consulte al departamento de crédito y cobranza";
    QTest::newRow("overdue beyond the grace days") << 2 << 50000.0 << false << "1000:1:-30;250.5:1:10" << 1 << false
        << QStringLiteral("El cliente tiene 1 documento(s) vencido(s) por $1,000.00; el más antiguo venció el %1")
               .arg(dayText(QDate::currentDate().addDays(-30)));
    QTest::newRow("overdue within the grace days") << 2 << 50000.0 << false << "1000:1:-3" << 1 << true
                                                   << "Crédito disponible: $49,000.00 de $50,000.00";
    QTest::newRow("over the limit") << 2 << 1000.0 << false << "1500:1:15" << 1 << false
                                    << "El cliente rebasó su límite de crédito: saldo $1,500.00, límite $1,000.00";
    QTest::newRow("available") << 2 << 10000.0 << false << "2500:1:20" << 1 << true << "Crédito disponible: $7,500.00 de $10,000.00";
    QTest::newRow("dollar debt at the collection rate") << 2 << 10000.0 << false << "100:2:20" << 1 << true
                                                        << "Crédito disponible: $8,180.00 de $10,000.00";
    QTest::newRow("asked in dollars") << 2 << 18200.0 << false << "" << 2 << true << "Crédito disponible: $1,000.00 USD de $1,000.00 USD";
}

void TestSandboxClients::credit()
{
    QFETCH(int, tipoPago);
    QFETCH(double, limite);
    QFETCH(bool, suspendido);
    QFETCH(QString, debts);
    QFETCH(int, moneda);
    QFETCH(bool, ok);
    QFETCH(QString, message);

    // A client of the first company made into the case at hand.
    const int nu = 7;
    Store& store = m_sandbox.store();
    store.exec(QStringLiteral("UPDATE cliente_movs SET ImporteDeuda = 0 WHERE NuCliente = ?"), {nu});
    store.exec(QStringLiteral("UPDATE clientes SET NuTipoPago = ?, Limite = ?, CreditoSuspendido = ?, EsPublicoGeneral = 0"
                              " WHERE NuClienteKorvel = ?"), {tipoPago, limite, suspendido ? 1 : 0, nu});
    for (const QString& d : debts.split(u';', Qt::SkipEmptyParts)) {
        const QStringList f = d.split(u':');
        const QDate due = QDate::currentDate().addDays(f[2].toInt());
        store.exec(QStringLiteral("INSERT INTO cliente_movs (NuEmpresa, NuCliente, Fecha, FechaVence, NuMoneda, ImporteOriginal, ImporteDeuda)"
                                  " VALUES (0, ?, ?, ?, ?, ?, ?)"),
                   {nu, storeDate(due.addDays(-30)), storeDate(due), f[1].toInt(), f[0].toDouble(), f[0].toDouble()});
    }

    ops::SelePuedeDarCredito::Request rq;
    rq.User = QStringLiteral("demo");
    rq.Pass = QStringLiteral("demo");
    rq.NuCliente = nu;
    rq.NuMoneda = moneda;
    const auto a = m_sandbox.call<ops::SelePuedeDarCredito>(rq);
    QVERIFY2(a.response, qPrintable(a.fault));
    QCOMPARE(a.response->result, ok);
    QCOMPARE(a.response->Ms, message);
}

void TestSandboxClients::creditOfOthers_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("client");
    QTest::addColumn<QString>("message");
    const int publico = m_sandbox.scalar(QStringLiteral("SELECT NuClienteKorvel FROM clientes WHERE NuEmpresa = 0 AND EsPublicoGeneral = 1")).toInt();
    const int second = m_sandbox.scalar(QStringLiteral("SELECT MIN(NuClienteKorvel) FROM clientes WHERE NuEmpresa = 1 AND NuTipoPago = 2")).toInt();
    QTest::newRow("unknown client") << "demo" << 999999 << "El cliente 999999 no existe";
    QTest::newRow("client of the other company") << "demo" << second << QStringLiteral("El cliente %1 no existe").arg(second);
    QTest::newRow("counter sales client") << "demo" << publico
                                          << "El cliente no tiene crédito autorizado, solo puede comprar de contado";
}

void TestSandboxClients::creditOfOthers()
{
    QFETCH(QString, user);
    QFETCH(int, client);
    QFETCH(QString, message);
    ops::SelePuedeDarCredito::Request rq;
    rq.User = user;
    rq.Pass = QStringLiteral("demo");
    rq.NuCliente = client;
    rq.NuMoneda = 1;
    const auto a = m_sandbox.call<ops::SelePuedeDarCredito>(rq);
    QVERIFY2(a.response, qPrintable(a.fault));
    QVERIFY(!a.response->result);
    QCOMPARE(a.response->Ms, message);
}

QTEST_GUILESS_MAIN(TestSandboxClients)
#include "tst_sandbox_clients.moc"
