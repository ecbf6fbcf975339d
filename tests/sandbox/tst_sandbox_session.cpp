// The sandbox's session operations: build, companies, the login of every
// demo user and its refusals, the company record; and over real HTTP, with
// the client's own proxy, that refusals and malformed requests are faults
// after which the server keeps answering, and that photos are served.

#include "SandboxFixture.h"

#include <QEventLoop>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QtConcurrent>

using namespace korvel;
using namespace korvel::sandbox;
using namespace korvel::sandbox::testing;

class TestSandboxSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void version();
    void companies();
    void login_data();
    void login();
    void companyRecord_data();
    void companyRecord();
    void faultsKeepTheServerAnswering();
    void photosOverHttp_data();
    void photosOverHttp();

private:
    struct Http {
        int status = 0;
        QByteArray contentType;
        QByteArray body;
    };
    Http request(const QString& path, const QByteArray& postBody = {});

    SandboxFixture m_sandbox;  // 0: default options; 1: one company, build 20185
    QNetworkAccessManager m_net;
};

void TestSandboxSession::initTestCase()
{
    QVERIFY(m_sandbox.start());
    SandboxOptions single;
    single.singleCompany = true;
    single.build = 20185;
    QVERIFY(m_sandbox.start(single));
}

void TestSandboxSession::version()
{
    QCOMPARE(m_sandbox.call<ops::VersionWS>({}).response->result, 20192);
    QCOMPARE(m_sandbox.call<ops::VersionWS>({}, 1).response->result, 20185);
}

void TestSandboxSession::companies()
{
    QVERIFY(m_sandbox.call<ops::EsMultiEmpresa>({}).response->result);
    const TListaDBS all = m_sandbox.call<ops::GetSucursales>({}).response->result;
    QCOMPARE(all.Count, 2);
    QCOMPARE(all.ArrayDBS.size(), size_t(2));
    QVERIFY(all.ArrayDBS[0].Nombre.startsWith(QStringLiteral("Distribuidora Korvel del Bajío")));
    QVERIFY(!all.ArrayDBS[1].Nombre.isEmpty());

    QVERIFY(!m_sandbox.call<ops::EsMultiEmpresa>({}, 1).response->result);
    const TListaDBS one = m_sandbox.call<ops::GetSucursales>({}, 1).response->result;
    QCOMPARE(one.Count, 1);
    QCOMPARE(one.ArrayDBS[0].Nombre, all.ArrayDBS[0].Nombre);
}

