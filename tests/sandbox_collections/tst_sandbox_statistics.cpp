// Statistics and product history on the sandbox. A small fixture in 2011
// (a year without demo data) pins the figures to the cent; the demo year
// checks that every view of the same movements adds up the same: a branch
// and its categories, the weeks and the months of a year, with and without
// taxes, with and without the product filter.

#include "SandboxCalls.h"

#include "server/statistics/Periods.h"
#include "server/statistics/StatisticsViews.h"

#include <cmath>

using namespace korvel;
using namespace korvel::testing;

namespace {

constexpr double kCent = 0.005;

template <class Row>
double periodSum(const std::vector<Row>& rows, int periods)
{
    double sum = 0;
    for (Row r : rows)
        for (int p = 1; p <= periods; ++p)
            sum += sandbox::periodField(r, "Sem", p);
    return sum;
}

template <class Row>
double totalSum(const std::vector<Row>& rows)
{
    double sum = 0;
    for (const Row& r : rows)
        sum += r.Total;
    return sum;
}

template <class Row>
const Row* category(const std::vector<Row>& rows, int nuCategoria)
{
    const QString names[] = {QString(), QStringLiteral("HERRAMIENTA MANUAL"), QStringLiteral("HERRAMIENTA ELÉCTRICA")};
    for (const Row& r : rows)
        if (r.Categoria == names[nuCategoria])
            return &r;
    return nullptr;
}

const TInfo1* branchRow(const TListaInfo1& list, int db, int almacen)
{
    for (const TInfo1& r : list.ArrayInfo1)
        if (r.DB == db && r.NuAlmacen == almacen)
            return &r;
    return nullptr;
}

// The sales and purchase operations take the same parameters under
// different request types.
template <class To, class From>
To sameParameters(const From& f)
{
    To t;
    t.User = f.User;
    t.Pass = f.Pass;
    if constexpr (requires { t.Y; f.Y; }) {
        t.Y = f.Y;
        t.M = f.M;
        t.D = f.D;
    }
    if constexpr (requires { t.Year; f.Year; })
        t.Year = f.Year;
    if constexpr (requires { t.DB; f.DB; })
        t.DB = f.DB;
    if constexpr (requires { t.NuAlmacen; f.NuAlmacen; })
        t.NuAlmacen = f.NuAlmacen;
    if constexpr (requires { t.FiltroXN123; f.FiltroXN123; })
        t.FiltroXN123 = f.FiltroXN123;
    if constexpr (requires { t.ConImpuesto; f.ConImpuesto; })
        t.ConImpuesto = f.ConImpuesto;
    return t;
}

} // namespace

class TestSandboxStatistics : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void branches();
    void weeksOfTheYear_data();
    void weeksOfTheYear();
    void dayByBranch_data();
    void dayByBranch();
    void dayByCategory_data();
    void dayByCategory();
    void yearByWeekAndMonth_data();
    void yearByWeekAndMonth();
    void companyStatus();
    void viewsOfTheDemoYearAgree_data();
    void viewsOfTheDemoYearAgree();
    void badScopesAreRefused_data();
    void badScopesAreRefused();
    void purchaseHistoryBoundedByMax_data();
    void purchaseHistoryBoundedByMax();
    void salesHistoryOfAClient();

private:
    int sale(int company, int almacen, int client, const QString& when, bool credit, int currency, const QString& forma,
             const QList<QList<QVariant>>& lines, bool cancelled = false);
    int purchase(int company, int almacen, const QString& when, bool credit, int currency, double saldo,
                 double cant, double costo);

    SandboxCalls m_sb;
    int m_client = 0;
    int m_supplier = 0;
};

