// The sandbox store: a new file gets the schema and the demo data quickly, an
// existing one is opened as it is, a reset starts over with the same data;
// the demo data covers what every screen needs and its figures agree.

#include "server/Store.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QImage>
#include <QSet>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTest>

using namespace korvel::sandbox;

namespace {

QByteArray tableHash(Store& store, const QString& sql)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    QSqlQuery q = store.exec(sql);
    while (q.next())
        for (int i = 0; i < q.record().count(); ++i)
            hash.addData(q.value(i).toString().toUtf8() + '\x1f');
    return hash.result();
}

bool validEan13(const QString& code)
{
    if (code.size() != 13)
        return false;
    int sum = 0;
    for (int i = 0; i < 13; ++i) {
        if (!code.at(i).isDigit())
            return false;
        sum += (code.at(i).unicode() - u'0') * (i % 2 ? 3 : 1);
    }
    return sum % 10 == 0;
}

} // namespace

class TestSandboxStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void builtQuickly();
    void reopenKeepsChanges();
    void resetStartsOver();
    void coverage_data();
    void coverage();
    void consistency_data();
    void consistency();
    void barcodes();
    void photosAndSheets();

private:
    QTemporaryDir m_dir;
    QString m_file;
    qint64 m_buildMs = 0;
    std::unique_ptr<Store> m_store;
};

void TestSandboxStore::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_file = m_dir.filePath(QStringLiteral("demo.db"));
    m_store = std::make_unique<Store>();
    QString error;
    QElapsedTimer t;
    t.start();
    QVERIFY2(m_store->open(m_file, false, &error), qPrintable(error));
    m_buildMs = t.elapsed();
}

void TestSandboxStore::builtQuickly()
{
    qInfo("demo store built in %lld ms", m_buildMs);
    QVERIFY2(m_buildMs < 5000, qPrintable(QStringLiteral("%1 ms").arg(m_buildMs)));
}

void TestSandboxStore::reopenKeepsChanges()
{
    const QString file = m_dir.filePath(QStringLiteral("reopen.db"));
    {
        Store store;
        QString error;
        QVERIFY2(store.open(file, false, &error), qPrintable(error));
        store.exec(QStringLiteral("UPDATE clientes SET Nombre = 'CAMBIO DE PRUEBA' WHERE NuClienteKorvel = 3"));
        store.exec(QStringLiteral("DELETE FROM listas_inv_mov"));
    }
    Store store;
    QString error;
    QVERIFY2(store.open(file, false, &error), qPrintable(error));
    // Not filled again: the change is there and nothing was added twice.
    QCOMPARE(store.scalar(QStringLiteral("SELECT Nombre FROM clientes WHERE NuClienteKorvel = 3")).toString(),
             QStringLiteral("CAMBIO DE PRUEBA"));
    QCOMPARE(store.scalar(QStringLiteral("SELECT COUNT(*) FROM listas_inv_mov")).toInt(), 0);
    QCOMPARE(store.scalar(QStringLiteral("SELECT COUNT(*) FROM productos")),
             m_store->scalar(QStringLiteral("SELECT COUNT(*) FROM productos")));
}

void TestSandboxStore::resetStartsOver()
{
    const QString file = m_dir.filePath(QStringLiteral("reset.db"));
    {
        Store store;
        QString error;
        QVERIFY2(store.open(file, false, &error), qPrintable(error));
        store.exec(QStringLiteral("DELETE FROM carros"));
    }
    Store store;
    QString error;
    QVERIFY2(store.open(file, true, &error), qPrintable(error));
    QVERIFY(store.scalar(QStringLiteral("SELECT COUNT(*) FROM carros")).toInt() > 0);
    // The same day gives the same data: the pseudo-random sequence is fixed.
    // (Orders and sales follow the clock of the day, so only the catalogue and
    // the clients are compared.)
    for (const char* sql : {"SELECT * FROM productos ORDER BY ID", "SELECT * FROM clientes ORDER BY NuClienteKorvel",
                            "SELECT ID, length(Foto), Ficha FROM producto_fotos ORDER BY ID"})
        QCOMPARE(tableHash(store, QString::fromLatin1(sql)), tableHash(*m_store, QString::fromLatin1(sql)));
}