void TestSandboxSession::login_data()
{
    QTest::addColumn<int>("server");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("pass");
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("modulos");     // expected grants, or the start of the message on refusal
    QTest::addColumn<QString>("almacen");
    QTest::addColumn<QString>("letters");     // Precio1..4
    QTest::addColumn<QString>("nivel");

    const QString f = QStringLiteral("OP_KORVELMOVIL");
    QTest::newRow("demo") << 0 << "demo" << "demo" << f << true << "TTTTTTTTTTTT" << "Matriz León" << "ABCD"
                          << "ABCDEFGHIJKLMNOPQRST";
    QTest::newRow("user name in any case") << 0 << "DEMO" << "demo" << f << true << "TTTTTTTTTTTT" << "Matriz León"
                                           << "ABCD" << "ABCDEFGHIJKLMNOPQRST";
    QTest::newRow("seller without invoicing") << 0 << "vendedor" << "vende123" << f << true << "TTTTFFFTFFFF"
                                              << "Matriz León" << "BCDE" << "BCDEF";
    QTest::newRow("driver: deliveries only") << 0 << "chofer" << "ruta123" << f << true << "FFFFFFFFFTFF"
                                             << "Matriz León" << "AAAA" << "";
    QTest::newRow("manager: orders, statistics, authorization") << 0 << "gerente" << "gerente123" << f << true
                                                                << "TTFTFFTTFFTT" << "Matriz León" << "ABCD" << "ABCDEFGH";
    QTest::newRow("second company by prefix") << 0 << "1@demo" << "demo" << f << true << "TTTTTTTTTTTT"
                                              << "Bodega Aguascalientes" << "ABCD" << "ABCDEFGHIJKLMNOPQRST";
    QTest::newRow("first company by prefix") << 0 << "0@vendedor" << "vende123" << f << true << "TTTTFFFTFFFF"
                                             << "Matriz León" << "BCDE" << "BCDEF";
    QTest::newRow("single company: first one") << 1 << "demo" << "demo" << f << true << "TTTTTTTTTTTT" << "Matriz León"
                                               << "ABCD" << "ABCDEFGHIJKLMNOPQRST";

    QTest::newRow("wrong password") << 0 << "demo" << "Demo" << f << false << "Usuario o contraseña incorrectos" << "" << "" << "";
    QTest::newRow("unknown user") << 0 << "nadie" << "demo" << f << false << "Usuario o contraseña incorrectos" << "" << "" << "";
    QTest::newRow("empty user") << 0 << "" << "" << f << false << "Debe indicar" << "" << "" << "";
    QTest::newRow("user of the other company") << 0 << "1@almacen" << "conteo123" << f << false
                                               << "Usuario o contraseña incorrectos" << "" << "" << "";
    QTest::newRow("company that does not exist") << 0 << "7@demo" << "demo" << f << false << "La empresa 7 no existe"
                                                 << "" << "" << "";
    QTest::newRow("single company: no second one") << 1 << "1@demo" << "demo" << f << false << "La empresa 1 no existe"
                                                   << "" << "" << "";
    QTest::newRow("no mobile permission") << 0 << "caja" << "caja123" << f << false << "El usuario caja no tiene acceso"
                                          << "" << "" << "";
    QTest::newRow("inactive user") << 0 << "rsalinas" << "rsalinas" << f << false << "El usuario rsalinas está dado de baja"
                                   << "" << "" << "";
    QTest::newRow("unknown permission") << 0 << "demo" << "demo" << "OP_OTRA" << false << "Permiso desconocido" << ""
                                        << "" << "";
}

void TestSandboxSession::login()
{
    QFETCH(int, server);
    QFETCH(QString, user);
    QFETCH(QString, pass);
    QFETCH(QString, field);
    QFETCH(bool, ok);
    QFETCH(QString, modulos);
    QFETCH(QString, almacen);
    QFETCH(QString, letters);
    QFETCH(QString, nivel);

    ops::AccesoUserXModuloXAlmacenPreciosNivel::Request rq;
    rq.User = user;
    rq.Pass = pass;
    rq.Field = field;
    rq.Msg = QStringLiteral("sent text is ignored");
    const auto a = m_sandbox.call<ops::AccesoUserXModuloXAlmacenPreciosNivel>(rq, size_t(server));
    QVERIFY2(a.response, qPrintable(a.fault));
    const auto& rs = *a.response;
    QCOMPARE(rs.result, ok);
    if (!ok) {
        QVERIFY2(rs.Msg.startsWith(modulos), qPrintable(rs.Msg));
        QCOMPARE(rs.NuUser, 0);
        QVERIFY(rs.Modulos.isEmpty());
        // The refusal is also the server's last error.
        QCOMPARE(m_sandbox.call<ops::UltimoError>({}, size_t(server)).response->result, rs.Msg);
        return;
    }
    QVERIFY(rs.NuUser > 0);
    QVERIFY(rs.NuAlmacen > 0);
    QCOMPARE(rs.Modulos, modulos);
    QCOMPARE(rs.Almacen, almacen);
    QCOMPARE(rs.Precio1 + rs.Precio2 + rs.Precio3 + rs.Precio4, letters);
    QCOMPARE(rs.NivelPrecios, nivel);
    QVERIFY(rs.Msg.startsWith(QStringLiteral("Bienvenido")));
    // The warehouse answered belongs to the company of the login name.
    const int company = user.startsWith(QLatin1String("1@")) ? 1 : 0;
    QCOMPARE(m_sandbox.scalar(QStringLiteral("SELECT NuEmpresa FROM almacenes WHERE NuAlmacen = ?"), {rs.NuAlmacen}).toInt(), company);
}

