// The sandbox's order, delivery and price authorization operations: an order
// saved, listed, changed and processed for every operation of the send
// panel with figures that add up, their refusal codes with the data left as
// it was, the PDFs, the sale of a delivery folio and its registration, the
// company's delivery endpoint over HTTP, the sale review text and the price
// authorization queue.

#include "OrdersFixture.h"

#include "server/orders/OrderMath.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <cmath>

using namespace korvel;
using namespace korvel::sandbox;
using namespace korvel::sandbox::testing;

namespace {

const QByteArray kJpeg = QByteArray::fromHex("FFD8FFE000104A46494600010100000100010000FFD9");

TDetalle line(const QString& id, double cantidad, double precio, double ieps = 8, const QString& auth = {},
              double pacto = 0)
{
    TDetalle d;
    d.NuProducto = id;
    d.Producto = id == u"TST-1" ? QStringLiteral("MARTILLO, UÑA CURVA 16 OZ") : QStringLiteral("CLAVO 2 PULGADAS");
    d.Cantidad = cantidad;
    d.Precio = precio;
    d.TasaIVA = 16;
    d.TasaIEPS = ieps;
    d.Unidad = QStringLiteral("Pieza");
    d.VNuMedida = 9001;
    d.VUnidades = 1;
    d.REQ_AUTH = auth;
    d.PrecioPacto = pacto;
    return d;
}

TDetalle boxLine(double cajas)
{
    TDetalle d = line(QStringLiteral("TST-1"), cajas, 1080);
    d.Unidad = QStringLiteral("Caja");
    d.VNuMedida = 9002;
    d.VUnidades = 12;
    d.UsarMultiUnidad = true;
    return d;
}

// A new order as the send panel builds it; the client's own totals are left
// wrong on purpose: the server works them out from the lines.
TPedido pedido(int cliente, int paso, std::vector<TDetalle> lines, const QString& metodo = QStringLiteral("PPD"))
{
    static int second = 0;
    TPedido p;
    p.NuCliente = cliente;
    p.Cliente.NuClienteKorvel = cliente;
    p.NuImpreso = 1;
    p.TipoFolioCliente = 1;
    p.Fecha.date = QDate::currentDate();
    p.Hora.time = QTime(6, 0).addSecs(++second);
    p.Fecha_Entrega.date = QDate::currentDate().addDays(1);
    p.NuMoneda = 1;
    p.NuPaso = paso;
    p.MetodoPago = metodo;
    p.FormaPago = metodo == u"PPD" ? QStringLiteral("99") : QStringLiteral("01");
    p.UsoCFDI = QStringLiteral("G03");
    p.Notas = QStringLiteral("Entregar por la mañana");
    for (size_t i = 0; i < lines.size(); ++i)
        lines[i].NuDetalle = int(i) + 1;
    p.Count = qint32(lines.size());
    p.ArrayDetalle = std::move(lines);
    p.SubTotal = p.Total = 1;
    return p;
}

std::vector<TDetalle> standardLines()
{
    return {line(QStringLiteral("TST-1"), 2, 100), line(QStringLiteral("TST-2"), 5, 10, 0)};
}

bool isPdf(const QByteArray& bytes)
{
    return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
}

bool near(double a, double b)
{
    return std::fabs(a - b) < 1e-6;
}

} // namespace

class TestSandboxOrders : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void lineAmounts_data();
    void lineAmounts();
    void orderThroughEveryOperation_data();
    void orderThroughEveryOperation();
    void saleAmountsAreInCents();
    void saveRefusals_data();
    void saveRefusals();
    void modifyRefusals_data();
    void modifyRefusals();
    void processRefusals_data();
    void processRefusals();
    void stepMoves_data();
    void stepMoves();
    void documents_data();
    void documents();
    void saleSearch_data();
    void saleSearch();
    void deliveryRegistration();
    void deliveryFaults_data();
    void deliveryFaults();
    void deliveryEndpoint();
    void saleReview();
    void priceDecisions_data();
    void priceDecisions();
    void authorizationList();

private:
    int save(const TPedido& p, const QString& user = kUser);
    int process(int nuCarro, int proceso, int* folioVenta = nullptr);
    // An order processed into a sale of that kind; its sale folio.
    int sale(int proceso, int cliente = kCliente, const QString& metodo = QStringLiteral("PPD"));
    TPedido fetch(int nuCarro);
    int count(const char* table);

    OrdersFixture m_fx;
};

void TestSandboxOrders::initTestCase()
{
    QVERIFY(m_fx.start());
}

int TestSandboxOrders::save(const TPedido& p, const QString& user)
{
    ops::Guardar_Carro::Request rq{user, kPass, p, 0};
    const auto a = m_fx.call<ops::Guardar_Carro>(rq);
    if (!a.response || a.response->result != 2)
        return -1;
    return a.response->NuCarro;
}

int TestSandboxOrders::process(int nuCarro, int proceso, int* folioVenta)
{
    const auto a = m_fx.call<ops::Procesar_Carro>({kUser, kPass, nuCarro, proceso, 0});
    if (!a.response)
        return -100;
    if (folioVenta)
        *folioVenta = a.response->FolioVenta;
    return a.response->result;
}

int TestSandboxOrders::sale(int proceso, int cliente, const QString& metodo)
{
    const int nuCarro = save(pedido(cliente, 1, standardLines(), metodo));
    int folio = 0;
    const int code = process(nuCarro, proceso, &folio);
    return code == 2 || code == 5 ? folio : -1;
}

TPedido TestSandboxOrders::fetch(int nuCarro)
{
    const auto a = m_fx.call<ops::Lista_CarroXID>({kUser, kPass, nuCarro});
    if (!a.response || a.response->result.Count != 1)
        return {};
    return a.response->result.ArrayPedido.front();
}

int TestSandboxOrders::count(const char* table)
{
    return m_fx.scalar(QStringLiteral("SELECT COUNT(*) FROM ") + QLatin1String(table)).toInt();
}

