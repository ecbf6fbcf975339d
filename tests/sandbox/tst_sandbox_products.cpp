// The sandbox's product operations: description and model searches ("@" and
// "#", word by word, without regard to case or accents), key and barcode
// searches (a whole key or barcode finds just its product), the bound on a
// broad search, the stock query of the product file, prices and stock of the
// login's company, and the photo with its technical sheet.

#include "SandboxFixture.h"
#include "server/TextHelpers.h"

#include <QImage>

using namespace korvel;
using namespace korvel::sandbox;
using namespace korvel::sandbox::testing;

namespace {

QStringList ids(const TListaProducto& list)
{
    QStringList out;
    for (qint32 i = 0; i < list.Count; ++i)
        out.append(list.ArrayProducto[size_t(i)].ID);
    return out;
}

} // namespace

class TestSandboxProducts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void search_data();
    void search();
    void sameResults_data();
    void sameResults();
    void keySearch_data();
    void keySearch();
    void pricesAndStockOfTheLogin_data();
    void pricesAndStockOfTheLogin();
    void existence_data();
    void existence();
    void photo();
    void refusedWithoutCredentials();
    void broadSearchIsBounded();

private:
    TListaProducto byDescription(const QString& filtro, const QString& user = QStringLiteral("demo"))
    {
        ops::ListaProducto_Consulta::Request rq;
        rq.User = user;
        rq.Pass = user.endsWith(QLatin1String("vendedor")) ? QStringLiteral("vende123") : QStringLiteral("demo");
        rq.Filtro = filtro;
        const auto a = m_sandbox.call<ops::ListaProducto_Consulta>(rq);
        return a.response ? a.response->result : TListaProducto();
    }
    TListaProducto byKey(const QString& filtro)
    {
        ops::ListaProducto_ConsultaXClave::Request rq;
        rq.User = QStringLiteral("demo");
        rq.Pass = QStringLiteral("demo");
        rq.Filtro = filtro;
        const auto a = m_sandbox.call<ops::ListaProducto_ConsultaXClave>(rq);
        return a.response ? a.response->result : TListaProducto();
    }

    SandboxFixture m_sandbox;
};

void TestSandboxProducts::initTestCase()
{
    QVERIFY(m_sandbox.start());
}

void TestSandboxProducts::search_data()
{
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<bool>("model");          // the words are looked for in the models, else the description
    QTest::addColumn<QStringList>("words");   // every result holds every word
    QTest::addColumn<int>("minimum");
    QTest::addColumn<int>("maximum");
    QTest::newRow("one word") << "@martillo" << false << QStringList{"MARTILLO"} << 5 << 20;
    QTest::newRow("every word, in any order") << "@curva martillo" << false << QStringList{"MARTILLO", "CURVA"} << 1 << 4;
    QTest::newRow("accented word typed plain") << "@una curva" << false << QStringList{"UNA", "CURVA"} << 1 << 4;
    QTest::newRow("model") << "#mof" << true << QStringList{"MOF"} << 1 << 5;
    QTest::newRow("model of a package unit") << "#12 pzas" << true << QStringList{"12", "PZAS"} << 10 << 500;
    QTest::newRow("nothing matches") << "@zzqqxx" << false << QStringList{} << 0 << 0;
    QTest::newRow("a model is not a description") << "@MOF-16" << false << QStringList{} << 0 << 0;
}

void TestSandboxProducts::search()
{
    QFETCH(QString, filtro);
    QFETCH(bool, model);
    QFETCH(QStringList, words);
    QFETCH(int, minimum);
    QFETCH(int, maximum);
    const TListaProducto list = byDescription(filtro);
    QCOMPARE(qsizetype(list.ArrayProducto.size()), qsizetype(list.Count));
    QVERIFY2(list.Count >= minimum && list.Count <= maximum, qPrintable(QString::number(list.Count)));
    for (const TProducto& p : list.ArrayProducto) {
        const QString text = normalizeSearchText(model ? QStringList{p.Modelo, p.Modelo2, p.Modelo3, p.Modelo4, p.Modelo5}.join(u'|')
                                                       : p.Descripcion);
        for (const QString& w : words)
            QVERIFY2(text.contains(w), qPrintable(p.ID + u' ' + text));
    }
}

