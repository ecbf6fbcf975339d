// Collections on the sandbox: a client's open documents, a payment spread
// over them with its receipt, the refusals that leave the account as it was,
// concurrent payments on the same balances, the invoice and payment history
// and the fiscal documents as records and PDFs.

#include "SandboxCalls.h"

#include <QUuid>

#include <atomic>
#include <thread>

using namespace korvel;
using namespace korvel::testing;

namespace {

QString movementText(std::initializer_list<int> movements)
{
    QString text;
    int filled = 0;
    for (int m : movements) {
        text += QString::number(m) + u',';
        ++filled;
    }
    for (; filled < 10; ++filled)
        text += QStringLiteral("0,");
    return text;
}

} // namespace

class TestSandboxCollections : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void openDocumentsByCurrency();
    void paymentOverTwoDocuments();
    void refusedPaymentsChangeNothing_data();
    void refusedPaymentsChangeNothing();
    void exactBalanceAcceptedAndDollarDocumentPaidInPesos();
    void concurrentPaymentsNeverPayTwice();
    void documentHistoryAndSaleRecords();
    void paymentHistoryOfAnotherClientIsRefused_data();
    void paymentHistoryOfAnotherClientIsRefused();
    void pdfsOfDocuments();

private:
    struct Account {
        int client = 0;
        int invoiceSale = 0, ticketSale = 0;
        int invoiceDoc = 0, ticketDoc = 0, dollarDoc = 0, paidDoc = 0;
        QString invoiceUuid;
    };
    // A client of company 0 with a stamped invoice (1,160.00), a ticket
    // (580.00), a dollar document (100.00 USD) and a paid document.
    Account newAccount(const QString& name);
    int newClient(int company, const QString& name);
    int newDocument(int company, int client, double balance, int currency = 1, const QString& due = QStringLiteral("2026-11-30"));
    double balance(int movement);

    ops::Cliente_AbonoMultiple::Request payment(const QString& movements, double amount, int currency = 1)
    {
        auto rq = SandboxCalls::request<ops::Cliente_AbonoMultiple>();
        rq.NUCLIENTE_MOVS = movements;
        rq.NUUSER = 1;
        rq.NUALMACEN = 1;
        rq.PAGONUMONEDA = currency;
        rq.ABONO = amount;
        rq.TCCOBRO = 18.20;
        rq.FECHAPAGO.date = QDate::currentDate();
        rq.NUMETODOPAGOCOB = QStringLiteral("R");
        rq.NUMOPERACION = QStringLiteral("SPEI 884412");
        rq.DESCRIPCION = QStringLiteral("Abono");
        return rq;
    }

    SandboxCalls m_sb;
};

void TestSandboxCollections::initTestCase()
{
    QString error;
    QVERIFY2(m_sb.start(&error), qPrintable(error));
}

int TestSandboxCollections::newClient(int company, const QString& name)
{
    return m_sb.insert(QStringLiteral("clientes"), {{"NuEmpresa", company},
                                                   {"Nombre", name},
                                                   {"RFC", QStringLiteral("PRU010101AB1")},
                                                   {"NuTipoPago", 2},
                                                   {"DiasCredito", 30}});
}

int TestSandboxCollections::newDocument(int company, int client, double amount, int currency, const QString& due)
{
    return m_sb.insert(QStringLiteral("cliente_movs"), {{"NuEmpresa", company},
                                                       {"NuCliente", client},
                                                       {"Tipo", 2},
                                                       {"Fecha", QStringLiteral("2026-10-01")},
                                                       {"FechaVence", due},
                                                       {"NuMoneda", currency},
                                                       {"Descripcion", QStringLiteral("Saldo inicial")},
                                                       {"FolioUnico", QStringLiteral("SI-%1").arg(client)},
                                                       {"ImporteOriginal", amount},
                                                       {"ImporteDeuda", amount}});
}

double TestSandboxCollections::balance(int movement)
{
    return m_sb.scalar(QStringLiteral("SELECT ImporteDeuda FROM cliente_movs WHERE NuCliente_Mov = ?"), {movement}).toDouble();
}