// The server's recomputation of a line is the field client's.
void TestSandboxOrders::lineAmounts_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("tasa2Base");
    QTest::addColumn<double>("ieps");
    QTest::addColumn<double>("tasa2");
    QTest::addColumn<double>("precio");
    QTest::addColumn<double>("cantidad");
    QTest::addColumn<double>("iva");
    QTest::addColumn<double>("iepsAmount");
    QTest::addColumn<double>("total");
    QTest::newRow("IVA on price plus IEPS") << 2 << false << 8.0 << 0.0 << 100.0 << 2.0 << 34.56 << 16.0 << 250.56;
    QTest::newRow("IEPS on price plus IVA") << 1 << false << 8.0 << 0.0 << 100.0 << 2.0 << 32.0 << 18.56 << 250.56;
    QTest::newRow("both on the price") << 0 << false << 8.0 << 0.0 << 100.0 << 2.0 << 32.0 << 16.0 << 248.0;
    QTest::newRow("second tax in the IVA base") << 0 << true << 0.0 << 3.0 << 100.0 << 1.0 << 16.48 << 0.0 << 119.48;
}

void TestSandboxOrders::lineAmounts()
{
    QFETCH(int, option);
    QFETCH(bool, tasa2Base);
    QFETCH(double, ieps);
    QFETCH(double, tasa2);
    QFETCH(double, precio);
    QFETCH(double, cantidad);
    TDetalle d;
    d.Precio = precio;
    d.Cantidad = cantidad;
    d.TasaIVA = 16;
    d.TasaIEPS = ieps;
    d.TasaTasa2 = tasa2;
    TaxOptions options;
    options.iepsSobreIva = option;
    options.tasa2IncBaseIva = tasa2Base;
    calcularDetalle(d, options);
    QFETCH(double, iva);
    QFETCH(double, iepsAmount);
    QFETCH(double, total);
    QCOMPARE(std::round(d.IVA * 100) / 100, iva);
    QCOMPARE(std::round(d.IEPS * 100) / 100, iepsAmount);
    QCOMPARE(std::round(d.Total * 100) / 100, total);
}

void TestSandboxOrders::orderThroughEveryOperation_data()
{
    QTest::addColumn<int>("paso");
    QTest::addColumn<int>("proceso");     // 0 = saved only
    QTest::addColumn<QString>("metodo");
    QTest::newRow("Enviar como Pedido") << 1 << 0 << "PPD";
    QTest::newRow("Generar Cotización") << 9 << 0 << "PUE";
    QTest::newRow("Dejar En Captura") << 0 << 0 << "PUE";
    QTest::newRow("Generar Factura") << 1 << 2 << "PPD";
    QTest::newRow("Generar Ticket") << 1 << 5 << "PUE";
    QTest::newRow("Solo Entregar") << 1 << 6 << "PPD";
}

void TestSandboxOrders::orderThroughEveryOperation()
{
    QFETCH(int, paso);
    QFETCH(int, proceso);
    QFETCH(QString, metodo);
    const double stockBefore =
        m_fx.scalar(QStringLiteral("SELECT Existencia FROM existencias WHERE NuAlmacen = 9001 AND ID = 'TST-1'")).toDouble();

    // Save: totals are the sums of the lines as the field client works them out.
    const int nuCarro = save(pedido(kCliente, paso, standardLines(), metodo));
    QVERIFY(nuCarro > 0);
    TPedido stored = fetch(nuCarro);
    QCOMPARE(stored.NuPaso, paso);
    QCOMPARE(stored.Count, 2);
    QCOMPARE(stored.Cliente.Nombre, QStringLiteral("Construcciones del Bajío"));
    QCOMPARE(stored.NuUser, 9001);
    QVERIFY(near(stored.ArrayDetalle[0].IVA, 34.56) && near(stored.ArrayDetalle[0].IEPS, 16));
    QVERIFY(near(stored.SubTotal, 250) && near(stored.IVA, 42.56) && near(stored.IEPS, 16));
    QVERIFY(near(stored.Total, 308.56));

    // Listed under its day and step, and under "Todo", without lines.
    const XsDateTime day{QDate::currentDate(), QTime(0, 0), {}};
    for (int filter : {paso, -1}) {
        const auto list = m_fx.call<ops::Lista_CarroSinDetalle>({kUser, kPass, day, day, filter});
        QVERIFY(list.response);
        const auto& orders = list.response->result.ArrayPedido;
        const auto it = std::find_if(orders.begin(), orders.end(), [&](const TPedido& o) { return o.NuPedido == nuCarro; });
        QVERIFY2(it != orders.end(), "the order is not in the list");
        QCOMPARE(it->Count, 0);
        QVERIFY(near(it->Total, 308.56));
        QCOMPARE(list.response->result.Count, qint32(orders.size()));
    }

    // Modify: only capture and quotation change; the totals follow the lines.
    stored.ArrayDetalle[1].Cantidad = 10;
    const auto modified = m_fx.call<ops::Modificar_Carro>({kUser, kPass, stored});
    QVERIFY(modified.response);
    QCOMPARE(modified.response->result, paso == 1 ? 2 : 5);
    const TPedido after = fetch(nuCarro);
    QVERIFY(near(after.Total, paso == 1 ? 308.56 : 366.56));

    int folio = 0;
    const int code = process(nuCarro, proceso == 0 ? 2 : proceso, &folio);
    if (proceso == 0) {
        // Saved orders in capture or quotation are not "En Proceso".
        QCOMPARE(code, paso == 1 ? 2 : 1);
        if (paso != 1)
            QCOMPARE(folio, 0);
        return;
    }
    QCOMPARE(code, 2);
    QVERIFY(folio > 0);
    QCOMPARE(fetch(nuCarro).NuPaso, 2);
    QCOMPARE(fetch(nuCarro).FolioVenta, folio);

    // The sale: its lines add up to its header and to the order.
    QSqlQuery s = m_fx.store().exec(QStringLiteral("SELECT Tipo, Total, SubTotal, IVA, IEPS, Credito, NuTimbre IS NOT NULL,"
                                                   " EstatusEntrega, Origen FROM ventas WHERE FolioVenta = ?"),
                                    {folio});
    QVERIFY(s.next());
    QCOMPARE(s.value(0).toInt(), proceso);
    QVERIFY(near(s.value(1).toDouble(), 308.56));
    const double linesTotal = m_fx.scalar(QStringLiteral("SELECT SUM(Total) FROM ventas_mov WHERE FolioVenta = ?"), {folio}).toDouble();
    QVERIFY(near(linesTotal, s.value(1).toDouble()));
    QVERIFY(near(s.value(2).toDouble() + s.value(3).toDouble() + s.value(4).toDouble(), s.value(1).toDouble()));
    QCOMPARE(s.value(5).toInt(), metodo == u"PPD" ? 1 : 0);
    QCOMPARE(s.value(6).toBool(), proceso == 2);
    QCOMPARE(s.value(7).toInt(), 1);  // on the road to the client
    QCOMPARE(s.value(8).toString(), QStringLiteral("ADM"));

    // The client's account: an open document of the whole amount.
    QSqlQuery d = m_fx.store().exec(QStringLiteral("SELECT ImporteOriginal, ImporteDeuda, NuCliente, FechaVence, UUID"
                                                   " FROM cliente_movs WHERE FolioVenta = ?"),
                                    {folio});
    QVERIFY(d.next());
    QVERIFY(near(d.value(0).toDouble(), 308.56) && near(d.value(1).toDouble(), 308.56));
    QCOMPARE(d.value(2).toInt(), kCliente);
    QCOMPARE(d.value(3).toString(), QDate::currentDate().addDays(metodo == u"PPD" ? 30 : 0).toString(Qt::ISODate));
    QCOMPARE(d.value(4).toString().isEmpty(), proceso != 2);

    // The goods left the warehouse.
    const double stockAfter =
        m_fx.scalar(QStringLiteral("SELECT Existencia FROM existencias WHERE NuAlmacen = 9001 AND ID = 'TST-1'")).toDouble();
    QCOMPARE(stockAfter, stockBefore - 2);
}