void TestSandboxProducts::sameResults_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::newRow("case") << "@MARTILLO" << "@martillo";
    QTest::newRow("accents") << "@CAFÉ" << "@cafe";
    QTest::newRow("no marker is a description search") << "pinza" << "@pinza";
    QTest::newRow("spaces between words") << "@  martillo   bola " << "@martillo bola";
}

void TestSandboxProducts::sameResults()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    const QStringList first = ids(byDescription(a));
    QVERIFY(!first.isEmpty());
    QCOMPARE(first, ids(byDescription(b)));
}

void TestSandboxProducts::keySearch_data()
{
    QTest::addColumn<QString>("filtro");
    QTest::addColumn<QStringList>("expected");  // exactly these IDs, in this order; empty: see `containing`
    QTest::addColumn<QString>("containing");    // else every result's key or a barcode holds this text
    QTest::addColumn<int>("minimum");

    QSqlQuery q = m_sandbox.store().exec(QStringLiteral(
        "SELECT ID, Barcode1, Barcode2 FROM productos WHERE ID LIKE '%-%' AND Barcode2 <> ''"
        " AND Fabricante IN (SELECT Fabricante FROM productos GROUP BY Fabricante HAVING COUNT(*) >= 3) ORDER BY ID LIMIT 1"));
    QVERIFY(q.next());
    const QString alpha = q.value(0).toString();
    const QString piece = q.value(1).toString();
    const QString box = q.value(2).toString();
    const QString numeric = m_sandbox.scalar(QStringLiteral("SELECT ID FROM productos WHERE ID NOT LIKE '%-%' ORDER BY ID")).toString();

    QTest::newRow("whole alphanumeric key") << "@" + alpha << QStringList{alpha} << QString() << 1;
    QTest::newRow("key in lower case") << "@" + alpha.toLower() << QStringList{alpha} << QString() << 1;
    QTest::newRow("whole numeric key") << "@" + numeric << QStringList{numeric} << QString() << 1;
    QTest::newRow("piece barcode") << "@" + piece << QStringList{alpha} << QString() << 1;
    QTest::newRow("box barcode") << "@" + box << QStringList{alpha} << QString() << 1;
    QTest::newRow("scanned with blanks around") << "@ " + box + " " << QStringList{alpha} << QString() << 1;
    QTest::newRow("part of a key") << "@" + alpha.left(4).toLower() << QStringList{} << alpha.left(4) << 5;
    QTest::newRow("part of a barcode") << "@" + piece.left(8) << QStringList{} << piece.left(8) << 2;
    QTest::newRow("unknown key") << "@NO-EXISTE-99" << QStringList{} << QStringLiteral("NO-EXISTE-99") << 0;
}

void TestSandboxProducts::keySearch()
{
    QFETCH(QString, filtro);
    QFETCH(QStringList, expected);
    QFETCH(QString, containing);
    QFETCH(int, minimum);
    const TListaProducto list = byKey(filtro);
    if (!expected.isEmpty()) {
        QCOMPARE(ids(list), expected);
        return;
    }
    QVERIFY2(list.Count >= minimum, qPrintable(QString::number(list.Count)));
    if (minimum == 0)
        QCOMPARE(list.Count, 0);
    for (const TProducto& p : list.ArrayProducto) {
        const QString keys = QStringList{p.ID, p.Barcode1, p.Barcode2, p.Barcode3, p.Barcode4, p.Barcode5}.join(u'|').toUpper();
        QVERIFY2(keys.contains(containing), qPrintable(keys));
    }
}

void TestSandboxProducts::pricesAndStockOfTheLogin_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("almacen");
    QTest::addColumn<QString>("letter");    // the user's first price letter
    QTest::addColumn<double>("taxFactor");  // PrecioConImp / Precio for a product with IVA 16 only
    QTest::newRow("first company, prices before taxes") << "demo" << 1 << "A" << 1.16;
    QTest::newRow("seller with letter B") << "vendedor" << 1 << "B" << 1.16;
    QTest::newRow("second company, prices with taxes") << "1@demo" << 4 << "A" << 1.0;
}