TestSandboxCollections::Account TestSandboxCollections::newAccount(const QString& name)
{
    Account a;
    a.client = newClient(0, name);
    static int folio = 90000;
    ++folio;
    a.invoiceUuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    const int timbre = m_sb.insert(QStringLiteral("timbres"), {{"UUID", a.invoiceUuid},
                                                              {"Fecha", QStringLiteral("2026-10-05T10:00:00")},
                                                              {"FechaTimbrado", QStringLiteral("2026-10-05T10:01:00")},
                                                              {"NuCertificadoSAT", QStringLiteral("00001000000509846663")},
                                                              {"Sello", QStringLiteral("c2VsbG8gZGUgcHJ1ZWJh")},
                                                              {"SelloSAT", QStringLiteral("c2VsbG8gU0FU")},
                                                              {"CadenaTim", QStringLiteral("||1.1|x||")}});
    a.invoiceSale = m_sb.insert(QStringLiteral("ventas"), {{"NuEmpresa", 0},
                                                          {"NuAlmacen", 1},
                                                          {"NuCliente", a.client},
                                                          {"Tipo", 2},
                                                          {"Serie", QStringLiteral("A")},
                                                          {"Folio", folio},
                                                          {"Fecha", QStringLiteral("2026-10-05T10:00:00")},
                                                          {"SubTotal", 1000.0},
                                                          {"IVA", 160.0},
                                                          {"Total", 1160.0},
                                                          {"Credito", 1},
                                                          {"MetodoPago", QStringLiteral("PPD")},
                                                          {"FormaPago", QStringLiteral("99")},
                                                          {"UsoCFDI", QStringLiteral("G01")},
                                                          {"NuTimbre", timbre},
                                                          {"Receptor", name},
                                                          {"RFCReceptor", QStringLiteral("PRU010101AB1")}});
    for (int line = 0; line < 2; ++line)
        m_sb.insert(QStringLiteral("ventas_mov"), {{"FolioVenta", a.invoiceSale},
                                                  {"ID", line == 0 ? QStringLiteral("PRUEBA-1") : QStringLiteral("PRUEBA-2")},
                                                  {"Unidad", QStringLiteral("PZA")},
                                                  {"Descripcion", line == 0 ? QStringLiteral("MARTILLO UÑA CURVA") : QStringLiteral("PINZA DE CORTE")},
                                                  {"Cantidad", line == 0 ? 2.0 : 1.0},
                                                  {"ValorUnitario", line == 0 ? 300.0 : 400.0},
                                                  {"Importe", line == 0 ? 600.0 : 400.0},
                                                  {"TasaIVA", 16.0},
                                                  {"IVA", line == 0 ? 96.0 : 64.0},
                                                  {"Total", line == 0 ? 696.0 : 464.0}});
    a.invoiceDoc = m_sb.insert(QStringLiteral("cliente_movs"), {{"NuEmpresa", 0},
                                                               {"NuCliente", a.client},
                                                               {"Tipo", 1},
                                                               {"FolioVenta", a.invoiceSale},
                                                               {"Fecha", QStringLiteral("2026-10-05")},
                                                               {"FechaVence", QStringLiteral("2026-11-04")},
                                                               {"Descripcion", QStringLiteral("Factura A-%1").arg(folio)},
                                                               {"SerieFactura", QStringLiteral("A")},
                                                               {"FolioFactura", folio},
                                                               {"ImporteOriginal", 1160.0},
                                                               {"ImporteDeuda", 1160.0},
                                                               {"UUID", a.invoiceUuid}});
    a.ticketSale = m_sb.insert(QStringLiteral("ventas"), {{"NuEmpresa", 0},
                                                         {"NuAlmacen", 1},
                                                         {"NuCliente", a.client},
                                                         {"Tipo", 5},
                                                         {"Serie", QStringLiteral("T")},
                                                         {"Folio", folio},
                                                         {"Fecha", QStringLiteral("2026-10-20T16:30:00")},
                                                         {"SubTotal", 500.0},
                                                         {"IVA", 80.0},
                                                         {"Total", 580.0},
                                                         {"Credito", 1}});
    m_sb.insert(QStringLiteral("ventas_mov"), {{"FolioVenta", a.ticketSale},
                                              {"ID", QStringLiteral("PRUEBA-3")},
                                              {"Descripcion", QStringLiteral("CINTA MÉTRICA 5 M")},
                                              {"Cantidad", 5.0},
                                              {"ValorUnitario", 100.0},
                                              {"Importe", 500.0},
                                              {"IVA", 80.0},
                                              {"Total", 580.0}});
    a.ticketDoc = m_sb.insert(QStringLiteral("cliente_movs"), {{"NuEmpresa", 0},
                                                              {"NuCliente", a.client},
                                                              {"Tipo", 1},
                                                              {"FolioVenta", a.ticketSale},
                                                              {"Fecha", QStringLiteral("2026-10-20")},
                                                              {"FechaVence", QStringLiteral("2026-11-19")},
                                                              {"Descripcion", QStringLiteral("Ticket T-%1").arg(folio)},
                                                              {"SerieTicket", QStringLiteral("T")},
                                                              {"FolioTicket", folio},
                                                              {"ImporteOriginal", 580.0},
                                                              {"ImporteDeuda", 580.0}});
    a.dollarDoc = newDocument(0, a.client, 100.0, 2);
    a.paidDoc = m_sb.insert(QStringLiteral("cliente_movs"), {{"NuEmpresa", 0},
                                                            {"NuCliente", a.client},
                                                            {"Fecha", QStringLiteral("2026-09-01")},
                                                            {"FechaVence", QStringLiteral("2026-10-01")},
                                                            {"ImporteOriginal", 300.0},
                                                            {"ImporteDeuda", 0.0}});
    return a;
}