// A sale is a fiscal document: amounts in cents, the header the sum of its lines.
void TestSandboxOrders::saleAmountsAreInCents()
{
    TArrayDetalle lines = standardLines();
    lines[0].Precio = 10.333;
    lines[0].Cantidad = 3;
    lines[1].Precio = 7.777;
    lines[1].Cantidad = 7;
    const int nuCarro = save(pedido(kCliente, 1, lines, QStringLiteral("PUE")));
    QVERIFY(nuCarro > 0);
    QVERIFY(!near(fetch(nuCarro).Total * 100, std::round(fetch(nuCarro).Total * 100))); // the order keeps its exact figures
    int folio = 0;
    QCOMPARE(process(nuCarro, 2, &folio), 2);
    auto cents = [](double v) { return std::abs(v * 100 - std::round(v * 100)) < 1e-6; };
    QSqlQuery s = m_fx.store().exec(QStringLiteral("SELECT SubTotal, IVA, IEPS, Total FROM ventas WHERE FolioVenta = ?"), {folio});
    QVERIFY(s.next());
    for (int i = 0; i < 4; ++i)
        QVERIFY2(cents(s.value(i).toDouble()), qPrintable(s.value(i).toString()));
    QSqlQuery l = m_fx.store().exec(QStringLiteral("SELECT Importe, IVA, IEPS, Total FROM ventas_mov WHERE FolioVenta = ?"), {folio});
    double sum = 0;
    while (l.next()) {
        for (int i = 0; i < 4; ++i)
            QVERIFY(cents(l.value(i).toDouble()));
        QVERIFY(near(l.value(0).toDouble() + l.value(1).toDouble() + l.value(2).toDouble(), l.value(3).toDouble()));
        sum += l.value(3).toDouble();
    }
    QVERIFY(near(sum, s.value(3).toDouble()));
    QVERIFY(near(m_fx.scalar(QStringLiteral("SELECT ImporteOriginal FROM cliente_movs WHERE FolioVenta = ?"), {folio}).toDouble(),
                 s.value(3).toDouble()));
}

void TestSandboxOrders::saveRefusals_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<TPedido>("order");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("reason");  // part of what UltimoError tells
    const auto ok = [] { return pedido(kCliente, 1, standardLines()); };
    TPedido empty = ok();
    empty.ArrayDetalle.clear();
    empty.Count = 0;
    TPedido countBeyondLines = ok();
    countBeyondLines.ArrayDetalle.clear();
    countBeyondLines.Count = 3;
    TPedido unknown = ok();
    unknown.ArrayDetalle[1].NuProducto = QStringLiteral("NO-EXISTE");
    TPedido blocked = ok();
    blocked.ArrayDetalle[1].NuProducto = QStringLiteral("TST-BLQ");
    TPedido negative = ok();
    negative.ArrayDetalle[0].Cantidad = -2;
    TPedido nan = ok();
    nan.ArrayDetalle[0].Precio = std::nan("");
    TPedido noClient = ok();
    noClient.NuCliente = 0;
    noClient.Cliente.NuClienteKorvel = 0;
    TPedido foreignClient = ok();
    foreignClient.NuCliente = kClienteOtra;
    TPedido currency = ok();
    currency.NuMoneda = 3;
    TPedido invoicedStep = ok();
    invoicedStep.NuPaso = 2;
    TPedido lateDate = ok();
    lateDate.Fecha_Entrega.date = QDate::currentDate().addDays(-1);
    TPedido existing = ok();
    existing.NuPedido = save(ok());
    const TPedido sent = ok();
    QVERIFY(save(sent) > 0);  // its answer "lost": the same order sent again

    QTest::newRow("no lines") << kUser << empty << 0 << "no tiene productos";
    QTest::newRow("Count larger than the lines sent") << kUser << countBeyondLines << 0 << "no tiene productos";
    QTest::newRow("unknown product") << kUser << unknown << 5 << "NO-EXISTE no existe";
    QTest::newRow("blocked product") << kUser << blocked << 0 << "bloqueado";
    QTest::newRow("negative quantity") << kUser << negative << 0 << "cantidad";
    QTest::newRow("price not a number") << kUser << nan << 0 << "precio";
    QTest::newRow("no client") << kUser << noClient << 3 << "no indica el cliente";
    QTest::newRow("client of another company") << kUser << foreignClient << 3 << "no existe en esta empresa";
    QTest::newRow("unknown currency") << kUser << currency << 4 << "Moneda";
    QTest::newRow("saved as invoiced") << kUser << invoicedStep << 4 << "paso 2";
    QTest::newRow("delivery before the order date") << kUser << lateDate << 4 << "fecha de entrega";
    QTest::newRow("user without the order module") << kLimited << ok() << -1 << "no tiene acceso";
    QTest::newRow("order that already exists") << kUser << existing << 1 << "Ya existe";
    QTest::newRow("the same order sent again") << kUser << sent << 1 << "mismos datos";
}