void TestSandboxProducts::pricesAndStockOfTheLogin()
{
    QFETCH(QString, user);
    QFETCH(int, almacen);
    QFETCH(QString, letter);
    QFETCH(double, taxFactor);
    const TListaProducto list = byDescription(QStringLiteral("@martillo"), user);
    QVERIFY(list.Count > 0);
    for (const TProducto& p : list.ArrayProducto) {
        QCOMPARE(p.Existencia, m_sandbox.scalar(QStringLiteral("SELECT Existencia FROM existencias WHERE ID = ? AND NuAlmacen = ?"),
                                                {p.ID, almacen}).toDouble());
        QCOMPARE(p.NuPrecio1, letter);
        QCOMPARE(p.Precio, letter == u"B" ? p.Precio02 : p.Precio01);
        QCOMPARE(p.TasaIVA, 16.0);
        QVERIFY(qAbs(p.PrecioConImp - p.Precio * taxFactor) < 1e-6);
        QVERIFY(!p.Categoria.isEmpty());
    }
}

void TestSandboxProducts::existence_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("almacen");
    QTest::addColumn<bool>("captured");  // IncPedCap
    QTest::addColumn<double>("result");  // a refusal code, or 0 for "computed"

    // A product on an order in process, sold at the counter today too.
    QSqlQuery q = m_sandbox.store().exec(QStringLiteral(
        "SELECT m.NuProducto, c.NuAlmacen FROM carros_mov m JOIN carros c ON c.NuCarro = m.NuCarro"
        " WHERE c.NuPaso = 1 AND c.NuEmpresa = 0 AND c.NuAlmacen = 1 ORDER BY m.NuCarro_Mov LIMIT 1"));
    QVERIFY(q.next());
    const QString id = q.value(0).toString();
    const int almacen = q.value(1).toInt();
    m_sandbox.store().exec(QStringLiteral("INSERT INTO ventas (FolioVenta, NuEmpresa, NuAlmacen, NuCliente, Origen, Tipo, Fecha, Total)"
                                          " VALUES (999001, 0, ?, 0 + (SELECT MIN(NuClienteKorvel) FROM clientes), 'POS', 5, ?, 10)"),
                           {almacen, storeDateTime(QDateTime::currentDateTime())});
    m_sandbox.store().exec(QStringLiteral("INSERT INTO ventas_mov (FolioVenta, ID, Cantidad, VUnidades) VALUES (999001, ?, 2, 6)"), {id});

    QTest::newRow("in process and at the counter") << "demo" << "demo" << id << almacen << false << 0.0;
    QTest::newRow("also orders in capture") << "demo" << "demo" << id << almacen << true << 0.0;
    QTest::newRow("warehouse 0 is the user's") << "demo" << "demo" << id << 0 << false << 0.0;
    QTest::newRow("unknown product") << "demo" << "demo" << "NO-EXISTE" << 1 << false << -999999.0;
    QTest::newRow("warehouse of the other company") << "demo" << "demo" << id << 4 << false << -888888.0;
    QTest::newRow("user without the products module") << "chofer" << "ruta123" << id << 1 << false << -888888.0;
}