void TestSandboxStore::coverage_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<int>("minimum");
    auto row = [](const char* name, const char* sql, int minimum) {
        QTest::newRow(name) << QString::fromUtf8(sql) << minimum;
    };
    row("two companies", "SELECT COUNT(*) FROM empresas", 2);
    row("products", "SELECT COUNT(*) FROM productos", 300);
    row("every product state", "SELECT COUNT(DISTINCT NuEstado) FROM productos", 4);
    row("dollar products", "SELECT COUNT(*) FROM productos WHERE NuMoneda = 2", 5);
    row("IVA 0 products", "SELECT COUNT(*) FROM productos WHERE TasaIVA = 0", 20);
    row("IEPS products", "SELECT COUNT(*) FROM productos WHERE TasaIEPS > 0", 10);
    row("Tasa2 products", "SELECT COUNT(*) FROM productos WHERE Tasa2 > 0", 5);
    row("products with three units", "SELECT COUNT(*) FROM productos WHERE UXC3 <> 1", 20);
    row("products sold only by box", "SELECT COUNT(*) FROM productos WHERE OP_UNIDADDEVENTA = 2", 1);
    row("photos", "SELECT COUNT(*) FROM producto_fotos WHERE Foto IS NOT NULL", 250);
    row("technical sheets", "SELECT COUNT(*) FROM producto_fotos WHERE Ficha <> ''", 150);
    row("clients of the first company", "SELECT COUNT(*) FROM clientes WHERE NuEmpresa = 0", 90);
    row("clients of the second company", "SELECT COUNT(*) FROM clientes WHERE NuEmpresa = 1", 30);
    row("clients with a price letter", "SELECT COUNT(*) FROM clientes WHERE NuPrecio <> ''", 10);
    row("clients without position", "SELECT COUNT(*) FROM clientes WHERE Latitud = 0 AND EsPublicoGeneral = 0", 1);
    row("order steps of the last weeks", "SELECT COUNT(DISTINCT NuPaso) FROM carros WHERE NuEmpresa = 0", 10);
    row("today's steps 0, 1, 2 and 9",
        "SELECT COUNT(DISTINCT NuPaso) FROM carros WHERE Fecha = date('now', 'localtime') AND NuPaso IN (0, 1, 2, 9)", 4);
    row("pending price requests", "SELECT COUNT(*) FROM autorizaciones_precio WHERE Estado = 'R'", 3);
    row("decided price requests", "SELECT COUNT(*) FROM autorizaciones_precio WHERE Estado IN ('A', 'D', 'd')", 3);
    row("sales on the road", "SELECT COUNT(*) FROM ventas WHERE EstatusEntrega = 1 AND NuChofer > 0", 3);
    row("registered deliveries with signature", "SELECT COUNT(*) FROM entregas WHERE Firma IS NOT NULL", 5);
    row("stamped invoices with QR text",
        "SELECT COUNT(*) FROM ventas v JOIN timbres t ON t.NuTimbre = v.NuTimbre WHERE t.QRCodeMin LIKE 'https://%'", 100);
    row("invoices waiting for their stamp", "SELECT COUNT(*) FROM ventas WHERE Tipo = 2 AND NuTimbre IS NULL", 1);
    row("open debts", "SELECT COUNT(*) FROM cliente_movs WHERE ImporteDeuda > 0", 50);
    row("open dollar debts", "SELECT COUNT(*) FROM cliente_movs WHERE ImporteDeuda > 0 AND NuMoneda = 2", 1);
    row("overdue debts", "SELECT COUNT(*) FROM cliente_movs WHERE ImporteDeuda > 0 AND FechaVence < date('now')", 5);
    row("payments with receipt CFDI", "SELECT COUNT(*) FROM abonos WHERE NuTimbre IS NOT NULL", 100);
    row("credit notes", "SELECT COUNT(*) FROM notas_credito", 10);
    row("months of last year with sales",
        "SELECT COUNT(DISTINCT substr(Fecha, 1, 7)) FROM ventas WHERE substr(Fecha, 1, 4) = strftime('%Y', 'now', '-1 year')", 12);
    row("months of last year with purchases",
        "SELECT COUNT(DISTINCT substr(Fecha, 1, 7)) FROM compras WHERE substr(Fecha, 1, 4) = strftime('%Y', 'now', '-1 year')", 12);
    row("warehouses selling", "SELECT COUNT(DISTINCT NuAlmacen) FROM ventas", 5);
    row("open count lists", "SELECT COUNT(*) FROM listas_inv WHERE Abierta = 1", 2);
    row("closed count lists", "SELECT COUNT(*) FROM listas_inv WHERE Abierta = 0", 1);
    row("deleted count lines", "SELECT COUNT(*) FROM listas_inv_mov WHERE Eliminado = 1", 1);
}