void TestSandboxOrders::saveRefusals()
{
    QFETCH(QString, user);
    QFETCH(TPedido, order);
    QFETCH(int, code);
    QFETCH(QString, reason);
    const int orders = count("carros");
    const int lines = count("carros_mov");
    const auto a = m_fx.call<ops::Guardar_Carro>({user, kPass, order, 0});
    QVERIFY(a.response);
    QCOMPARE(a.response->result, code);
    // "Ya existe" names the order that was already saved.
    QCOMPARE(a.response->NuCarro > 0, code == 1);
    QCOMPARE(count("carros"), orders);
    QCOMPARE(count("carros_mov"), lines);
    const QString why = m_fx.call<ops::UltimoError>({}).response->result;
    QVERIFY2(why.contains(reason), qPrintable(why));
}

void TestSandboxOrders::modifyRefusals_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<int>("which");   // 0 an order in capture, 1 one in process, 2 another company's, 3 none
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("code");
    QTest::newRow("no folio") << kUser << 3 << "" << 0;
    QTest::newRow("unknown order") << kUser << 3 << "unknown" << 1;
    QTest::newRow("order of another company") << kUser << 2 << "" << 1;
    QTest::newRow("order already in process") << kUser << 1 << "" << 2;
    QTest::newRow("all lines removed") << kUser << 0 << "empty" << 2;
    QTest::newRow("unknown product") << kUser << 0 << "product" << 3;
    QTest::newRow("negative quantity") << kUser << 0 << "negative" << 3;
    QTest::newRow("user without the order module") << kLimited << 0 << "" << -1;
}

void TestSandboxOrders::modifyRefusals()
{
    QFETCH(QString, user);
    QFETCH(int, which);
    QFETCH(QString, change);
    QFETCH(int, code);
    TPedido order;
    int nuCarro = 0;
    if (which == 2) {
        nuCarro = save(pedido(kClienteOtra, 0, standardLines()), kOther);
        QVERIFY(nuCarro > 0);
        QVERIFY(!m_fx.call<ops::Lista_CarroXID>({kUser, kPass, nuCarro}).fault.isEmpty());
        order = pedido(kCliente, 0, standardLines());
        order.NuPedido = nuCarro;
    } else if (which < 2) {
        nuCarro = save(pedido(kCliente, which, standardLines()));
        QVERIFY(nuCarro > 0);
        order = fetch(nuCarro);
    } else {
        order = pedido(kCliente, 0, standardLines());
        order.NuPedido = change == u"unknown" ? 987654 : 0;
    }
    if (change == u"empty") {
        order.ArrayDetalle.clear();
        order.Count = 0;
    } else if (change == u"product") {
        order.ArrayDetalle[0].NuProducto = QStringLiteral("NO-EXISTE");
    } else if (change == u"negative") {
        order.ArrayDetalle[1].Cantidad = -1;
    }
    const QVariant totalBefore = m_fx.scalar(QStringLiteral("SELECT Total FROM carros WHERE NuCarro = ?"), {nuCarro});
    const QVariant linesBefore = m_fx.scalar(QStringLiteral("SELECT COUNT(*) FROM carros_mov WHERE NuCarro = ?"), {nuCarro});
    const auto a = m_fx.call<ops::Modificar_Carro>({user, kPass, order});
    QVERIFY(a.response);
    QCOMPARE(a.response->result, code);
    QCOMPARE(m_fx.scalar(QStringLiteral("SELECT Total FROM carros WHERE NuCarro = ?"), {nuCarro}), totalBefore);
    QCOMPARE(m_fx.scalar(QStringLiteral("SELECT COUNT(*) FROM carros_mov WHERE NuCarro = ?"), {nuCarro}), linesBefore);
}

void TestSandboxOrders::processRefusals_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("proceso");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("saleWritten");
    QTest::newRow("unknown order") << "unknown" << 2 << 0 << false;
    QTest::newRow("order of another company") << "foreign" << 2 << 0 << false;
    QTest::newRow("order in capture") << "capture" << 2 << 1 << false;
    QTest::newRow("order already invoiced") << "invoiced" << 5 << 1 << false;
    QTest::newRow("price waiting for authorization") << "request" << 2 << 3 << false;
    QTest::newRow("unknown processing code") << "process" << 7 << 3 << false;
    QTest::newRow("delivery only, no address") << "noaddress" << 6 << 4 << false;
    QTest::newRow("invoice, no address to deliver to") << "noaddress" << 2 << 5 << true;
}

void TestSandboxOrders::processRefusals()
{
    QFETCH(QString, setup);
    QFETCH(int, proceso);
    QFETCH(int, code);
    QFETCH(bool, saleWritten);
    int nuCarro = 987654;
    if (setup == u"foreign")
        nuCarro = save(pedido(kClienteOtra, 1, standardLines()), kOther);
    else if (setup == u"capture")
        nuCarro = save(pedido(kCliente, 0, standardLines()));
    else if (setup == u"invoiced") {
        nuCarro = save(pedido(kCliente, 1, standardLines()));
        QCOMPARE(process(nuCarro, 2), 2);
    } else if (setup == u"request")
        nuCarro = save(pedido(kCliente, 1, {line(QStringLiteral("TST-1"), 1, 80, 8, QStringLiteral("R"))}));
    else if (setup == u"process")
        nuCarro = save(pedido(kCliente, 1, standardLines()));
    else if (setup == u"noaddress")
        nuCarro = save(pedido(kClienteSinDomicilio, 1, standardLines(), QStringLiteral("PUE")));
    QVERIFY(nuCarro > 0);
    const int sales = count("ventas");
    const int documents = count("cliente_movs");
    int folio = -1;
    QCOMPARE(process(nuCarro, proceso, &folio), code);
    QCOMPARE(count("ventas"), sales + (saleWritten ? 1 : 0));
    QCOMPARE(count("cliente_movs"), documents + (saleWritten ? 1 : 0));
    QCOMPARE(folio > 0, saleWritten);
    if (saleWritten)
        QCOMPARE(m_fx.scalar(QStringLiteral("SELECT EstatusEntrega FROM ventas WHERE FolioVenta = ?"), {folio}).toInt(), 0);
}