void TestSandboxProducts::existence()
{
    QFETCH(QString, user);
    QFETCH(QString, pass);
    QFETCH(QString, id);
    QFETCH(int, almacen);
    QFETCH(bool, captured);
    QFETCH(double, result);
    ops::Producto_Existencia::Request rq;
    rq.User = user;
    rq.Pass = pass;
    rq.ID = id;
    rq.NuAlmacen = almacen;
    rq.IncPOS = true;
    rq.IncPedCap = captured;
    rq.IncPedPro = true;
    const auto a = m_sandbox.call<ops::Producto_Existencia>(rq);
    QVERIFY2(a.response, qPrintable(a.fault));
    const auto& rs = *a.response;
    if (result != 0) {
        QCOMPARE(rs.result, result);
        return;
    }
    const int w = almacen > 0 ? almacen : 1;
    QCOMPARE(rs.Expediente, m_sandbox.scalar(QStringLiteral("SELECT Existencia FROM existencias WHERE ID = ? AND NuAlmacen = ?"), {id, w}).toDouble());
    QVERIFY(rs.POS >= 12);  // the counter sale above: 2 boxes of 6
    const double pedidos = m_sandbox.scalar(QStringLiteral(
        "SELECT SUM(m.Cantidad * m.VUnidades) FROM carros_mov m JOIN carros c ON c.NuCarro = m.NuCarro"
        " WHERE m.NuProducto = ? AND c.NuAlmacen = ? AND c.NuPaso IN (%1)").arg(captured ? "0, 1, 8" : "1"), {id, w}).toDouble();
    QVERIFY(pedidos > 0);
    QCOMPARE(rs.Pedidos, pedidos);
    QCOMPARE(rs.Saldo, rs.Expediente - rs.POS - rs.Pedidos);
    QCOMPARE(rs.result, rs.Saldo);
}

void TestSandboxProducts::photo()
{
    const QString both = m_sandbox.scalar(QStringLiteral("SELECT ID FROM producto_fotos WHERE Foto IS NOT NULL AND Ficha <> '' ORDER BY ID")).toString();
    const QString none = m_sandbox.scalar(QStringLiteral("SELECT ID FROM productos WHERE ID NOT IN (SELECT ID FROM producto_fotos) ORDER BY ID")).toString();
    QVERIFY(!both.isEmpty() && !none.isEmpty());
    struct Case { QString id; bool photo; };
    for (const Case& c : {Case{both, true}, Case{both.toLower(), true}, Case{none, false}, Case{QStringLiteral("NO-EXISTE"), false}}) {
        ops::ObtenerFotoProducto::Request rq;
        rq.User = QStringLiteral("demo");
        rq.Pass = QStringLiteral("demo");
        rq.N123 = c.id;
        rq.Ficha = QStringLiteral("sent text is replaced");
        const auto a = m_sandbox.call<ops::ObtenerFotoProducto>(rq);
        QVERIFY2(a.response, qPrintable(a.fault));
        QImage image;
        QCOMPARE(image.loadFromData(a.response->result, "JPG"), c.photo);
        QCOMPARE(a.response->Ficha.startsWith(QLatin1String("{\\rtf1")), c.photo);
        if (!c.photo)
            QVERIFY(a.response->result.isEmpty() && a.response->Ficha.isEmpty());
    }
}

void TestSandboxProducts::refusedWithoutCredentials()
{
    ops::ListaProducto_Consulta::Request rq;
    rq.User = QStringLiteral("demo");
    rq.Pass = QString();
    rq.Filtro = QStringLiteral("@a");
    const auto a = m_sandbox.call<ops::ListaProducto_Consulta>(rq);
    QVERIFY(!a.response);
    QCOMPARE(a.status, 500);
    QCOMPARE(a.fault, QStringLiteral("Usuario o contraseña incorrectos"));
}

void TestSandboxProducts::broadSearchIsBounded()
{
    m_sandbox.store().transaction([&] {
        for (int i = 0; i < 300; ++i)
            m_sandbox.store().exec(QStringLiteral("INSERT INTO productos (ID, Descripcion, NuCategoria, BuscaDescripcion)"
                                                  " VALUES (?, 'ARANDELA PLANA', 6, 'ARANDELA PLANA')"),
                                   {QStringLiteral("ARA-%1").arg(i, 4, 10, QLatin1Char('0'))});
    });
    QCOMPARE(byDescription(QStringLiteral("@")).Count, 500);
    QCOMPARE(byDescription(QStringLiteral("@arandela")).Count, 300);
    const TListaProducto keys = byKey(QStringLiteral("@0"));
    QCOMPARE(keys.Count, 500);
    QCOMPARE(keys.ArrayProducto.size(), size_t(500));
}

QTEST_GUILESS_MAIN(TestSandboxProducts)
#include "tst_sandbox_products.moc"