void TestSandboxCollections::openDocumentsByCurrency()
{
    const Account a = newAccount(QStringLiteral("Ferretería La Deuda"));
    auto rq = SandboxCalls::request<ops::ListaCliente_Deuda>();
    rq.NuCliente = a.client;
    rq.NuMoneda = 1;
    const TListaCobranza pesos = m_sb.call<ops::ListaCliente_Deuda>(rq).result;
    QCOMPARE(pesos.Count, 2);
    // Oldest due date first; the paid and the dollar documents are not there.
    QCOMPARE(pesos.ArrayCobranza[0].NuCliente_Mov, a.invoiceDoc);
    QCOMPARE(pesos.ArrayCobranza[0].ImporteDeuda, 1160.0);
    QVERIFY(pesos.ArrayCobranza[0].FolioFactura > 0);
    QCOMPARE(pesos.ArrayCobranza[0].UUID, a.invoiceUuid);
    QCOMPARE(pesos.ArrayCobranza[0].FechaVence->date, QDate(2026, 11, 4));
    QCOMPARE(pesos.ArrayCobranza[1].NuCliente_Mov, a.ticketDoc);
    QVERIFY(pesos.ArrayCobranza[1].FolioTicket > 0);
    QCOMPARE(pesos.ArrayCobranza[1].FolioFactura, 0);

    rq.NuMoneda = 2;
    const TListaCobranza dollars = m_sb.call<ops::ListaCliente_Deuda>(rq).result;
    QCOMPARE(dollars.Count, 1);
    QCOMPARE(dollars.ArrayCobranza[0].NuCliente_Mov, a.dollarDoc);

    rq.NuMoneda = 3;
    QVERIFY(m_sb.fault<ops::ListaCliente_Deuda>(rq).contains(QStringLiteral("moneda")));
    rq.NuMoneda = 1;
    rq.NuCliente = newClient(1, QStringLiteral("Cliente de otra empresa"));
    QCOMPARE(m_sb.fault<ops::ListaCliente_Deuda>(rq), QStringLiteral("El cliente %1 no existe").arg(rq.NuCliente));
}