void TestSandboxOrders::stepMoves_data()
{
    QTest::addColumn<int>("paso");
    QTest::addColumn<bool>("invoiced");
    QTest::addColumn<int>("proceso");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("pasoAfter");
    QTest::newRow("quotation sent as order") << 9 << false << 1 << 2 << 1;
    QTest::newRow("order back to capture") << 1 << false << 0 << 2 << 0;
    QTest::newRow("capture made a quotation") << 0 << false << 9 << 2 << 9;
    QTest::newRow("invoiced order stays invoiced") << 1 << true << 0 << 1 << 2;
}

void TestSandboxOrders::stepMoves()
{
    QFETCH(int, paso);
    QFETCH(bool, invoiced);
    QFETCH(int, proceso);
    QFETCH(int, code);
    QFETCH(int, pasoAfter);
    const int nuCarro = save(pedido(kCliente, paso, standardLines()));
    if (invoiced)
        QCOMPARE(process(nuCarro, 2), 2);
    const int sales = count("ventas");
    int folio = -1;
    QCOMPARE(process(nuCarro, proceso, &folio), code);
    QCOMPARE(folio, 0);
    QCOMPARE(fetch(nuCarro).NuPaso, pasoAfter);
    QCOMPARE(count("ventas"), sales);
}

void TestSandboxOrders::documents_data()
{
    QTest::addColumn<QString>("document");
    QTest::addColumn<bool>("bytes");
    QTest::addColumn<QByteArray>("text");  // a text the PDF shows
    QTest::newRow("order") << "order" << true << QByteArray("Pedido ");
    QTest::newRow("quotation") << "quotation" << true << QByteArray("Cotizaci");
    QTest::newRow("order of another company") << "foreignOrder" << false << QByteArray();
    QTest::newRow("invoice") << "invoice" << true << QByteArray("Folio fiscal");
    QTest::newRow("ticket has no invoice") << "ticket" << false << QByteArray();
    QTest::newRow("account statement") << "statement" << true << QByteArray("Saldo final");
    QTest::newRow("statement without movements") << "emptyStatement" << false << QByteArray();
    QTest::newRow("aged balances") << "aged" << true << QByteArray("Saldo total");
    QTest::newRow("aged balances without debts") << "emptyAged" << false << QByteArray();
}

void TestSandboxOrders::documents()
{
    QFETCH(QString, document);
    QFETCH(bool, bytes);
    QFETCH(QByteArray, text);
    QByteArray pdf;
    QByteArray number;  // the document's number, printed in it
    if (document == u"order" || document == u"quotation") {
        const int nuCarro = save(pedido(kCliente, document == u"order" ? 1 : 9, standardLines()));
        pdf = m_fx.call<ops::GeneraPDF_Carro>({kUser, kPass, nuCarro}).response->result;
        number = QByteArray::number(nuCarro);
    } else if (document == u"foreignOrder") {
        const int nuCarro = save(pedido(kClienteOtra, 1, standardLines()), kOther);
        pdf = m_fx.call<ops::GeneraPDF_Carro>({kUser, kPass, nuCarro}).response->result;
    } else if (document == u"invoice" || document == u"ticket") {
        const int folio = sale(document == u"invoice" ? 2 : 5);
        pdf = m_fx.call<ops::GeneraPDF_FacturaXFolioVenta>({kUser, kPass, folio}).response->result;
    } else if (document == u"statement" || document == u"emptyStatement") {
        if (document == u"statement")
            QVERIFY(sale(2) > 0);
        const int cliente = document == u"statement" ? kCliente : kClienteNuevo;
        pdf = m_fx.call<ops::GeneraPDF_EstadoCuenta>({kUser, kPass, cliente, 2, QDate::currentDate().year()}).response->result;
        if (document == u"statement")  // dollars: nothing; pesos: the sales
            QVERIFY(pdf.isEmpty());
        pdf = m_fx.call<ops::GeneraPDF_EstadoCuenta>({kUser, kPass, cliente, 1, QDate::currentDate().year()}).response->result;
    } else {
        const int cliente = document == u"aged" ? kCliente : kClienteNuevo;
        if (document == u"aged")
            QVERIFY(sale(5) > 0);
        pdf = m_fx.call<ops::GeneraPDF_AntSaldos>({kUser, kPass, cliente, 1}).response->result;
    }
    QCOMPARE(!pdf.isEmpty(), bytes);
    if (bytes) {
        QVERIFY(isPdf(pdf));
        QVERIFY2(pdf.contains(text), text.constData());
        QVERIFY(pdf.contains(number));
    } else {
        QVERIFY(!m_fx.call<ops::UltimoError>({}).response->result.isEmpty());
    }
}

void TestSandboxOrders::saleSearch_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("folio");  // "$S" the ticket sale, "$U" its invoice's UUID address, "$P" a counter sale
    QTest::addColumn<int>("code");
    QTest::newRow("sale folio") << kUser << "$S" << 2;
    QTest::newRow("what is left of a ?ID= address") << kUser << "$S&re=x" << 2;
    QTest::newRow("tax authority QR of the invoice") << kUser << "$U" << 2;
    QTest::newRow("not a folio") << kUser << "12a" << 1;
    QTest::newRow("empty") << kUser << " " << 1;
    QTest::newRow("unknown sale") << kUser << "99999999" << 0;
    QTest::newRow("sale of another company") << kOther << "$S" << 0;
    QTest::newRow("counter sale") << kUser << "$P" << 3;
    QTest::newRow("user without deliveries") << kLimited << "$S" << -1;
}