int TestSandboxStatistics::sale(int company, int almacen, int client, const QString& when, bool credit, int currency,
                                const QString& forma, const QList<QList<QVariant>>& lines, bool cancelled)
{
    const int folio = m_sb.insert(QStringLiteral("ventas"), {{"NuEmpresa", company},
                                                            {"NuAlmacen", almacen},
                                                            {"NuCliente", client},
                                                            {"Tipo", 5},
                                                            {"Fecha", when},
                                                            {"NuMoneda", currency},
                                                            {"TipoCambio", currency == 1 ? 1.0 : 20.0},
                                                            {"Credito", credit ? 1 : 0},
                                                            {"FormaPago", forma},
                                                            {"Cancelada", cancelled ? 1 : 0}});
    // ID, quantity, factor, amount, discount, total with taxes
    for (const QList<QVariant>& l : lines)
        m_sb.insert(QStringLiteral("ventas_mov"), {{"FolioVenta", folio},
                                                  {"ID", l[0]},
                                                  {"Unidad", QStringLiteral("Pieza")},
                                                  {"Cantidad", l[1]},
                                                  {"VUnidades", l[2]},
                                                  {"ValorUnitario", l[3].toDouble() / l[1].toDouble()},
                                                  {"Importe", l[3]},
                                                  {"Descuento", l[4]},
                                                  {"Total", l[5]}});
    return folio;
}

int TestSandboxStatistics::purchase(int company, int almacen, const QString& when, bool credit, int currency,
                                    double saldo, double cant, double costo)
{
    const int compra = m_sb.insert(QStringLiteral("compras"), {{"NuEmpresa", company},
                                                              {"NuAlmacen", almacen},
                                                              {"NuProveedor", m_supplier},
                                                              {"Folio", QStringLiteral("FP-%1").arg(when.left(10))},
                                                              {"Fecha", when},
                                                              {"NuMoneda", currency},
                                                              {"TC", currency == 1 ? 1.0 : 20.0},
                                                              {"Credito", credit ? 1 : 0},
                                                              {"Saldo", saldo}});
    m_sb.insert(QStringLiteral("compras_mov"), {{"NuCompra", compra},
                                               {"ID", QStringLiteral("EST-A")},
                                               {"Unidad", QStringLiteral("Pieza")},
                                               {"Cant", cant},
                                               {"Costo", costo},
                                               {"CostoImp", costo * 1.16},
                                               {"SubTotal", cant * costo},
                                               {"Total", cant * costo * 1.16}});
    return compra;
}