void TestSandboxStore::coverage()
{
    QFETCH(QString, sql);
    QFETCH(int, minimum);
    const int count = m_store->scalar(sql).toInt();
    QVERIFY2(count >= minimum, qPrintable(QStringLiteral("%1 < %2").arg(count).arg(minimum)));
}

void TestSandboxStore::consistency_data()
{
    QTest::addColumn<QString>("sql");  // counts the rows that break the rule
    auto row = [](const char* name, const char* sql) { QTest::newRow(name) << QString::fromUtf8(sql); };
    row("sale totals are the sums of their lines",
        "SELECT COUNT(*) FROM ventas v WHERE abs(v.Total - (SELECT SUM(Total) FROM ventas_mov m WHERE m.FolioVenta = v.FolioVenta)) > 0.05");
    row("line totals are amount plus taxes",
        "SELECT COUNT(*) FROM ventas_mov WHERE abs(Total - (Importe - Descuento + IVA + IEPS + Total_Tasa2)) > 0.02");
    row("debts between zero and the original",
        "SELECT COUNT(*) FROM cliente_movs WHERE ImporteDeuda < 0 OR ImporteDeuda > ImporteOriginal + 0.005");
    row("paid plus credited plus owed is the original",
        "SELECT COUNT(*) FROM cliente_movs d WHERE d.Tipo = 1 AND abs(d.ImporteOriginal - d.ImporteDeuda"
        " - IFNULL((SELECT SUM(Importe) FROM abonos_mov a WHERE a.NuCliente_Mov = d.NuCliente_Mov), 0)"
        " - IFNULL((SELECT SUM(Total) FROM notas_credito n WHERE n.NuCliente_Mov = d.NuCliente_Mov), 0)) > 0.05");
    row("account documents are sales on credit",
        "SELECT COUNT(*) FROM cliente_movs d LEFT JOIN ventas v ON v.FolioVenta = d.FolioVenta"
        " WHERE d.Tipo = 1 AND (v.FolioVenta IS NULL OR v.Credito <> 1 OR v.NuCliente <> d.NuCliente)");
    row("invoiced orders point at their sale",
        "SELECT COUNT(*) FROM carros c LEFT JOIN ventas v ON v.FolioVenta = c.FolioVenta"
        " WHERE c.NuPaso = 2 AND (v.FolioVenta IS NULL OR v.NuCarro <> c.NuCarro)");
    row("orders not invoiced have no sale", "SELECT COUNT(*) FROM carros WHERE NuPaso <> 2 AND FolioVenta <> 0");
    row("order totals are the sums of their lines",
        "SELECT COUNT(*) FROM carros c WHERE abs(c.Total - (SELECT SUM(Total) FROM carros_mov m WHERE m.NuCarro = c.NuCarro)) > 0.05");
    row("order lines name existing products",
        "SELECT COUNT(*) FROM carros_mov m LEFT JOIN productos p ON p.ID = m.NuProducto WHERE p.ID IS NULL");
    row("pending requests are marked on their lines",
        "SELECT COUNT(*) FROM autorizaciones_precio a JOIN carros_mov m ON m.NuCarro_Mov = a.NuCarro_Mov WHERE m.REQ_AUTH <> a.Estado");
    row("orders waiting for a price carry the mark",
        "SELECT COUNT(*) FROM carros c WHERE (c.REQ_AUTH = 'R') <> EXISTS (SELECT 1 FROM carros_mov m WHERE m.NuCarro = c.NuCarro AND m.REQ_AUTH = 'R')");
    row("clients of an order belong to its company",
        "SELECT COUNT(*) FROM carros c JOIN clientes k ON k.NuClienteKorvel = c.NuCliente WHERE k.NuEmpresa <> c.NuEmpresa");
    row("sales stay in the company's warehouses",
        "SELECT COUNT(*) FROM ventas v JOIN almacenes a ON a.NuAlmacen = v.NuAlmacen WHERE a.NuEmpresa <> v.NuEmpresa");
    row("current products have twenty prices",
        "SELECT COUNT(*) FROM productos WHERE NuEstado = 0 AND min(Precio01, Precio02, Precio03, Precio04, Precio05, Precio06,"
        " Precio07, Precio08, Precio09, Precio10, Precio11, Precio12, Precio13, Precio14, Precio15, Precio16, Precio17,"
        " Precio18, Precio19, Precio20) <= 0");
    row("prices above cost", "SELECT COUNT(*) FROM productos WHERE Precio20 > 0 AND Precio20 <= Costo");
    row("unused units have factor 1 and no name",
        "SELECT COUNT(*) FROM productos WHERE (Unidad3 = '' AND (UXC3 <> 1 OR Barcode3 <> '')) OR (Unidad2 <> '' AND UXC2 <= 1)");
    row("module strings have twelve positions", "SELECT COUNT(*) FROM usuarios WHERE length(Modulos) <> 12");
    row("exchange rates between 17 and 20",
        "SELECT COUNT(*) FROM empresas WHERE TC_VentaCredito NOT BETWEEN 17 AND 20 OR TC_CobranzaCredito NOT BETWEEN 17 AND 20");
    row("dollar sales carry their rate", "SELECT COUNT(*) FROM ventas WHERE NuMoneda = 2 AND TipoCambio NOT BETWEEN 16.5 AND 20.5");
    row("nothing dated after now", "SELECT (SELECT COUNT(*) FROM ventas WHERE Fecha > strftime('%Y-%m-%dT%H:%M:%S', 'now', 'localtime'))"
        " + (SELECT COUNT(*) FROM abonos WHERE FechaPago > date('now', 'localtime'))");
}