void TestSandboxOrders::saleSearch()
{
    QFETCH(QString, user);
    QFETCH(QString, folio);
    QFETCH(int, code);
    static int ticket = 0;
    static int invoice = 0;
    static int counter = 0;
    if (!ticket) {
        ticket = sale(5);
        invoice = sale(2);
        m_fx.store().exec(QStringLiteral("INSERT INTO ventas (NuEmpresa, NuAlmacen, NuCliente, Tipo, Origen, Fecha)"
                                         " VALUES (90, 9001, 90002, 5, 'POS', '2024-03-05T10:00:00')"));
        counter = m_fx.scalar(QStringLiteral("SELECT MAX(FolioVenta) FROM ventas WHERE Origen = 'POS' AND NuEmpresa = 90")).toInt();
    }
    const QString uuid = m_fx.scalar(QStringLiteral("SELECT t.UUID FROM ventas v JOIN timbres t ON t.NuTimbre = v.NuTimbre"
                                                    " WHERE v.FolioVenta = ?"), {invoice}).toString();
    folio.replace(QStringLiteral("$S"), QString::number(ticket));
    folio.replace(QStringLiteral("$P"), QString::number(counter));
    folio.replace(QStringLiteral("$U"), QStringLiteral("https://verificacfdi.facturaelectronica.sat.gob.mx/default.aspx?id=")
                                            + uuid.toLower() + QStringLiteral("&re=FPR010101AA1"));
    const auto a = m_fx.call<ops::BuscarFolioVentaCFDI>({user, kPass, folio, 0, 0, {}});
    QVERIFY(a.response);
    QCOMPARE(a.response->result, code);
    if (code != 2) {
        QCOMPARE(a.response->FolioVenta, 0);
        return;
    }
    const TCFDI& c = a.response->CFDI;
    const bool isInvoice = folio.startsWith(u"http");
    QCOMPARE(a.response->FolioVenta, isInvoice ? invoice : ticket);
    QCOMPARE(a.response->Estatus, 1);
    QCOMPARE(c.RECEPTOR, QStringLiteral("Construcciones del Bajío"));
    QCOMPARE(c.PedEntrega, QStringLiteral("Av. Juárez 12, Centro, León"));
    QCOMPARE(c.PedNotas, QStringLiteral("Entregar por la mañana"));
    if (isInvoice)
        QVERIFY(!c.FechaTimbrado.isEmpty() && c.FechaTimbrado != u"TICKET");
    else
        QCOMPARE(c.FechaTimbrado, QStringLiteral("TICKET"));
    QCOMPARE(c.UUID.isEmpty(), !isInvoice);
    QCOMPARE(c.Count, 2);
    QCOMPARE(c.ArrayConcepto[0].NoIdentificacion, QStringLiteral("TST-1"));
    QVERIFY(near(c.ArrayConcepto[0].Importe, 200) && near(c.Total, 308.56));
}

void TestSandboxOrders::deliveryRegistration()
{
    const int delivered = sale(2);
    const int returned = sale(5);
    const int rescheduled = sale(6);
    const int waiting = sale(2, kClienteSinDomicilio, QStringLiteral("PUE"));
    struct Step {
        const char* what;
        QString user;
        int folio;
        int estatus;
        int call;  // 0 RegistrarEntrega, 1 ...Firma, 2 ...FirmaCoord
        int code;
    };
    const Step steps[] = {
        {"delivered with signature and position", kUser, delivered, 3, 2, 2},
        {"delivered twice", kUser, delivered, 3, 2, 1},
        {"returned with signature", kUser, returned, 4, 1, 2},
        {"returned after it was returned", kUser, returned, 3, 2, 1},
        {"rescheduled", kUser, rescheduled, 5, 0, 2},
        {"delivered after rescheduling", kUser, rescheduled, 3, 2, 2},
        {"sale waiting, not on the road", kUser, waiting, 3, 2, 3},
        {"unknown sale", kUser, 99999999, 3, 2, 0},
        {"sale of another company", kOther, returned, 3, 2, 0},
        {"user without deliveries", kLimited, waiting, 3, 2, -1},
    };
    for (const Step& s : steps) {
        const QString notas = s.estatus == 3 ? QStringLiteral("Recibió Juan") : QStringLiteral("Cliente cerrado");
        const int rows = count("entregas");
        int code = -100;
        if (s.call == 0)
            code = m_fx.call<ops::RegistrarEntrega>({s.user, kPass, s.folio, s.estatus, notas}).response->result;
        else if (s.call == 1)
            code = m_fx.call<ops::RegistrarEntregaFirma>({s.user, kPass, s.folio, s.estatus, notas, kJpeg}).response->result;
        else
            code = m_fx.call<ops::RegistrarEntregaFirmaCoord>({s.user, kPass, s.folio, s.estatus, notas, 21.5, -101.25, kJpeg})
                       .response->result;
        QVERIFY2(code == s.code, s.what);
        QVERIFY2(count("entregas") == rows + (s.code == 2 ? 1 : 0), s.what);
    }
    QSqlQuery e = m_fx.store().exec(QStringLiteral("SELECT Estatus, Notas, Firma, Latitud, Longitud, NuUser FROM entregas"
                                                   " WHERE FolioVenta = ?"), {delivered});
    QVERIFY(e.next());
    QCOMPARE(e.value(0).toInt(), 3);
    QCOMPARE(e.value(1).toString(), QStringLiteral("Recibió Juan"));
    QCOMPARE(e.value(2).toByteArray(), kJpeg);
    QCOMPARE(e.value(3).toDouble(), 21.5);
    QCOMPARE(e.value(4).toDouble(), -101.25);
    QCOMPARE(e.value(5).toInt(), 9001);
    QCOMPARE(m_fx.scalar(QStringLiteral("SELECT EstatusEntrega FROM ventas WHERE FolioVenta = ?"), {delivered}).toInt(), 3);
    QCOMPARE(m_fx.scalar(QStringLiteral("SELECT SUM(CantidadEnt) FROM ventas_mov WHERE FolioVenta = ?"), {delivered}).toDouble(), 7.0);
    QCOMPARE(m_fx.scalar(QStringLiteral("SELECT EstatusEntrega FROM ventas WHERE FolioVenta = ?"), {returned}).toInt(), 4);
    QVERIFY(m_fx.scalar(QStringLiteral("SELECT Firma FROM entregas WHERE FolioVenta = ? AND Estatus = 5"), {rescheduled}).isNull());
}

void TestSandboxOrders::deliveryFaults_data()
{
    QTest::addColumn<int>("estatus");
    QTest::addColumn<QString>("notas");
    QTest::addColumn<QByteArray>("firma");
    QTest::addColumn<double>("latitud");
    QTest::newRow("unknown outcome") << 7 << "x" << kJpeg << 21.0;
    QTest::newRow("returned without a reason") << 4 << "  " << kJpeg << 21.0;
    QTest::newRow("signature that is not a JPEG") << 3 << "" << QByteArray("GIF89a....") << 21.0;
    QTest::newRow("impossible latitude") << 3 << "" << kJpeg << 200.0;
}