void TestSandboxStatistics::initTestCase()
{
    QString error;
    QVERIFY2(m_sb.start(&error), qPrintable(error));
    m_sb.insert(QStringLiteral("productos"), {{"ID", QStringLiteral("EST-A")}, {"Descripcion", QStringLiteral("LLAVE ESTADÍSTICA A")}, {"NuCategoria", 1}});
    m_sb.insert(QStringLiteral("productos"), {{"ID", QStringLiteral("EST-B")}, {"Descripcion", QStringLiteral("TALADRO ESTADÍSTICO B")}, {"NuCategoria", 2}});
    m_client = m_sb.insert(QStringLiteral("clientes"), {{"NuEmpresa", 0}, {"Nombre", QStringLiteral("Cliente Estadística")}});
    const int client1 = m_sb.insert(QStringLiteral("clientes"), {{"NuEmpresa", 1}, {"Nombre", QStringLiteral("Cliente Sauz")}});
    m_supplier = m_sb.insert(QStringLiteral("proveedores"), {{"Nombre", QStringLiteral("Proveedor de Prueba")}});

    // Tuesday 15 March 2011 (ISO week 11).
    sale(0, 1, m_client, QStringLiteral("2011-03-15T10:00:00"), false, 1, QStringLiteral("01"),
         {{QStringLiteral("EST-A"), 2.0, 1.0, 200.0, 0.0, 232.0}, {QStringLiteral("EST-B"), 1.0, 1.0, 50.0, 0.0, 58.0}});
    sale(0, 2, m_client, QStringLiteral("2011-03-15T12:00:00"), true, 2, QStringLiteral("99"),
         {{QStringLiteral("EST-A"), 1.0, 1.0, 10.0, 0.0, 11.6}});
    sale(1, 4, client1, QStringLiteral("2011-03-15T13:00:00"), false, 1, QStringLiteral("04"),
         {{QStringLiteral("EST-B"), 3.0, 12.0, 300.0, 0.0, 348.0}});
    sale(0, 1, m_client, QStringLiteral("2011-03-15T14:00:00"), false, 1, QStringLiteral("01"),
         {{QStringLiteral("EST-A"), 10.0, 1.0, 1000.0, 0.0, 1160.0}}, true);
    // Sunday 2 January 2011 still belongs to ISO week 52 of 2010.
    sale(0, 1, m_client, QStringLiteral("2011-01-02T09:00:00"), false, 1, QStringLiteral("01"),
         {{QStringLiteral("EST-A"), 1.0, 1.0, 100.0, 0.0, 116.0}, {QStringLiteral("EST-B"), 1.0, 1.0, 100.0, 10.0, 104.4}});

    purchase(0, 1, QStringLiteral("2011-03-15T09:00:00"), true, 1, 464, 5, 80);
    purchase(0, 1, QStringLiteral("2011-02-10T09:00:00"), false, 2, 0, 2, 5);
    purchase(0, 1, QStringLiteral("2011-01-20T09:00:00"), false, 1, 0, 1, 70);
    purchase(1, 4, QStringLiteral("2011-03-15T09:00:00"), false, 1, 0, 10, 10);

    // Collections of the day: 100.00 by transfer and 10.00 dollars in cash.
    for (const auto& [method, currency, amount] : {std::tuple{"R", 1, 100.0}, std::tuple{"F", 2, 10.0}})
        m_sb.insert(QStringLiteral("abonos"), {{"NuEmpresa", 0},
                                              {"NuCliente", m_client},
                                              {"FolioAbono", 0},
                                              {"FolioInterno", 0},
                                              {"Fecha", QStringLiteral("2011-03-15T11:00:00")},
                                              {"FechaPago", QStringLiteral("2011-03-15")},
                                              {"NuMoneda", currency},
                                              {"TipoCambio", 20.0},
                                              {"Importe", amount},
                                              {"MetodoPagoCob", QString::fromLatin1(method)}});
    m_sb.insert(QStringLiteral("notas_credito"), {{"NuEmpresa", 0},
                                                 {"NuCliente", m_client},
                                                 {"Tipo", 1},
                                                 {"Fecha", QStringLiteral("2011-03-15T16:00:00")},
                                                 {"SubTotal", 50.0},
                                                 {"Impuestos", 8.0},
                                                 {"Total", 58.0}});
    // A document of March paid in April: still owed at the end of 15 March.
    const int doc = m_sb.insert(QStringLiteral("cliente_movs"), {{"NuEmpresa", 0},
                                                                {"NuCliente", m_client},
                                                                {"Fecha", QStringLiteral("2011-03-01")},
                                                                {"FechaVence", QStringLiteral("2011-03-31")},
                                                                {"ImporteOriginal", 500.0},
                                                                {"ImporteDeuda", 0.0}});
    const int abono = m_sb.insert(QStringLiteral("abonos"), {{"NuEmpresa", 0},
                                                            {"NuCliente", m_client},
                                                            {"FolioAbono", 0},
                                                            {"FolioInterno", 0},
                                                            {"Fecha", QStringLiteral("2011-04-01T10:00:00")},
                                                            {"FechaPago", QStringLiteral("2011-04-01")},
                                                            {"Importe", 500.0}});
    m_sb.insert(QStringLiteral("abonos_mov"), {{"NuAbono", abono}, {"NuCliente_Mov", doc}, {"Importe", 500.0}, {"ImporteAbono", 500.0}});
}

void TestSandboxStatistics::branches()
{
    const TListaDBS list = m_sb.call<ops::GM_ListaSucursales>(SandboxCalls::request<ops::GM_ListaSucursales>()).result;
    QCOMPARE(list.Count, 2);
    QCOMPARE(list.ArrayDBS[0].Suc, m_sb.scalar(QStringLiteral("SELECT Suc FROM empresas WHERE NuEmpresa = 0")).toInt());
    QCOMPARE(list.ArrayDBS[1].Nombre, m_sb.scalar(QStringLiteral("SELECT Nombre FROM empresas WHERE NuEmpresa = 1")).toString());
}