void TestSandboxSession::companyRecord_data()
{
    QTest::addColumn<int>("server");
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("webUrls");
    QTest::addColumn<bool>("ivaIncluido");
    QTest::newRow("first company") << 0 << 0 << true << true << false;
    QTest::newRow("second company") << 0 << 1 << true << false << true;
    QTest::newRow("no such company") << 0 << 5 << false << false << false;
    QTest::newRow("negative index") << 0 << -1 << false << false << false;
    QTest::newRow("single company: second not offered") << 1 << 1 << false << false << false;
}

void TestSandboxSession::companyRecord()
{
    QFETCH(int, server);
    QFETCH(int, id);
    QFETCH(bool, exists);
    QFETCH(bool, webUrls);
    QFETCH(bool, ivaIncluido);
    ops::GetEmpresa::Request rq;
    rq.ID = id;
    const auto a = m_sandbox.call<ops::GetEmpresa>(rq, size_t(server));
    if (!exists) {
        QVERIFY(!a.response);
        QCOMPARE(a.fault, QStringLiteral("No existe la empresa %1").arg(id));
        return;
    }
    QVERIFY2(a.response, qPrintable(a.fault));
    const TEmpresa& e = a.response->result;
    QVERIFY(!e.Nombre.isEmpty() && !e.Comercial.isEmpty() && !e.RFC.isEmpty() && !e.Domicilio.isEmpty());
    QVERIFY(!e.ProTitulo1.isEmpty() && !e.ProTitulo2.isEmpty() && !e.ProTitulo3.isEmpty());
    QCOMPARE(e.IVAIncluido, ivaIncluido);
    QVERIFY(e.TC_VentaCredito >= 17 && e.TC_VentaCredito <= 20);
    QVERIFY(e.TC_CobranzaCredito >= 17 && e.TC_CobranzaCredito <= 20);
    const QString base = m_sandbox.server(size_t(server)).sandbox().baseUrl();
    QCOMPARE(e.URL_PHOTO, webUrls ? base + QStringLiteral("/fotos/") : QString());
    QCOMPARE(e.URL_Post, webUrls ? base + QStringLiteral("/entregas/registro") : QString());
}

TestSandboxSession::Http TestSandboxSession::request(const QString& path, const QByteArray& postBody)
{
    QNetworkRequest req(QUrl(m_sandbox.server().sandbox().baseUrl() + path));
    QNetworkReply* reply = nullptr;
    if (postBody.isNull()) {
        reply = m_net.get(req);
    } else {
        req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml; charset=utf-8"));
        reply = m_net.post(req, postBody);
    }
    QEventLoop loop;
    connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    Http h;
    h.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    h.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    h.body = reply->readAll();
    reply->deleteLater();
    return h;
}