void TestSandboxOrders::deliveryFaults()
{
    QFETCH(int, estatus);
    QFETCH(QString, notas);
    QFETCH(QByteArray, firma);
    QFETCH(double, latitud);
    static const int folio = sale(5);
    const int rows = count("entregas");
    const auto a = m_fx.call<ops::RegistrarEntregaFirmaCoord>({kUser, kPass, folio, estatus, notas, latitud, -101.0, firma});
    QVERIFY(!a.response);
    QVERIFY(!a.fault.isEmpty());
    QCOMPARE(count("entregas"), rows);
    QCOMPARE(m_fx.scalar(QStringLiteral("SELECT EstatusEntrega FROM ventas WHERE FolioVenta = ?"), {folio}).toInt(), 1);
}

void TestSandboxOrders::deliveryEndpoint()
{
    const int folio = sale(2);
    const int nuCarro = m_fx.scalar(QStringLiteral("SELECT NuCarro FROM ventas WHERE FolioVenta = ?"), {folio}).toInt();
    QNetworkAccessManager net;
    auto post = [&](const QString& path, const QByteArray& body) {
        QNetworkRequest rq(QUrl(m_fx.server().sandbox().baseUrl() + path));
        rq.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("application/json"));
        QNetworkReply* reply = net.post(rq, body);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const QByteArray answer = reply->readAll();
        reply->deleteLater();
        return std::pair(status, answer);
    };
    // Every value is text, amounts in money format and the products as one string, as the field client sends them.
    const QByteArray body = "{\"NuPedido\":\"" + QByteArray::number(folio) + "\",\"NuWeb\":\"0\",\"FechaEntrega\":"
                            "\"05/03/2024 14:22:10\",\"Total\":\"308.56\",\"NuCarro\":\"" + QByteArray::number(nuCarro)
                            + "\",\"NotasEntrega\":\"Recibió Juan\",\"Productos\":\"[{\\\"NoIdentificacion\\\":"
                            "\\\"TST-1\\\",\\\"Cantidad\\\":2.00,\\\"none\\\":\\\"\\\"}]\"}";
    const int rows = count("entregas_post");
    const auto [status, answer] = post(QStringLiteral("/entregas/registro"), body);
    QCOMPARE(status, 200);
    QCOMPARE(QJsonDocument::fromJson(answer).object().value(QStringLiteral("ok")).toBool(), true);
    QCOMPARE(count("entregas_post"), rows + 1);
    QSqlQuery q = m_fx.store().exec(QStringLiteral("SELECT NuEmpresa, NuPedido, Cuerpo FROM entregas_post ORDER BY NuPost DESC"));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 90);
    QCOMPARE(q.value(1).toInt(), folio);
    QCOMPARE(q.value(2).toString().toUtf8(), body);

    QCOMPARE(post(QStringLiteral("/entregas/registro"), "no es JSON").first, 400);
    QCOMPARE(post(QStringLiteral("/entregas/otro"), body).first, 404);
    QCOMPARE(count("entregas_post"), rows + 1);
}

void TestSandboxOrders::saleReview()
{
    TPedido p = pedido(kCliente, 1, {line(QStringLiteral("TST-1"), 2, 100), boxLine(3), line(QStringLiteral("TST-2"), 2.5, 10, 0)});
    const int nuCarro = save(p);
    int folio = 0;
    QCOMPARE(process(nuCarro, 5, &folio), 2);
    const auto a = m_fx.call<ops::RevisionVentaBasicoJSon>({kUser, kPass, QString::number(folio), QStringLiteral("x")});
    QVERIFY(a.response);
    QCOMPARE(a.response->Msg, QString());
    // The commas of a description cannot travel inside a field.
    QCOMPARE(a.response->result,
             QStringLiteral("TST-1,7500000000011,,Pieza,MARTILLO  UÑA CURVA 16 OZ,2,100.00,250.56,|"
                            "TST-1,7500000000028,7500000000011,Caja,MARTILLO  UÑA CURVA 16 OZ,3,1080.00,4059.07,|"
                            "TST-2,7500000000035,,Pieza,CLAVO 2 PULGADAS,2.5,10.00,29.00,|"));

    struct Refused {
        QString user;
        QString folio;
    };
    for (const Refused& r : {Refused{kUser, QStringLiteral("99999999")}, Refused{kUser, QStringLiteral("abc")},
                             Refused{kOther, QString::number(folio)}, Refused{kLimited, QString::number(folio)}}) {
        const auto refused = m_fx.call<ops::RevisionVentaBasicoJSon>({r.user, kPass, r.folio, {}});
        QVERIFY(refused.response);
        QVERIFY2(!refused.response->Msg.isEmpty(), qPrintable(r.user + u' ' + r.folio));
        QCOMPARE(refused.response->result, QString());
    }
}

void TestSandboxOrders::priceDecisions_data()
{
    QTest::addColumn<QString>("auth");
    QTest::addColumn<int>("paso");
    QTest::addColumn<QString>("lineMark");
    QTest::addColumn<double>("precio");   // the line's price after the decision
    QTest::addColumn<int>("pasoAfter");
    QTest::newRow("approved") << "A" << 9 << "A" << 80.0 << 9;
    QTest::newRow("denied, back to capture") << "D" << 1 << "D" << 100.0 << 0;
    QTest::newRow("denied, quotation back to capture") << "D" << 9 << "D" << 100.0 << 0;
    QTest::newRow("denied, order stays") << "d" << 1 << "D" << 100.0 << 1;
}