void TestSandboxCollections::paymentOverTwoDocuments()
{
    const Account a = newAccount(QStringLiteral("Tlapalería Dos Pagos"));
    const int lastReceipt = m_sb.scalar(QStringLiteral("SELECT Ultimo FROM folios WHERE NuEmpresa = 0 AND Documento = 'RECIBO'")).toInt();

    // 1,500.00 pays the invoice (1,160.00) and 340.00 of the ticket.
    const auto first = m_sb.call<ops::Cliente_AbonoMultiple>(payment(movementText({a.invoiceDoc, a.ticketDoc}), 1500));
    QVERIFY(first.result);
    QCOMPARE(first.FOLIOABONO, lastReceipt + 1);
    QVERIFY(first.FOLIOINTERNO > 0);
    QCOMPARE(balance(a.invoiceDoc), 0.0);
    QCOMPARE(balance(a.ticketDoc), 240.0);

    auto debts = SandboxCalls::request<ops::ListaCliente_Deuda>();
    debts.NuCliente = a.client;
    debts.NuMoneda = 1;
    const TListaCobranza open = m_sb.call<ops::ListaCliente_Deuda>(debts).result;
    QCOMPARE(open.Count, 1);
    QCOMPARE(open.ArrayCobranza[0].ImporteDeuda, 240.0);

    // The receipt: stamped, because it paid a CFDI, with one related
    // document per paid document.
    auto pagos = SandboxCalls::request<ops::ListaCliente_Pagos>();
    pagos.NuCliente = a.client;
    const TListaCobranza receipts = m_sb.call<ops::ListaCliente_Pagos>(pagos).result;
    QCOMPARE(receipts.Count, 1);
    const TCobranza& r = receipts.ArrayCobranza[0];
    QCOMPARE(r.SerieFactura, QStringLiteral("P"));
    QCOMPARE(r.FolioFactura, first.FOLIOABONO);
    QCOMPARE(r.ImporteOriginal, 1500.0);
    QVERIFY(!r.UUID.isEmpty());

    auto recibo = SandboxCalls::request<ops::GeneraClass_Recibo>();
    recibo.Serie = r.SerieFactura;
    recibo.Folio = r.FolioFactura;
    const TCFDI cfdi = m_sb.call<ops::GeneraClass_Recibo>(recibo).result;
    QCOMPARE(cfdi.UUID, r.UUID);
    QCOMPARE(cfdi.TipoDeComprobante, QStringLiteral("P"));
    QCOMPARE(cfdi.Folio, QString::number(first.FOLIOABONO));
    QCOMPARE(cfdi.Monto, 1500.0);
    QCOMPARE(cfdi.NumOperacion, QStringLiteral("SPEI 884412"));
    QCOMPARE(cfdi.FormaDePagoP, QStringLiteral("03"));
    QVERIFY(cfdi.QRCodeMin.contains(cfdi.UUID));
    QVERIFY(!cfdi.Fecha.isEmpty());
    QCOMPARE(cfdi.Count, 2);
    QCOMPARE(cfdi.ArrayConcepto[0].IdDocumento, a.invoiceUuid);
    QCOMPARE(cfdi.ArrayConcepto[0].ImpSaldoAnt, 1160.0);
    QCOMPARE(cfdi.ArrayConcepto[0].ImpPagado, 1160.0);
    QCOMPARE(cfdi.ArrayConcepto[0].ImpSaldoInsoluto, 0.0);
    QCOMPARE(cfdi.ArrayConcepto[1].Serie, QStringLiteral("T"));
    QCOMPARE(cfdi.ArrayConcepto[1].ImpPagado, 340.0);
    QCOMPARE(cfdi.ArrayConcepto[1].ImpSaldoInsoluto, 240.0);
    QCOMPARE(cfdi.ArrayConcepto[1].NumParcialidad, 1);

    // The same receipt by the payment number of the history row.
    recibo.Serie = QStringLiteral("NUCLIENTE_MOV");
    recibo.Folio = r.NuCliente_Mov;
    QCOMPARE(m_sb.call<ops::GeneraClass_Recibo>(recibo).result.UUID, r.UUID);

    // The rest of the ticket is its second instalment; the document that is
    // already paid is refused.
    const auto second = m_sb.call<ops::Cliente_AbonoMultiple>(payment(movementText({a.ticketDoc}), 240));
    QVERIFY(second.result);
    QCOMPARE(second.FOLIOABONO, first.FOLIOABONO + 1);
    QCOMPARE(balance(a.ticketDoc), 0.0);
    recibo.Serie = QStringLiteral("P");
    recibo.Folio = second.FOLIOABONO;
    const TCFDI secondCfdi = m_sb.call<ops::GeneraClass_Recibo>(recibo).result;
    QCOMPARE(secondCfdi.Count, 1);
    QCOMPARE(secondCfdi.ArrayConcepto[0].NumParcialidad, 2);
    // Nothing paid here is a CFDI: the receipt is not stamped.
    QVERIFY(secondCfdi.UUID.isEmpty());
    QVERIFY(m_sb.fault<ops::Cliente_AbonoMultiple>(payment(movementText({a.ticketDoc}), 1)).contains(QStringLiteral("ya está pagado")));
}