void TestSandboxSession::faultsKeepTheServerAnswering()
{
    // The client's proxy runs on a worker thread, as in the app; this thread
    // keeps serving.
    Ikorvel proxy;
    proxy.configure(m_sandbox.server().descriptionUrl());
    auto onWorker = [](auto work) {
        QFuture<QString> f = QtConcurrent::run(work);
        while (!f.isFinished())
            QTest::qWait(5);
        return f.result();
    };
    auto faultOf = [&](auto call) {
        return onWorker([call, &proxy]() -> QString {
            try {
                call(proxy);
                return QStringLiteral("no fault");
            } catch (const ServiceError& e) {
                return e.message();
            }
        });
    };

    QCOMPARE(faultOf([](Ikorvel& p) { p.ListaProducto_Consulta(QStringLiteral("demo"), QStringLiteral("mala"), QStringLiteral("@a")); }),
             QStringLiteral("Usuario o contraseña incorrectos"));
    QCOMPARE(onWorker([&proxy] { return proxy.UltimoError(); }), QStringLiteral("Usuario o contraseña incorrectos"));
    QCOMPARE(faultOf([](Ikorvel& p) { p.ListaCliente_Consulta(QStringLiteral("7@demo"), QStringLiteral("demo"), 1, QStringLiteral("%A%")); }),
             QStringLiteral("La empresa 7 no existe en este servidor"));
    QCOMPARE(faultOf([](Ikorvel& p) {
                 QString ficha;
                 p.ObtenerFotoProducto(QStringLiteral("caja"), QStringLiteral("caja123"), QStringLiteral("10130"), ficha);
             }),
             QStringLiteral("El usuario caja no tiene acceso a Korvel Móvil"));

    // Envelopes the proxy would never send.
    const QString endpoint = QStringLiteral("/WSKorvel.dll/soap/Ikorvel");
    const Http garbage = request(endpoint, QByteArrayLiteral("<no es soap"));
    QCOMPARE(garbage.status, 500);
    QVERIFY(garbage.body.contains("<faultstring>"));
    const ops::ListaCliente_Consulta::Request empty;
    QByteArray unknown = soap::encodeRequest(ops::ListaCliente_Consulta::info(), &empty);
    unknown.replace("ListaCliente_Consulta", "Operacion_Inventada");
    const Http unknownOp = request(endpoint, unknown);
    QCOMPARE(unknownOp.status, 500);
    QVERIFY(QString::fromUtf8(unknownOp.body).contains(QStringLiteral("Operación desconocida: Operacion_Inventada")));
    ops::ListaCliente_Consulta::Request typed;
    typed.User = QStringLiteral("demo");
    typed.Pass = QStringLiteral("demo");
    typed.Field = 123456;
    typed.Value = QStringLiteral("%");
    QByteArray wrongType = soap::encodeRequest(ops::ListaCliente_Consulta::info(), &typed);
    wrongType.replace(">123456<", ">uno<");
    QCOMPARE(request(endpoint, wrongType).status, 500);

    // And the next ordinary call is answered as always.
    const QString count = onWorker([&proxy] {
        return QString::number(proxy.ListaProducto_Consulta(QStringLiteral("demo"), QStringLiteral("demo"), QStringLiteral("@martillo")).Count);
    });
    QVERIFY2(count.toInt() > 0, qPrintable(count));
    QCOMPARE(onWorker([&proxy] { return QString::number(proxy.VersionWS()); }), QStringLiteral("20192"));
}

void TestSandboxSession::photosOverHttp_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("status");
    const QString withPhoto = m_sandbox.scalar(QStringLiteral("SELECT ID FROM producto_fotos WHERE Foto IS NOT NULL ORDER BY ID")).toString();
    const QString withoutPhoto = m_sandbox.scalar(QStringLiteral("SELECT ID FROM productos WHERE ID NOT IN"
                                                                 " (SELECT ID FROM producto_fotos WHERE Foto IS NOT NULL) ORDER BY ID")).toString();
    QVERIFY(!withPhoto.isEmpty() && !withoutPhoto.isEmpty());
    QTest::newRow("product with photo") << QStringLiteral("/fotos/%1.jpg").arg(withPhoto) << 200;
    QTest::newRow("key in lower case") << QStringLiteral("/fotos/%1.jpg").arg(withPhoto.toLower()) << 200;
    QTest::newRow("product without photo") << QStringLiteral("/fotos/%1.jpg").arg(withoutPhoto) << 404;
    QTest::newRow("unknown product") << QStringLiteral("/fotos/NO-EXISTE.jpg") << 404;
}

void TestSandboxSession::photosOverHttp()
{
    QFETCH(QString, path);
    QFETCH(int, status);
    const Http h = request(path);
    QCOMPARE(h.status, status);
    if (status == 200) {
        QCOMPARE(h.contentType, QByteArrayLiteral("image/jpeg"));
        QImage image;
        QVERIFY(image.loadFromData(h.body, "JPG"));
    }
}

QTEST_GUILESS_MAIN(TestSandboxSession)
#include "tst_sandbox_session.moc"
