// The SOAP codec: every record and every operation message survives encoding
// and decoding field for field, requests are byte for byte what servers of
// this kind expect, answers written the way such servers write them are read,
// and every malformed answer is a clear error.

#include "RecordFiller.h"

#include "service/Ikorvel.h"
#include "service/JsonCodec.h"
#include "service/ServiceDescription.h"
#include "service/SoapDecoder.h"
#include "service/SoapEncoder.h"

#include <QFile>
#include <QTest>

#include <memory>

using namespace korvel;

namespace {

using Holder = std::unique_ptr<void, void (*)(void*)>;

Holder make(const RecordInfo& info)
{
    return Holder(info.create(), info.destroy);
}

QByteArray readData(const QString& name)
{
    QFile f(QStringLiteral(KORVEL_TEST_DATA "/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing test data %s", qPrintable(name));
    return f.readAll();
}

// A message whose only part is the record itself, so the record travels as a
// multi-reference element (or inline) exactly as a parameter would.
void* self(void* r)
{
    return r;
}

struct Wrapper {
    FieldInfo field;
    quint16 byName[1] = {0};
    RecordInfo info;

    explicit Wrapper(const RecordInfo& element)
        : field{"value", 5, FieldKind::Record, &element, nullptr, &self},
          info{"Wrapper", "Wrapper", &field, 1, byName, -1, -1, nullptr, nullptr, nullptr, nullptr,
               nullptr, nullptr, nullptr}
    {
    }
};

QString styleName(soap::Style s)
{
    return s == soap::Style::MultiRef ? QStringLiteral("multiref") : QStringLiteral("inline");
}

void expectMalformed(const std::function<void()>& f, const QString& fragment)
{
    try {
        f();
    } catch (const ServiceError& e) {
        QVERIFY2(e.kind() == ServiceError::Kind::Malformed, qPrintable(e.message()));
        QVERIFY2(e.message().contains(fragment), qPrintable(e.message()));
        return;
    }
    QFAIL("no error for a malformed answer");
}

} // namespace

class CodecTest : public QObject {
    Q_OBJECT

private slots:
    void everyRecordRoundTrips_data();
    void everyRecordRoundTrips();
    void everyOperationMessageRoundTrips_data();
    void everyOperationMessageRoundTrips();
    void listCountBeyondArrayIsBounded();
    void goldenRequests_data();
    void goldenRequests();
    void soapActionIsTheTemplateFilledIn();
    void papinfoTravelsUnderItsXmlName();
    void decodesMultiReferenceCompany();
    void decodesNestedMultiReferenceOrders();
    void decodesOutParametersInAnyOrder();
    void decodesInlineArraysNilAndOtherEncodings();
    void faultBecomesFaultError();
    void malformedAnswers_data();
    void malformedAnswers();
};

void CodecTest::everyRecordRoundTrips_data()
{
    QTest::addColumn<const RecordInfo*>("info");
    QTest::addColumn<soap::Style>("style");
    for (const RecordInfo* r : allRecords())
        for (soap::Style s : {soap::Style::MultiRef, soap::Style::Inline})
            QTest::newRow(qPrintable(QStringLiteral("%1-%2").arg(QLatin1String(r->name), styleName(s)))) << r << s;
}

void CodecTest::everyRecordRoundTrips()
{
    QFETCH(const RecordInfo*, info);
    QFETCH(soap::Style, style);
    Holder original = make(*info);
    testing::RecordFiller().fill(*info, original.get());
    Wrapper w(*info);
    const QByteArray xml = soap::encodeMessage("Prueba", w.info, original.get(), style);
    Holder decoded = make(*info);
    soap::decodeMessage(xml, "Prueba", w.info, decoded.get());
    if (!info->equals(original.get(), decoded.get()))
        QCOMPARE(json::recordToJson(*info, decoded.get()), json::recordToJson(*info, original.get()));
    QVERIFY(info->equals(original.get(), decoded.get()));
}

void CodecTest::everyOperationMessageRoundTrips_data()
{
    QTest::addColumn<const OperationInfo*>("op");
    for (const OperationInfo* op : allOperations())
        QTest::newRow(op->name) << op;
}

void CodecTest::everyOperationMessageRoundTrips()
{
    QFETCH(const OperationInfo*, op);
    Holder request = make(*op->request);
    testing::RecordFiller(1).fill(*op->request, request.get());
    XmlTree tree;
    QVERIFY2(tree.parse(soap::encodeRequest(*op, request.get())), qPrintable(tree.error()));
    const std::string_view element = tree.name(soap::messageElement(tree));
    QCOMPARE(QByteArray(element.data(), qsizetype(element.size())), QByteArray(op->name));
    Holder readRequest = make(*op->request);
    soap::decodeRequest(tree, *op, readRequest.get());
    QVERIFY(op->request->equals(request.get(), readRequest.get()));

    Holder response = make(*op->response);
    testing::RecordFiller(3).fill(*op->response, response.get());
    Holder readResponse = make(*op->response);
    soap::decodeResponse(soap::encodeResponse(*op, response.get()), *op, readResponse.get());
    if (!op->response->equals(response.get(), readResponse.get()))
        QCOMPARE(json::recordToJson(*op->response, readResponse.get()), json::recordToJson(*op->response, response.get()));
}

void CodecTest::listCountBeyondArrayIsBounded()
{
    TListaCliente list;
    list.Count = 9;
    list.ArrayCliente.resize(2);
    list.ArrayCliente[1].Nombre = QStringLiteral("Segundo");
    ops::ListaCliente_Consulta::Response response{list};
    ops::ListaCliente_Consulta::Response read;
    soap::decodeResponse(soap::encodeResponse(ops::ListaCliente_Consulta::info(), &response),
                         ops::ListaCliente_Consulta::info(), &read);
    QCOMPARE(read.result.Count, 2);
    QCOMPARE(read.result.ArrayCliente.size(), std::size_t(2));
    QCOMPARE(read.result.ArrayCliente[1].Nombre, QStringLiteral("Segundo"));

    // A Count below the array is kept: the rows shown are the first Count.
    list.Count = 1;
    response.result = list;
    soap::decodeResponse(soap::encodeResponse(ops::ListaCliente_Consulta::info(), &response),
                         ops::ListaCliente_Consulta::info(), &read);
    QCOMPARE(read.result.Count, 1);
    QCOMPARE(rowCount(read.result), 1);
}

void CodecTest::goldenRequests_data()
{
    QTest::addColumn<QString>("golden");
    QTest::addColumn<QByteArray>("envelope");

    ops::Lista_Carro::Request carro;
    carro.User = QStringLiteral("1@demo");
    carro.Pass = QStringLiteral("demo");
    carro.F1 = XsDateTime{QDate(2026, 12, 1), QTime(0, 0), XsZone::offset(-6 * 3600)};
    carro.F2 = XsDateTime{QDate(2026, 12, 11), QTime(23, 59, 59), XsZone::offset(-6 * 3600)};
    carro.NuPaso = 3;
    QTest::newRow("Lista_Carro") << "Lista_Carro.xml" << soap::encodeRequest(ops::Lista_Carro::info(), &carro);

    ops::VerificaConexion::Request verifica{QStringLiteral("demo"), QStringLiteral("d&mo<1>"), QStringLiteral("hola")};
    QTest::newRow("VerificaConexion-inout")
        << "VerificaConexion.xml" << soap::encodeRequest(ops::VerificaConexion::info(), &verifica);

    ops::Guardar_Carro::Request guardar;
    guardar.User = QStringLiteral("demo");
    guardar.Pass = QStringLiteral("demo");
    TPedido& p = guardar.Pedido;
    p.NuCliente = 812;
    p.Fecha = XsDate{QDate(2026, 12, 11), {}};
    p.Hora = XsTime{QTime(9, 30), {}};
    p.Total = 1050.6;
    p.NuMoneda = 1;
    p.UsoCFDI = QStringLiteral("G03");
    p.Cliente.NuClienteKorvel = 812;
    p.Cliente.Nombre = QStringLiteral("Abarrotes La Esperanza");
    p.Count = 2;
    p.ArrayDetalle.resize(2);
    p.ArrayDetalle[0].NuProducto = QStringLiteral("TRU-12345");
    p.ArrayDetalle[0].Cantidad = 3;
    p.ArrayDetalle[0].Precio = 189.9;
    p.ArrayDetalle[1].NuProducto = QStringLiteral("TRU-55120");
    p.ArrayDetalle[1].Cantidad = 1;
    p.ArrayDetalle[1].Precio = 339.75;
    guardar.NuCarro = 0;
    QTest::newRow("Guardar_Carro-pedido-dos-lineas")
        << "Guardar_Carro.xml" << soap::encodeRequest(ops::Guardar_Carro::info(), &guardar);
}

void CodecTest::goldenRequests()
{
    QFETCH(QString, golden);
    QFETCH(QByteArray, envelope);
    if (qEnvironmentVariableIsSet("KORVEL_WRITE_GOLDEN")) {
        QFile out(QStringLiteral(KORVEL_TEST_DATA "/requests/") + golden);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(envelope);
    }
    QCOMPARE(envelope, readData(QStringLiteral("requests/") + golden));
}

void CodecTest::soapActionIsTheTemplateFilledIn()
{
    QCOMPARE(ops::Lista_Carro::info().soapAction(), QByteArray("urn:korvelIntf-Ikorvel#Lista_Carro"));
    QCOMPARE(ops::VersionWS::info().soapAction(), QByteArray("urn:korvelIntf-Ikorvel#VersionWS"));
    QCOMPARE(allOperations().size(), std::size_t(109));
}

void CodecTest::papinfoTravelsUnderItsXmlName()
{
    ops::ListaPapinfo_Consulta::Response response;
    response.result.Count = 1;
    response.result.ArrayPapinfo.resize(1);
    const QByteArray xml = soap::encodeResponse(ops::ListaPapinfo_Consulta::info(), &response);
    QVERIFY(xml.contains("xsi:type=\"NS2:TListaPapInfo\""));
    QVERIFY(xml.contains("NS2:TPapinfo[1]"));
    QCOMPARE(QByteArray(TListaPapinfo::info().xmlName), QByteArray("TListaPapInfo"));
    QVERIFY(generateServiceDescription(QStringLiteral("http://h/")).contains("name=\"TArrayPapInfo\""));
}

void CodecTest::decodesMultiReferenceCompany()
{
    ops::GetEmpresa::Response r;
    soap::decodeResponse(readData(QStringLiteral("answers/GetEmpresa.xml")), ops::GetEmpresa::info(), &r);
    const TEmpresa& e = r.result;
    QCOMPARE(e.Nombre, QStringLiteral("Distribuidora del Bajío S.A. de C.V."));
    QCOMPARE(e.Comercial, QStringLiteral("Ferretería Central"));
    QCOMPARE(e.ProTitulo1, QStringLiteral("Marca"));
    QCOMPARE(e.ProTitulo2, QString()); // not sent
    QVERIFY(e.IVAIncluido);
    QVERIFY(e.TASA2_INC_BASEIVA);
    QCOMPARE(e.OP_IEPS_SOBRE_IVA, 2);
    QCOMPARE(e.TC_VentaCredito, 17.25);
    QCOMPARE(e.TC_CobranzaCredito, 17.05);
    QCOMPARE(e.URL_Post, QString());
    QCOMPARE(e.FOLIOTRUPERLINEA, -1);
    QCOMPARE(e.URL_PHOTO, QStringLiteral("http://fotos.example/img/"));
}

void CodecTest::decodesNestedMultiReferenceOrders()
{
    ops::Lista_CarroXID::Response r;
    soap::decodeResponse(readData(QStringLiteral("answers/Lista_CarroXID.xml")), ops::Lista_CarroXID::info(), &r);
    QCOMPARE(r.result.Count, 1); // 5 announced, 1 sent
    QCOMPARE(r.result.ArrayPedido.size(), std::size_t(1));
    const TPedido& p = r.result.ArrayPedido[0];
    QCOMPARE(p.NuPedido, 40217);
    QCOMPARE(p.Fecha.date, QDate(2026, 12, 1));
    QCOMPARE(p.Hora.time, QTime(9, 30, 15));
    QCOMPARE(p.Notas, QStringLiteral("Entregar & cobrar <antes> de las 2"));
    QCOMPARE(p.Cliente.NuClienteKorvel, 812);
    QCOMPARE(p.Cliente.NuPrecio, QStringLiteral("C"));
    QCOMPARE(p.Cliente.Saldo, 15230.5);
    QCOMPARE(p.Count, 2);
    QCOMPARE(p.ArrayDetalle.size(), std::size_t(2));
    QCOMPARE(p.ArrayDetalle[0].Producto, QStringLiteral("Martillo uña curva 16 oz"));
    QCOMPARE(p.ArrayDetalle[0].RFECHA_AUTH.toString(), QStringLiteral("2026-11-30T10:15:00.500-06:00"));
    QCOMPARE(p.ArrayDetalle[1].Producto, QStringLiteral("Pinzas <electricista> 8\""));
    QVERIFY(p.ArrayDetalle[1].RFECHA_AUTH.isNull());
    QCOMPARE(p.ArrayDetalle[1].Precio, 339.75);
}

void CodecTest::decodesOutParametersInAnyOrder()
{
    ops::AccesoUserXModuloXAlmacenPreciosNivel::Response r;
    r.Precio3 = QStringLiteral("stale"); // an empty element empties it
    soap::decodeResponse(readData(QStringLiteral("answers/Acceso.xml")),
                         ops::AccesoUserXModuloXAlmacenPreciosNivel::info(), &r);
    QVERIFY(r.result);
    QCOMPARE(r.NuUser, 7);
    QCOMPARE(r.NuAlmacen, -3);
    QCOMPARE(r.Msg, QStringLiteral("Bienvenido"));
    QCOMPARE(r.Modulos, QStringLiteral("TTTTTFTTTTTT"));
    QCOMPARE(r.Almacen, QStringLiteral("Matriz León"));
    QCOMPARE(r.Precio3, QString());
    QCOMPARE(r.Precio4, QStringLiteral("D"));
    QCOMPARE(r.NivelPrecios, QStringLiteral("ABCD"));
}

void CodecTest::decodesInlineArraysNilAndOtherEncodings()
{
    ops::ListaProducto_Consulta::Response r;
    soap::decodeResponse(readData(QStringLiteral("answers/ListaProducto.xml")), ops::ListaProducto_Consulta::info(), &r);
    QCOMPARE(r.result.Count, 2);
    const TProducto& a = r.result.ArrayProducto[0];
    QCOMPARE(a.Descripcion, QStringLiteral("Pegamento blanco 1 L \u2013 económico"));
    QCOMPARE(a.Existencia, 0.0); // empty element
    QCOMPARE(a.NuEstado, 3);
    QCOMPARE(a.Precio01, 85.5);
    QCOMPARE(a.Foto, QByteArray("Hola mundo"));
    QCOMPARE(a.FIN_PROMOCION.toString(), QStringLiteral("2026-12-31T23:59:59Z"));
    const TProducto& b = r.result.ArrayProducto[1];
    QCOMPARE(b.Descripcion, QStringLiteral("Cañería ½\""));
    QCOMPARE(b.Modelo, QString());
    QVERIFY(std::isinf(b.Precio01));
    QVERIFY(b.FIN_PROMOCION.isNull());
}

void CodecTest::faultBecomesFaultError()
{
    ops::VersionWS::Response r;
    try {
        soap::decodeResponse(readData(QStringLiteral("answers/Fault.xml")), ops::VersionWS::info(), &r);
        QFAIL("a fault must throw");
    } catch (const ServiceError& e) {
        QCOMPARE(e.kind(), ServiceError::Kind::Fault);
        QCOMPARE(e.message(), QStringLiteral("Usuario o contraseña incorrectos"));
        QCOMPARE(e.faultCode(), QStringLiteral("SOAP-ENV:Server"));
    }
}

void CodecTest::malformedAnswers_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("fragment");
    const QByteArray open = "<E:Envelope xmlns:E=\"e\"><E:Body><m:GetEmpresaResponse xmlns:m=\"x\">";
    const QByteArray close = "</E:Body></E:Envelope>";
    auto company = [&](const QByteArray& inner, const QByteArray& after = {}) {
        return open + "<return href=\"#1\"/></m:GetEmpresaResponse><T id=\"1\">" + inner + "</T>" + after + close;
    };
    QTest::newRow("empty") << QByteArray("   ") << "sent nothing";
    QTest::newRow("html") << QByteArray("<html><body>Error 404</body></html>") << "not a SOAP envelope";
    QTest::newRow("not-xml") << QByteArray("Internal error") << "text outside";
    QTest::newRow("truncated") << QByteArray(open + "<return href=\"#1") << "unterminated";
    QTest::newRow("mismatched-tags") << QByteArray(open + "</E:Body>") << "does not match";
    QTest::newRow("no-body") << QByteArray("<E:Envelope xmlns:E=\"e\"/>") << "no Body";
    QTest::newRow("empty-body") << QByteArray("<E:Envelope xmlns:E=\"e\"><E:Body/></E:Envelope>") << "Body is empty";
    QTest::newRow("other-operation")
        << QByteArray("<E:Envelope xmlns:E=\"e\"><E:Body><VersionWSResponse/></E:Body></E:Envelope>")
        << "expected GetEmpresaResponse";
    QTest::newRow("dangling-href") << QByteArray(open + "<return href=\"#9\"/></m:GetEmpresaResponse>" + close)
                                   << "reference #9";
    QTest::newRow("href-loop")
        << QByteArray(open + "<return href=\"#1\"/></m:GetEmpresaResponse><a id=\"1\" href=\"#2\"/><b id=\"2\" href=\"#1\"/>" + close)
        << "loop";
    QTest::newRow("bad-int") << company("<OP_IEPS_SOBRE_IVA>12a</OP_IEPS_SOBRE_IVA>") << "TEmpresa.OP_IEPS_SOBRE_IVA";
    QTest::newRow("int-overflow") << company("<FOLIOTRUPERLINEA>2147483648</FOLIOTRUPERLINEA>") << "not a valid int";
    QTest::newRow("bad-double") << company("<TC_VentaCredito>17,25</TC_VentaCredito>") << "not a valid double";
    QTest::newRow("bad-boolean") << company("<IVAIncluido>si</IVAIncluido>") << "not a valid boolean";
    QTest::newRow("bad-entity") << company("<Nombre>A &nbsp; B</Nombre>") << "entity";
    QTest::newRow("dtd") << QByteArray("<!DOCTYPE x [<!ENTITY a \"b\">]>" + company({})) << "document type";
    QTest::newRow("duplicate-id") << company({}, "<X id=\"1\"/>") << "duplicate id";
    QTest::newRow("unknown-encoding")
        << QByteArray("<?xml version=\"1.0\" encoding=\"x-no-such\"?>" + company({})) << "unsupported encoding";
    QByteArray deep = open;
    for (int i = 0; i < 300; ++i)
        deep += "<a>";
    QTest::newRow("too-deep") << deep << "nested too deeply";
}

void CodecTest::malformedAnswers()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, fragment);
    ops::GetEmpresa::Response r;
    expectMalformed([&] { soap::decodeResponse(body, ops::GetEmpresa::info(), &r); }, fragment);
}

QTEST_GUILESS_MAIN(CodecTest)
#include "tst_codec.moc"