void TestSandboxStatistics::weeksOfTheYear_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("week");
    QTest::newRow("first days of 2021 in week 53 of 2020") << QDate(2021, 1, 3) << 1;
    QTest::newRow("first Monday of 2021") << QDate(2021, 1, 4) << 1;
    QTest::newRow("last days of 2014 in week 1 of 2015") << QDate(2014, 12, 31) << 52;
    QTest::newRow("week 53 of 2020") << QDate(2020, 12, 31) << 53;
    QTest::newRow("plain week") << QDate(2011, 3, 15) << 11;
}

void TestSandboxStatistics::weeksOfTheYear()
{
    QFETCH(QDate, date);
    QFETCH(int, week);
    QCOMPARE(sandbox::weekOfYear(date, date.year()), week);
    QVERIFY(week <= sandbox::isoWeeksInYear(date.year()));
}

void TestSandboxStatistics::dayByBranch_data()
{
    QTest::addColumn<bool>("purchases");
    QTest::addColumn<bool>("taxes");
    QTest::addColumn<QString>("filter");
    // DB, warehouse, total, cash, credit, base units
    QTest::addColumn<QList<QList<double>>>("rows");
    QTest::newRow("sales with taxes") << false << true << ""
                                      << QList<QList<double>>{{0, 1, 290, 290, 0, 3}, {0, 2, 232, 0, 232, 1}, {1, 4, 348, 348, 0, 36}};
    QTest::newRow("sales before taxes") << false << false << ""
                                        << QList<QList<double>>{{0, 1, 250, 250, 0, 3}, {0, 2, 200, 0, 200, 1}, {1, 4, 300, 300, 0, 36}};
    QTest::newRow("sales of one product") << false << true << "est-b"
                                          << QList<QList<double>>{{0, 1, 58, 58, 0, 1}, {1, 4, 348, 348, 0, 36}};
    QTest::newRow("purchases with taxes") << true << true << ""
                                          << QList<QList<double>>{{0, 1, 464, 0, 464, 5}, {1, 4, 116, 116, 0, 10}};
    QTest::newRow("purchases of a product not bought") << true << true << "EST-B" << QList<QList<double>>{};
}

void TestSandboxStatistics::dayByBranch()
{
    QFETCH(bool, purchases);
    QFETCH(bool, taxes);
    QFETCH(QString, filter);
    QFETCH(QList<QList<double>>, rows);
    auto rq = SandboxCalls::request<ops::GM_IngresoXDia2>();
    rq.Y = 2011;
    rq.M = 3;
    rq.D = 15;
    rq.FiltroXN123 = filter;
    rq.ConImpuesto = taxes;
    const TListaInfo1 list = purchases ? m_sb.call<ops::GM_CompraXDia2>(sameParameters<ops::GM_CompraXDia2::Request>(rq)).result : m_sb.call<ops::GM_IngresoXDia2>(rq).result;
    QCOMPARE(list.Count, int(rows.size()));
    for (const QList<double>& expected : rows) {
        const TInfo1* r = branchRow(list, int(expected[0]), int(expected[1]));
        QVERIFY2(r, qPrintable(QStringLiteral("no row %1/%2").arg(expected[0]).arg(expected[1])));
        QCOMPARE(r->Total, expected[2]);
        QCOMPARE(r->Contado, expected[3]);
        QCOMPARE(r->Credito, expected[4]);
        QCOMPARE(r->Cant, expected[5]);
        QCOMPARE(r->Fecha->date, QDate(2011, 3, 15));
        QVERIFY(!r->Sucursal.isEmpty() && !r->Nombre.isEmpty());
    }
}

void TestSandboxStatistics::dayByCategory_data()
{
    QTest::addColumn<int>("db");
    QTest::addColumn<int>("almacen");
    QTest::addColumn<bool>("taxes");
    QTest::addColumn<double>("category1");
    QTest::addColumn<double>("category2");
    QTest::newRow("branch 0, every warehouse") << 0 << -1 << true << 464.0 << 58.0;
    QTest::newRow("branch 0 before taxes") << 0 << -1 << false << 400.0 << 50.0;
    QTest::newRow("branch 0, warehouse 2") << 0 << 2 << true << 232.0 << 0.0;
    QTest::newRow("every branch") << -1 << -1 << true << 464.0 << 406.0;
    QTest::newRow("branch 1") << 1 << -1 << true << 0.0 << 348.0;
}