void TestSandboxCollections::refusedPaymentsChangeNothing_data()
{
    QTest::addColumn<QString>("movements"); // %1 invoice, %2 ticket, %3 paid, %4 other client, %5 other company
    QTest::addColumn<double>("amount");
    QTest::addColumn<int>("currency");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("operacion");
    QTest::addColumn<int>("daysFromToday");
    QTest::addColumn<QString>("expected");

    const QString r = QStringLiteral("R");
    const QString op = QStringLiteral("123");
    QTest::newRow("one cent over the balance") << "%1,%2,0,0,0,0,0,0,0,0," << 1740.01 << 1 << 18.2 << r << op << 0 << "mayor a la deuda";
    QTest::newRow("paid document") << "%1,%3," << 10.0 << 1 << 18.2 << r << op << 0 << "ya está pagado";
    QTest::newRow("another company's document") << "%5," << 10.0 << 1 << 18.2 << r << op << 0 << "no existe";
    QTest::newRow("unknown movement") << "99999999," << 10.0 << 1 << 18.2 << r << op << 0 << "no existe";
    QTest::newRow("two clients") << "%1,%4," << 10.0 << 1 << 18.2 << r << op << 0 << "clientes distintos";
    QTest::newRow("semicolons") << "%1;%2" << 10.0 << 1 << 18.2 << r << op << 0 << "no es válida";
    QTest::newRow("negative movement") << "-%1," << 10.0 << 1 << 18.2 << r << op << 0 << "no es válida";
    QTest::newRow("decimal movement") << "%1.5," << 10.0 << 1 << 18.2 << r << op << 0 << "no es válida";
    QTest::newRow("repeated movement") << "%1,%1," << 10.0 << 1 << 18.2 << r << op << 0 << "repetido";
    QTest::newRow("empty slots only") << "0,0,0,0,0,0,0,0,0,0," << 10.0 << 1 << 18.2 << r << op << 0 << "al menos un documento";
    QTest::newRow("eleven documents") << "1,2,3,4,5,6,7,8,9,10,11," << 10.0 << 1 << 18.2 << r << op << 0 << "a lo más 10";
    QTest::newRow("negative amount") << "%1," << -5.0 << 1 << 18.2 << r << op << 0 << "mayor a cero";
    QTest::newRow("zero amount") << "%1," << 0.0 << 1 << 18.2 << r << op << 0 << "mayor a cero";
    QTest::newRow("unknown currency") << "%1," << 10.0 << 3 << 18.2 << r << op << 0 << "moneda";
    QTest::newRow("dollars without rate") << "%1," << 10.0 << 2 << 0.0 << r << op << 0 << "tipo de cambio";
    QTest::newRow("unknown payment form") << "%1," << 10.0 << 1 << 18.2 << "X" << op << 0 << "forma de pago";
    QTest::newRow("no operation number") << "%1," << 10.0 << 1 << 18.2 << r << "   " << 0 << "número de operación";
    QTest::newRow("payment next week") << "%1," << 10.0 << 1 << 18.2 << r << op << 7 << "posterior a hoy";
}