void TestSandboxOrders::priceDecisions()
{
    QFETCH(QString, auth);
    QFETCH(int, paso);
    QFETCH(QString, lineMark);
    QFETCH(double, precio);
    QFETCH(int, pasoAfter);
    const int nuCarro = save(pedido(kCliente, paso, {line(QStringLiteral("TST-1"), 2, 80, 8, QStringLiteral("R")),
                                                     line(QStringLiteral("TST-2"), 5, 10, 0)}));
    QVERIFY(nuCarro > 0);
    QCOMPARE(fetch(nuCarro).REQ_AUTH, QStringLiteral("R"));
    const int mov = m_fx.scalar(QStringLiteral("SELECT NuCarro_Mov FROM carros_mov WHERE NuCarro = ? AND REQ_AUTH = 'R'"),
                                {nuCarro}).toInt();

    QVERIFY(!m_fx.call<ops::AutorizarPrecio>({kUser, kPass, nuCarro, mov, QStringLiteral("X")}).response->result);
    QVERIFY(!m_fx.call<ops::AutorizarPrecio>({kOther, kPass, nuCarro, mov, auth}).response->result);
    QVERIFY(m_fx.call<ops::AutorizarPrecio>({kUser, kPass, nuCarro, mov, auth}).response->result);
    QVERIFY(!m_fx.call<ops::AutorizarPrecio>({kUser, kPass, nuCarro, mov, auth}).response->result);  // already decided

    const TPedido after = fetch(nuCarro);
    QCOMPARE(after.REQ_AUTH, QString());
    QCOMPARE(after.NuPaso, pasoAfter);
    QCOMPARE(after.ArrayDetalle[0].REQ_AUTH, lineMark);
    QCOMPARE(after.ArrayDetalle[0].Precio, precio);
    QCOMPARE(after.ArrayDetalle[0].NUUSER_AUTH, 9001);
    QVERIFY(near(after.Total, after.ArrayDetalle[0].Total + after.ArrayDetalle[1].Total));
    QVERIFY(near(after.ArrayDetalle[0].SubTotal, 2 * precio));

    if (auth == u"A") {
        // Sent again unchanged the line keeps its approval; at another price it asks again.
        TPedido again = after;
        QCOMPARE(m_fx.call<ops::Modificar_Carro>({kUser, kPass, again}).response->result, 5);
        QCOMPARE(fetch(nuCarro).ArrayDetalle[0].REQ_AUTH, QStringLiteral("A"));
        again.ArrayDetalle[0].Precio = 70;
        QCOMPARE(m_fx.call<ops::Modificar_Carro>({kUser, kPass, again}).response->result, 5);
        QCOMPARE(fetch(nuCarro).ArrayDetalle[0].REQ_AUTH, QStringLiteral("R"));
        QCOMPARE(fetch(nuCarro).REQ_AUTH, QStringLiteral("R"));
    }
}

void TestSandboxOrders::authorizationList()
{
    const QString today = QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));
    auto list = [&](int tipo, const QString& fecha, const QString& user = kUser) {
        return m_fx.call<ops::Lista_AutorizaPrecioXTipo>({user, kPass, tipo, fecha});
    };
    auto has = [](const TListaAutorizaPrecio& l, int nuCarro) {
        return std::any_of(l.ArrayAutorizaPrecio.begin(), l.ArrayAutorizaPrecio.end(),
                           [&](const TAutorizaPrecio& a) { return a.NuCarro == nuCarro; });
    };
    // A box sold below the list price, with an agreed price per piece.
    TDetalle box = boxLine(2);
    box.Precio = 1000;
    box.REQ_AUTH = QStringLiteral("R");
    box.PrecioPacto = 83.33;
    const int pending = save(pedido(kCliente, 1, {box}));
    const int approved = save(pedido(kCliente, 1, {line(QStringLiteral("TST-1"), 1, 95, 8, QStringLiteral("R"))}));
    const int denied = save(pedido(kCliente, 1, {line(QStringLiteral("TST-1"), 1, 90, 8, QStringLiteral("R"))}));
    const int foreign = save(pedido(kClienteOtra, 1, {line(QStringLiteral("TST-1"), 1, 90, 8, QStringLiteral("R"))}), kOther);
    for (int nuCarro : {approved, denied}) {
        const int mov = m_fx.scalar(QStringLiteral("SELECT NuCarro_Mov FROM carros_mov WHERE NuCarro = ?"), {nuCarro}).toInt();
        QVERIFY(m_fx.call<ops::AutorizarPrecio>({kUser, kPass, nuCarro, mov,
                                                 nuCarro == approved ? QStringLiteral("A") : QStringLiteral("d")})
                    .response->result);
    }

    const auto waiting = list(1, today);
    QVERIFY(waiting.response);
    const TListaAutorizaPrecio& w = waiting.response->result;
    QCOMPARE(w.Count, qint32(w.ArrayAutorizaPrecio.size()));
    QVERIFY(has(w, pending) && !has(w, approved) && !has(w, denied) && !has(w, foreign));
    const TAutorizaPrecio& r = *std::find_if(w.ArrayAutorizaPrecio.begin(), w.ArrayAutorizaPrecio.end(),
                                             [&](const TAutorizaPrecio& a) { return a.NuCarro == pending; });
    QCOMPARE(r.Vendedor, QStringLiteral("Vendedor de Prueba"));
    QCOMPARE(r.Cliente, QStringLiteral("Construcciones del Bajío"));
    QCOMPARE(r.Producto, QStringLiteral("MARTILLO UÑA CURVA 16 OZ"));
    QCOMPARE(r.N123, QStringLiteral("TST-1"));
    QCOMPARE(r.Unidad, QStringLiteral("Caja"));
    QCOMPARE(r.UnidadPpal, QStringLiteral("Pieza"));
    QCOMPARE(r.Moneda, QStringLiteral("MXN"));
    QCOMPARE(r.Precio, 1000.0);
    QCOMPARE(r.Pacto, 83.33);
    QCOMPARE(r.Piezas, 24.0);
    QCOMPARE(r.Solicitud.date, QDate::currentDate());

    QVERIFY(has(list(3, today).response->result, approved) && !has(list(3, today).response->result, denied));
    QVERIFY(has(list(2, today).response->result, denied) && !has(list(2, today).response->result, approved));
    QVERIFY(has(list(1, today, kOther).response->result, foreign));

    // The day is month first: a decision of 5 March 2024 is listed for 03/05/2024, not for 05/03/2024.
    const int old = save(pedido(kCliente, 1, {line(QStringLiteral("TST-1"), 1, 85, 8, QStringLiteral("R"))}));
    m_fx.store().exec(QStringLiteral("UPDATE autorizaciones_precio SET Estado = 'A', Resolucion = '2024-03-05T12:00:00'"
                                     " WHERE NuCarro = ?"), {old});
    QVERIFY(has(list(3, QStringLiteral("03/05/2024")).response->result, old));
    QVERIFY(!has(list(3, QStringLiteral("05/03/2024")).response->result, old));

    QVERIFY(!list(4, today).fault.isEmpty());
    QVERIFY(!list(2, QStringLiteral("2024-03-05")).fault.isEmpty());
}

QTEST_GUILESS_MAIN(TestSandboxOrders)
#include "tst_sandbox_orders.moc"