void TestSandboxStatistics::dayByCategory()
{
    QFETCH(int, db);
    QFETCH(int, almacen);
    QFETCH(bool, taxes);
    QFETCH(double, category1);
    QFETCH(double, category2);
    auto rq = SandboxCalls::request<ops::GM_IngresoXDiaXCategoria2>();
    rq.Y = 2011;
    rq.M = 3;
    rq.D = 15;
    rq.DB = db;
    rq.NuAlmacen = almacen;
    rq.ConImpuesto = taxes;
    const TListaInfo2 list = m_sb.call<ops::GM_IngresoXDiaXCategoria2>(rq).result;
    const TInfo2* one = category(list.ArrayInfo2, 1);
    const TInfo2* two = category(list.ArrayInfo2, 2);
    QCOMPARE(one ? one->Total : 0.0, category1);
    QCOMPARE(two ? two->Total : 0.0, category2);
    QCOMPARE(list.Count, int(category1 > 0) + int(category2 > 0));
    for (const TInfo2& r : list.ArrayInfo2) {
        QCOMPARE(r.DB, db);
        QCOMPARE(r.Total, r.Contado + r.Credito);
    }
}

void TestSandboxStatistics::yearByWeekAndMonth_data()
{
    QTest::addColumn<bool>("taxes");
    QTest::addColumn<double>("total1"); // category 1, the year
    QTest::addColumn<double>("week1");  // category 1, week 1 (and January)
    QTest::addColumn<double>("week11"); // category 1, week 11 (and March)
    QTest::addColumn<double>("total2");
    QTest::newRow("with taxes") << true << 580.0 << 116.0 << 464.0 << 162.4;
    QTest::newRow("before taxes") << false << 500.0 << 100.0 << 400.0 << 140.0;
}

void TestSandboxStatistics::yearByWeekAndMonth()
{
    QFETCH(bool, taxes);
    QFETCH(double, total1);
    QFETCH(double, week1);
    QFETCH(double, week11);
    QFETCH(double, total2);
    auto rq = SandboxCalls::request<ops::GM_EjercicioXSem>();
    rq.Year = 2011;
    rq.DB = 0;
    rq.ConImpuesto = taxes;
    TListaInfo3 weeks = m_sb.call<ops::GM_EjercicioXSem>(rq).result;
    TListaInfo4 months = m_sb.call<ops::GM_EjercicioXMes>(sameParameters<ops::GM_EjercicioXMes::Request>(rq)).result;
    QCOMPARE(weeks.Count, 2);
    QCOMPARE(months.Count, 2);
    TInfo3 w = *category(weeks.ArrayInfo3, 1);
    TInfo4 m = *category(months.ArrayInfo4, 1);
    QCOMPARE(w.Total, total1);
    QCOMPARE(m.Total, total1);
    QCOMPARE(sandbox::periodField(w, "Sem", 1), week1);
    QCOMPARE(sandbox::periodField(w, "Sem", 11), week11);
    QCOMPARE(sandbox::periodField(m, "Sem", 1), week1);
    QCOMPARE(sandbox::periodField(m, "Sem", 3), week11);
    // Cash and credit parts, and the units, of week 11.
    QCOMPARE(sandbox::periodField(w, "SemN", 11) + sandbox::periodField(w, "SemR", 11), week11);
    QCOMPARE(sandbox::periodField(w, "SemR", 11), taxes ? 232.0 : 200.0);
    QCOMPARE(sandbox::periodField(w, "SemC", 11), 3.0);
    QCOMPARE(category(weeks.ArrayInfo3, 2)->Total, total2);
    QVERIFY(std::fabs(periodSum(weeks.ArrayInfo3, 53) - (total1 + total2)) < kCent);
    QVERIFY(std::fabs(periodSum(months.ArrayInfo4, 12) - (total1 + total2)) < kCent);
}