void TestSandboxCollections::refusedPaymentsChangeNothing()
{
    QFETCH(QString, movements);
    QFETCH(double, amount);
    QFETCH(int, currency);
    QFETCH(double, rate);
    QFETCH(QString, method);
    QFETCH(QString, operacion);
    QFETCH(int, daysFromToday);
    QFETCH(QString, expected);

    const Account a = newAccount(QStringLiteral("Cliente Rechazos"));
    const int otherClient = newDocument(0, newClient(0, QStringLiteral("Otro Cliente")), 500);
    const int otherCompany = newDocument(1, newClient(1, QStringLiteral("Cliente Sauz")), 500);
    auto snapshot = [&] {
        return QStringList{m_sb.scalar(QStringLiteral("SELECT SUM(ImporteDeuda) FROM cliente_movs")).toString(),
                           m_sb.scalar(QStringLiteral("SELECT COUNT(*) FROM abonos")).toString(),
                           m_sb.scalar(QStringLiteral("SELECT COUNT(*) FROM abonos_mov")).toString(),
                           m_sb.scalar(QStringLiteral("SELECT COUNT(*) FROM timbres")).toString(),
                           m_sb.scalar(QStringLiteral("SELECT SUM(Ultimo) FROM folios")).toString()};
    };
    const QStringList before = snapshot();

    const int keys[] = {a.invoiceDoc, a.ticketDoc, a.paidDoc, otherClient, otherCompany};
    for (int i = 0; i < 5; ++i)
        movements.replace(QStringLiteral("%") + QString::number(i + 1), QString::number(keys[i]));
    auto rq = payment(movements, amount, currency);
    rq.TCCOBRO = rate;
    rq.NUMETODOPAGOCOB = method;
    rq.NUMOPERACION = operacion;
    rq.FECHAPAGO.date = QDate::currentDate().addDays(daysFromToday);
    const QString fault = m_sb.fault<ops::Cliente_AbonoMultiple>(rq);
    QVERIFY2(fault.contains(expected), qPrintable(fault));
    QCOMPARE(m_sb.lastError(), fault);
    QCOMPARE(snapshot(), before);
}

void TestSandboxCollections::exactBalanceAcceptedAndDollarDocumentPaidInPesos()
{
    const Account a = newAccount(QStringLiteral("Cliente Exacto"));
    // A balance kept with a fraction of a cent is paid by its amount in cents.
    m_sb.store().exec(QStringLiteral("UPDATE cliente_movs SET ImporteDeuda = 100.004 WHERE NuCliente_Mov = ?"), {a.ticketDoc});
    QVERIFY(m_sb.fault<ops::Cliente_AbonoMultiple>(payment(movementText({a.ticketDoc}), 100.01)).contains(QStringLiteral("mayor")));
    QVERIFY(m_sb.call<ops::Cliente_AbonoMultiple>(payment(movementText({a.ticketDoc}), 100.00)).result);
    QCOMPARE(balance(a.ticketDoc), 0.0);

    // 910.00 pesos at 18.20 pay 50.00 of the 100.00 dollars.
    auto rq = payment(movementText({a.dollarDoc}), 910.00, 1);
    QVERIFY(m_sb.call<ops::Cliente_AbonoMultiple>(rq).result);
    QCOMPARE(balance(a.dollarDoc), 50.0);
    // and 50.00 dollars the rest.
    QVERIFY(m_sb.call<ops::Cliente_AbonoMultiple>(payment(movementText({a.dollarDoc}), 50.00, 2)).result);
    QCOMPARE(balance(a.dollarDoc), 0.0);
}

void TestSandboxCollections::concurrentPaymentsNeverPayTwice()
{
    const int client = newClient(0, QStringLiteral("Cliente Concurrente"));
    QList<int> documents;
    for (int i = 0; i < 12; ++i)
        documents.append(newDocument(0, client, 100.0));

    // Two back offices on the same file, each paying every document in full.
    std::atomic<int> accepted{0}, refused{0}, started{0};
    auto worker = [&](bool reverse) {
        sandbox::SandboxOptions options;
        options.database = m_sb.databaseFile();
        sandbox::SandboxServer server(options);
        QString error;
        if (!server.start(&error))
            return;
        ++started;
        QList<int> order = documents;
        if (reverse)
            std::reverse(order.begin(), order.end());
        for (int movement : order) {
            auto rq = payment(movementText({movement}), 100.0);
            int status = 0;
            const QByteArray answer = server.handleSoap(soap::encodeRequest(ops::Cliente_AbonoMultiple::info(), &rq), &status);
            ops::Cliente_AbonoMultiple::Response rs;
            try {
                soap::decodeResponse(answer, ops::Cliente_AbonoMultiple::info(), &rs);
                ++(rs.result ? accepted : refused);
            } catch (const ServiceError&) {
                ++refused;
            }
        }
    };
    std::thread one(worker, false);
    std::thread two(worker, true);
    one.join();
    two.join();

    QCOMPARE(started.load(), 2);
    QCOMPARE(accepted.load(), int(documents.size()));
    QCOMPARE(refused.load(), int(documents.size()));
    for (int movement : documents) {
        QCOMPARE(balance(movement), 0.0);
        QCOMPARE(m_sb.scalar(QStringLiteral("SELECT COUNT(*) FROM abonos_mov WHERE NuCliente_Mov = ?"), {movement}).toInt(), 1);
    }
    QCOMPARE(m_sb.scalar(QStringLiteral("SELECT SUM(Importe) FROM abonos WHERE NuCliente = ?"), {client}).toDouble(), 1200.0);
}