void TestSandboxStore::consistency()
{
    QFETCH(QString, sql);
    QCOMPARE(m_store->scalar(sql).toInt(), 0);
}

void TestSandboxStore::barcodes()
{
    QSqlQuery q = m_store->exec(QStringLiteral("SELECT ID, Barcode1, Barcode2, Barcode3, Barcode4, Barcode5 FROM productos"));
    QSet<QString> seen;
    int count = 0;
    while (q.next()) {
        QVERIFY2(!q.value(1).toString().isEmpty(), qPrintable(q.value(0).toString()));
        for (int i = 1; i <= 5; ++i) {
            const QString code = q.value(i).toString();
            if (code.isEmpty())
                continue;
            QVERIFY2(validEan13(code), qPrintable(q.value(0).toString() + u' ' + code));
            QVERIFY2(!seen.contains(code), qPrintable(code));
            seen.insert(code);
            ++count;
        }
    }
    QVERIFY(count > 600);
}

void TestSandboxStore::photosAndSheets()
{
    QSqlQuery q = m_store->exec(QStringLiteral("SELECT ID, Foto, Ficha FROM producto_fotos"));
    int photos = 0;
    bool accents = false;
    while (q.next()) {
        const QByteArray foto = q.value(1).toByteArray();
        if (!foto.isEmpty()) {
            QImage image;
            QVERIFY2(image.loadFromData(foto, "JPG"), qPrintable(q.value(0).toString()));
            QCOMPARE(image.width(), 200);
            ++photos;
        }
        const QString ficha = q.value(2).toString();
        if (!ficha.isEmpty()) {
            QVERIFY2(ficha.startsWith(QLatin1String("{\\rtf1\\ansi")) && ficha.endsWith(u'}'), qPrintable(q.value(0).toString()));
            QCOMPARE(ficha.count(u'{'), ficha.count(u'}'));
            accents = accents || ficha.contains(QLatin1String("t\\'e9cnica"));  // "técnica" in RTF
        }
    }
    QVERIFY(photos > 0);
    QVERIFY(accents);
}

QTEST_GUILESS_MAIN(TestSandboxStore)
#include "tst_sandbox_store.moc"