void TestSandboxStatistics::companyStatus()
{
    auto rq = SandboxCalls::request<ops::GM_EstatusEmpresa>();
    rq.Y = 2011;
    rq.M = 3;
    rq.D = 15;
    rq.ConImpuesto = true;
    const TEstatusEmpresa s = m_sb.call<ops::GM_EstatusEmpresa>(rq).result;
    QCOMPARE(s.VentasContado, 290.0);
    QCOMPARE(s.VentasCredito, 232.0);
    QCOMPARE(s.CobradoEfectivo, 290.0);
    QCOMPARE(s.NC_Devolucion, 58.0);
    QCOMPARE(s.NC_Manual, 0.0);
    QCOMPARE(s.Cobranza, 300.0);
    QCOMPARE(s.CobranzaTransfer, 100.0);
    QCOMPARE(s.CobranzaEfectivo, 200.0);
    QCOMPARE(s.CtaXCobrarMXN, 500.0);
    QCOMPARE(s.Mas1VendidoProducto, QStringLiteral("LLAVE ESTADÍSTICA A"));
    QCOMPARE(s.Mas1VendidoProductoT, 464.0);
    QCOMPARE(s.Mas2VendidoProductoT, 58.0);
    QVERIFY(s.Mas3VendidoProducto.isEmpty());

    rq.ConImpuesto = false;
    const TEstatusEmpresa net = m_sb.call<ops::GM_EstatusEmpresa>(rq).result;
    QCOMPARE(net.VentasContado, 250.0);
    QCOMPARE(net.NC_Devolucion, 50.0);
    QCOMPARE(net.CobradoEfectivo, 290.0); // money received is counted with taxes

    // The branch is the company of the login name.
    rq.User = QStringLiteral("1@demo");
    rq.ConImpuesto = true;
    const TEstatusEmpresa sauz = m_sb.call<ops::GM_EstatusEmpresa>(rq).result;
    QCOMPARE(sauz.VentasContado, 348.0);
    QCOMPARE(sauz.CobradoTarjetaCred, 348.0);

    rq.User = QStringLiteral("demo");
    const TEstatusEmpresa bought = m_sb.call<ops::GM_EstatusEmpresaCompra>(sameParameters<ops::GM_EstatusEmpresaCompra::Request>(rq)).result;
    QCOMPARE(bought.VentasCredito, 464.0);
    QCOMPARE(bought.VentasContado, 0.0);
    QCOMPARE(bought.CtaXCobrarMXN, 464.0);
    QCOMPARE(bought.Mas1VendidoProductoT, 464.0);

    rq.D = 32;
    QVERIFY(m_sb.fault<ops::GM_EstatusEmpresa>(rq).contains(QStringLiteral("no es válida")));
}

void TestSandboxStatistics::viewsOfTheDemoYearAgree_data()
{
    QTest::addColumn<bool>("purchases");
    QTest::addColumn<bool>("taxes");
    QTest::addColumn<bool>("filtered");
    for (bool purchases : {false, true})
        for (bool taxes : {true, false})
            for (bool filtered : {false, true})
                QTest::addRow("%s %s%s", purchases ? "purchases" : "sales", taxes ? "with taxes" : "before taxes",
                              filtered ? ", one product" : "")
                    << purchases << taxes << filtered;
}