void TestSandboxCollections::documentHistoryAndSaleRecords()
{
    const Account a = newAccount(QStringLiteral("Cliente Historial"));
    auto rq = SandboxCalls::request<ops::ListaCliente_Facturas>();
    rq.NuCliente = a.client;
    const TListaCobranza docs = m_sb.call<ops::ListaCliente_Facturas>(rq).result;
    // Ticket (newest), invoice, then the two opening balances.
    QCOMPARE(docs.Count, 4);
    const TCobranza& ticket = docs.ArrayCobranza[0];
    const TCobranza& invoice = docs.ArrayCobranza[1];
    QVERIFY(ticket.FolioTicket > 0);
    QVERIFY(ticket.UUID.isEmpty());
    QCOMPARE(ticket.ImporteOriginal, 580.0);
    QCOMPARE(ticket.NuCliente_Mov, a.ticketDoc);
    QCOMPARE(invoice.SerieFactura, QStringLiteral("A"));
    QCOMPARE(invoice.UUID, a.invoiceUuid);
    QCOMPARE(invoice.Fecha->date, QDate(2026, 10, 5));

    // The invoice by its series and folio, the ticket by the "NUPEDIDO" key
    // of its history row.
    auto cfdi = SandboxCalls::request<ops::GeneraClass_Factura>();
    cfdi.Serie = invoice.SerieFactura;
    cfdi.Folio = invoice.FolioFactura;
    const TCFDI f = m_sb.call<ops::GeneraClass_Factura>(cfdi).result;
    QCOMPARE(f.UUID, a.invoiceUuid);
    QCOMPARE(f.Count, 2);
    QCOMPARE(f.ArrayConcepto[0].Descripcion, QStringLiteral("MARTILLO UÑA CURVA"));
    QCOMPARE(f.ArrayConcepto[0].Importe, 600.0);
    QCOMPARE(f.Total, 1160.0);
    QCOMPARE(f.IVA, 160.0);
    QCOMPARE(f.RECEPTOR, QStringLiteral("Cliente Historial"));
    QCOMPARE(f.EMISOR, m_sb.scalar(QStringLiteral("SELECT Nombre FROM empresas WHERE NuEmpresa = 0")).toString());
    QCOMPARE(f.FechaTimbrado, QStringLiteral("2026-10-05T10:01:00"));
    QVERIFY(f.QRCodeMin.contains(a.invoiceUuid));
    QCOMPARE(f.NuCliente_Mov, a.invoiceDoc);

    cfdi.Serie = QStringLiteral("NUPEDIDO");
    cfdi.Folio = ticket.NuPedido;
    const TCFDI t = m_sb.call<ops::GeneraClass_Factura>(cfdi).result;
    QCOMPARE(t.FechaTimbrado, QStringLiteral("TICKET"));
    QVERIFY(t.UUID.isEmpty());
    QVERIFY(!t.Fecha.isEmpty());
    QCOMPARE(t.Count, 1);
    QCOMPARE(t.Total, 580.0);

    cfdi.Serie = QStringLiteral("A");
    cfdi.Folio = 0;
    QCOMPARE(m_sb.fault<ops::GeneraClass_Factura>(cfdi), QStringLiteral("No existe el documento A-0"));
    // A sale of another company is not found from this one.
    cfdi.Serie = QStringLiteral("NUPEDIDO");
    cfdi.Folio = m_sb.scalar(QStringLiteral("SELECT MAX(FolioVenta) FROM ventas WHERE NuEmpresa = 1")).toInt();
    QCOMPARE(m_sb.fault<ops::GeneraClass_Factura>(cfdi), QStringLiteral("No existe la venta %1").arg(cfdi.Folio));
    auto recibo = SandboxCalls::request<ops::GeneraClass_Recibo>();
    recibo.Serie = QStringLiteral("NUCLIENTE_MOV");
    recibo.Folio = m_sb.scalar(QStringLiteral("SELECT MAX(NuAbono) FROM abonos WHERE NuEmpresa = 1")).toInt();
    QCOMPARE(m_sb.fault<ops::GeneraClass_Recibo>(recibo), QStringLiteral("No existe el abono %1").arg(recibo.Folio));
}