void TestSandboxStatistics::viewsOfTheDemoYearAgree()
{
    QFETCH(bool, purchases);
    QFETCH(bool, taxes);
    QFETCH(bool, filtered);
    const char* table = purchases ? "compras" : "ventas";
    const QString busiest = m_sb.scalar(QStringLiteral("SELECT substr(Fecha, 1, 10) d FROM %1 WHERE Fecha >= '2026-01-01'"
                                                       " GROUP BY d ORDER BY COUNT(*) DESC LIMIT 1")
                                            .arg(QLatin1String(table)))
                                .toString();
    const QDate day = QDate::fromString(busiest, QStringLiteral("yyyy-MM-dd"));
    QVERIFY(day.isValid());
    const QString filter = filtered ? m_sb.scalar(QStringLiteral("SELECT m.ID FROM %1_mov m JOIN %1 v ON v.%2 = m.%2"
                                                                 " WHERE substr(v.Fecha, 1, 10) = ? GROUP BY m.ID"
                                                                 " ORDER BY COUNT(*) DESC LIMIT 1")
                                                      .arg(QLatin1String(table), purchases ? QStringLiteral("NuCompra") : QStringLiteral("FolioVenta")),
                                                  {busiest})
                                          .toString()
                                    : QString();

    auto daily = SandboxCalls::request<ops::GM_IngresoXDia2>();
    daily.Y = day.year();
    daily.M = day.month();
    daily.D = day.day();
    daily.FiltroXN123 = filter;
    daily.ConImpuesto = taxes;
    const TListaInfo1 byBranch = purchases ? m_sb.call<ops::GM_CompraXDia2>(sameParameters<ops::GM_CompraXDia2::Request>(daily)).result : m_sb.call<ops::GM_IngresoXDia2>(daily).result;
    QVERIFY(byBranch.Count > 0);
    double dayTotal = 0;
    for (const TInfo1& b : byBranch.ArrayInfo1) {
        auto cat = SandboxCalls::request<ops::GM_IngresoXDiaXCategoria2>();
        cat.Y = daily.Y;
        cat.M = daily.M;
        cat.D = daily.D;
        cat.DB = b.DB;
        cat.NuAlmacen = b.NuAlmacen;
        cat.FiltroXN123 = filter;
        cat.ConImpuesto = taxes;
        const TListaInfo2 categories = purchases ? m_sb.call<ops::GM_CompraXDiaXCategoria2>(sameParameters<ops::GM_CompraXDiaXCategoria2::Request>(cat)).result
                                                 : m_sb.call<ops::GM_IngresoXDiaXCategoria2>(cat).result;
        QVERIFY(std::fabs(totalSum(categories.ArrayInfo2) - b.Total) < kCent);
        QCOMPARE(b.Total, b.Contado + b.Credito);
        dayTotal += b.Total;
    }
    QVERIFY(dayTotal > 0);

    // The year, per branch and for all: weeks, months and totals agree, and
    // the branches add up to all of them.
    const QList<int> scopes{-1, 0, 1};
    QList<double> yearTotals;
    for (int db : scopes) {
        auto year = SandboxCalls::request<ops::GM_EjercicioXSem>();
        year.Year = day.year();
        year.DB = db;
        year.FiltroXN123 = filter;
        year.ConImpuesto = taxes;
        const TListaInfo3 weeks = purchases ? m_sb.call<ops::GM_CompraEjercicioXSem>(sameParameters<ops::GM_CompraEjercicioXSem::Request>(year)).result
                                            : m_sb.call<ops::GM_EjercicioXSem>(year).result;
        const TListaInfo4 months = purchases ? m_sb.call<ops::GM_CompraEjercicioXMes>(sameParameters<ops::GM_CompraEjercicioXMes::Request>(year)).result
                                             : m_sb.call<ops::GM_EjercicioXMes>(sameParameters<ops::GM_EjercicioXMes::Request>(year)).result;
        const double total = totalSum(weeks.ArrayInfo3);
        QVERIFY(std::fabs(periodSum(weeks.ArrayInfo3, 53) - total) < kCent);
        QVERIFY(std::fabs(periodSum(months.ArrayInfo4, 12) - total) < kCent);
        QVERIFY(std::fabs(totalSum(months.ArrayInfo4) - total) < kCent);
        yearTotals.append(total);
    }
    QVERIFY(yearTotals[0] >= dayTotal - kCent);
    QVERIFY(std::fabs(yearTotals[0] - yearTotals[1] - yearTotals[2]) < kCent);
}

void TestSandboxStatistics::badScopesAreRefused_data()
{
    QTest::addColumn<int>("db");
    QTest::addColumn<int>("almacen");
    QTest::addColumn<QString>("fault");
    QTest::newRow("branch past the list") << 2 << -1 << "La sucursal 2 no existe";
    QTest::newRow("branch below -1") << -2 << -1 << "La sucursal -2 no existe";
    QTest::newRow("warehouse of another branch") << 0 << 4 << "El almacén 4 no es de la sucursal 0";
    QTest::newRow("unknown warehouse") << -1 << 999 << "El almacén 999 no existe";
}

void TestSandboxStatistics::badScopesAreRefused()
{
    QFETCH(int, db);
    QFETCH(int, almacen);
    QFETCH(QString, fault);
    auto rq = SandboxCalls::request<ops::GM_IngresoXDiaXCategoria2>();
    rq.Y = 2011;
    rq.M = 3;
    rq.D = 15;
    rq.DB = db;
    rq.NuAlmacen = almacen;
    QCOMPARE(m_sb.fault<ops::GM_IngresoXDiaXCategoria2>(rq), fault);
}

void TestSandboxStatistics::purchaseHistoryBoundedByMax_data()
{
    QTest::addColumn<int>("sucursal");
    QTest::addColumn<int>("max");
    QTest::addColumn<QStringList>("dates");
    QTest::newRow("two newest") << 0 << 2 << QStringList{"2011-03-15", "2011-02-10"};
    QTest::newRow("all three") << 0 << 200 << QStringList{"2011-03-15", "2011-02-10", "2011-01-20"};
    QTest::newRow("the other branch") << 1 << 10 << QStringList{"2011-03-15"};
}

void TestSandboxStatistics::purchaseHistoryBoundedByMax()
{
    QFETCH(int, sucursal);
    QFETCH(int, max);
    QFETCH(QStringList, dates);
    auto rq = SandboxCalls::request<ops::GM_HistorialComprasXSuc>();
    rq.N123 = QStringLiteral("EST-A");
    rq.Sucursal = sucursal;
    rq.Max = max;
    const TListaCompras list = m_sb.call<ops::GM_HistorialComprasXSuc>(rq).result;
    QCOMPARE(list.Count, int(dates.size()));
    for (int i = 0; i < list.Count; ++i) {
        const TCompras& c = list.ArrayCompras[size_t(i)];
        QCOMPARE(c.Fecha->date.toString(Qt::ISODate), dates[i]);
        QCOMPARE(c.Proveedor, QStringLiteral("Proveedor de Prueba"));
        if (c.NuMoneda == 2) {
            QCOMPARE(c.TC, 20.0);
            QCOMPARE(c.Costo, 5.0);
        }
    }

    rq.Max = 0;
    QCOMPARE(m_sb.fault<ops::GM_HistorialComprasXSuc>(rq), QStringLiteral("El número de registros debe ser mayor a cero"));
    rq.Max = 10;
    rq.Sucursal = 5;
    QCOMPARE(m_sb.fault<ops::GM_HistorialComprasXSuc>(rq), QStringLiteral("La sucursal 5 no existe"));
}

void TestSandboxStatistics::salesHistoryOfAClient()
{
    auto rq = SandboxCalls::request<ops::GM_HistorialVentas>();
    rq.N123 = QStringLiteral("EST-A");
    rq.NuCliente = m_client;
    rq.Max = 50;
    // The cancelled sale is not history.
    TListaCompras list = m_sb.call<ops::GM_HistorialVentas>(rq).result;
    QCOMPARE(list.Count, 3);
    QCOMPARE(list.ArrayCompras[0].Fecha->date, QDate(2011, 3, 15));
    QCOMPARE(list.ArrayCompras[0].NuMoneda, 2);
    QCOMPARE(list.ArrayCompras[1].Cant, 2.0);
    QCOMPARE(list.ArrayCompras[1].Costo, 100.0);
    QCOMPARE(list.ArrayCompras[1].CostoImp, 116.0);
    QCOMPARE(list.ArrayCompras[2].Fecha->date, QDate(2011, 1, 2));

    rq.Max = 1;
    QCOMPARE(m_sb.call<ops::GM_HistorialVentas>(rq).result.Count, 1);
    rq.NuCliente = 0;
    QCOMPARE(m_sb.call<ops::GM_HistorialVentas>(rq).result.Count, 0);
    rq.NuCliente = m_sb.scalar(QStringLiteral("SELECT NuClienteKorvel FROM clientes WHERE NuEmpresa = 1 LIMIT 1")).toInt();
    QCOMPARE(m_sb.fault<ops::GM_HistorialVentas>(rq), QStringLiteral("El cliente %1 no existe").arg(rq.NuCliente));
}

QTEST_GUILESS_MAIN(TestSandboxStatistics)
#include "tst_sandbox_statistics.moc"