void TestSandboxCollections::paymentHistoryOfAnotherClientIsRefused_data()
{
    QTest::addColumn<int>("company");
    QTest::newRow("client of another company") << 1;
    QTest::newRow("unknown client") << -1;
}

void TestSandboxCollections::paymentHistoryOfAnotherClientIsRefused()
{
    QFETCH(int, company);
    const int client = company < 0 ? 99999999 : newClient(company, QStringLiteral("Ajeno"));
    auto pagos = SandboxCalls::request<ops::ListaCliente_Pagos>();
    pagos.NuCliente = client;
    QCOMPARE(m_sb.fault<ops::ListaCliente_Pagos>(pagos), QStringLiteral("El cliente %1 no existe").arg(client));
    auto facturas = SandboxCalls::request<ops::ListaCliente_Facturas>();
    facturas.NuCliente = client;
    QCOMPARE(m_sb.fault<ops::ListaCliente_Facturas>(facturas), QStringLiteral("El cliente %1 no existe").arg(client));
}

void TestSandboxCollections::pdfsOfDocuments()
{
    const Account a = newAccount(QStringLiteral("Cliente PDF"));
    const QString invoiceFolio = m_sb.scalar(QStringLiteral("SELECT Folio FROM ventas WHERE FolioVenta = ?"), {a.invoiceSale}).toString();

    auto factura = SandboxCalls::request<ops::GeneraPDF_Factura>();
    factura.Serie = QStringLiteral("A");
    factura.Folio = invoiceFolio.toInt();
    const QByteArray invoicePdf = m_sb.call<ops::GeneraPDF_Factura>(factura).result;
    QVERIFY(isPdf(invoicePdf));
    QVERIFY(invoicePdf.contains(a.invoiceUuid.toLatin1()));

    // A ticket row has no invoice folio: no bytes, and the reason is kept.
    factura.Serie = QString();
    factura.Folio = 0;
    QVERIFY(m_sb.call<ops::GeneraPDF_Factura>(factura).result.isEmpty());
    QVERIFY(m_sb.lastError().startsWith(QStringLiteral("No existe")));

    const auto paid = m_sb.call<ops::Cliente_AbonoMultiple>(payment(movementText({a.invoiceDoc}), 160));
    auto recibo = SandboxCalls::request<ops::GeneraPDF_Recibo>();
    recibo.Serie = QStringLiteral("P");
    recibo.Folio = paid.FOLIOABONO;
    const QByteArray receiptPdf = m_sb.call<ops::GeneraPDF_Recibo>(recibo).result;
    QVERIFY(isPdf(receiptPdf));
    auto cfdi = SandboxCalls::request<ops::GeneraClass_Recibo>();
    cfdi.Serie = recibo.Serie;
    cfdi.Folio = recibo.Folio;
    QVERIFY(receiptPdf.contains(m_sb.call<ops::GeneraClass_Recibo>(cfdi).result.UUID.toLatin1()));

    // Another company's receipt folio is not found from company 0.
    recibo.Serie = QStringLiteral("PG");
    recibo.Folio = 1;
    QVERIFY(m_sb.call<ops::GeneraPDF_Recibo>(recibo).result.isEmpty());
}

QTEST_GUILESS_MAIN(TestSandboxCollections)
#include "tst_sandbox_collections.moc"
