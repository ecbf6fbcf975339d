// Getting in, end to end: the sandbox on a free port, the real window
// offscreen, driven by taps and keys the way a newcomer would.

#include "SandboxProcess.h"

#include "app/Application.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTest>

using namespace korvel;
using namespace korvel::Pages;
using korvel::testing::SandboxProcess;

namespace {

constexpr int kTaskTimeout = 20000;

QQuickItem* findItem(QQuickItem* root, const QString& name)
{
    if (root->objectName() == name)
        return root;
    for (QQuickItem* child : root->childItems())
        if (QQuickItem* found = findItem(child, name))
            return found;
    return nullptr;
}

class Client {
public:
    explicit Client(const QString& documents)
    {
        LaunchOptions o;
        o.documents = documents;
        app = std::make_unique<Application>(o);
        started = app->start() && QTest::qWaitForWindowExposed(app->window());
    }

    QQuickWindow* window() const { return app->window(); }
    Shell& shell() const { return app->shell(); }
    QQuickItem* item(const char* name) const
    {
        if (auto* found = window()->findChild<QQuickItem*>(QString::fromLatin1(name)))
            return found;
        return findItem(window()->contentItem(), QString::fromLatin1(name));
    }
    bool shown(const char* name) const
    {
        QQuickItem* i = item(name);
        return i && i->isVisible();
    }
    void click(const char* name) const
    {
        QQuickItem* i = item(name);
        QVERIFY2(i && i->isVisible(), name);
        const QPoint center = i->mapToScene(QPointF(i->width() / 2, i->height() / 2)).toPoint();
        QTest::mouseClick(window(), Qt::LeftButton, {}, center);
    }
    void type(const char* field, const QString& text) const
    {
        click(field);
        QTest::keyClick(window(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window(), Qt::Key_Backspace);
        for (QChar c : text)
            QTest::keyClick(window(), c.toLatin1());
    }
    bool idle() const { return !shell().tasks()->busy(); }
    QString message() const { return shell().messages()->msgVisible() ? shell().messages()->msgCaption() : QString(); }

    // First run: the settings screen, the host typed into DNS, OK.
    void configure(const QString& hostAndPort) const
    {
        QCOMPARE(shell().navigator()->page(), TabURL);
        type("DNS", hostAndPort);
        click("OKBtn");
        QCOMPARE(shell().navigator()->page(), TabItem1);
    }

    void ingresar() const
    {
        click("IngresarBtn");
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kTaskTimeout);
    }

    void signIn(const QString& user, const QString& pass, int company = 0) const
    {
        QVERIFY(shown("SignInRect"));
        if (shown("Empresa"))
            shell().settings()->setEmpresa(company);
        type("iUser", user);
        type("iPass", pass);
        click("SignInRectBTN");
        QTRY_VERIFY_WITH_TIMEOUT(idle(), kTaskTimeout);
    }

    std::unique_ptr<Application> app;
    bool started = false;
};

} // namespace

class LoginTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunToTheMainMenu_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("pass");
        QTest::addColumn<QStringList>("tiles");
        const QStringList all{"CobranzaLayout", "PedidoLayout", "ProductosLayout", "ClientesLayout", "InventarioLayout",
                              "EstadisticaLayout", "HistoriaLayout", "EntregaLayout", "RevisionLayout", "AutorizaLayout"};
        QTest::newRow("demo") << "demo" << "demo" << all;
        QTest::newRow("seller") << "vendedor" << "vende123"
                                << QStringList{"CobranzaLayout", "PedidoLayout", "ProductosLayout", "ClientesLayout",
                                               "HistoriaLayout"};
        QTest::newRow("driver") << "chofer" << "ruta123" << QStringList{"EntregaLayout"};
        QTest::newRow("manager") << "gerente" << "gerente123"
                                 << QStringList{"PedidoLayout", "ProductosLayout", "ClientesLayout", "EstadisticaLayout",
                                                "HistoriaLayout", "RevisionLayout", "AutorizaLayout"};
    }

    void firstRunToTheMainMenu()
    {
        QFETCH(QString, user);
        QFETCH(QString, pass);
        QFETCH(QStringList, tiles);
        SandboxProcess sandbox;
        QVERIFY2(sandbox.running(), qPrintable(sandbox.errors()));
        QTemporaryDir docs;
        Client c(docs.path());
        QVERIFY(c.started);
        c.configure(sandbox.hostAndPort());
        QCOMPARE(c.shell().settings()->URLWSDL(), sandbox.descriptionUrl());
        c.ingresar();
        QVERIFY2(c.message().isEmpty(), qPrintable(c.message()));
        QVERIFY(c.shown("SignInRect"));
        QVERIFY(c.shown("Empresa"));
        QCOMPARE(c.shell().start()->companies().size(), 2);
        c.signIn(user, pass);
        QVERIFY2(c.message().isEmpty(), qPrintable(c.message()));
        QCOMPARE(c.shell().navigator()->page(), TabEmpresa);
        QVERIFY(c.shell().session()->isLogged);
        QCOMPARE(c.shell().start()->labelVer(), QStringLiteral("App Build 2.0.192 - Web Service 20192"));
        QCOMPARE(c.shell().session()->loginUser, user);

        // Exactly the granted tiles, packed into two columns in design order
        // (checked once the grid has laid them out).
        auto packed = [&] {
            int position = 0;
            QQuickItem* first = nullptr;
            for (int i = 0; i < 10; ++i) {
                const char* name = MainMenu::kTiles[i].layout;
                const bool expected = tiles.contains(QLatin1String(name));
                if (c.shown(name) != expected)
                    return false;
                if (!expected)
                    continue;
                QQuickItem* tile = c.item(name);
                if (!first)
                    first = tile;
                if (int(qRound((tile->y() - first->y()) / 120.0)) != position / 2
                    || (tile->x() > first->x() + 10) != (position % 2 == 1))
                    return false;
                ++position;
            }
            return position == tiles.size();
        };
        QTRY_VERIFY_WITH_TIMEOUT(packed(), 3000);

        // The remembered login goes into the settings file.
        QCOMPARE(c.shell().settings()->readUser(), user);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("wrong-password") << "password" << "Inicio de Sesión" << "";
        QTest::newRow("server-down") << "down" << "Conexión"
                                     << "No hay conexión con el Servidor, verifique que cuente con Internet y el DNS sea correcto";
        QTest::newRow("not-a-description") << "not-wsdl" << "Conexión"
                                           << "No hay conexión con el Servidor, verifique que cuente con Internet y el DNS sea correcto";
    }

    void refusals()
    {
        QFETCH(QString, what);
        QFETCH(QString, title);
        QFETCH(QString, text);
        SandboxProcess sandbox;
        QVERIFY(sandbox.running());
        QTemporaryDir docs;
        Client c(docs.path());
        QVERIFY(c.started);
        if (what == u"down") {
            SandboxProcess gone;
            const QString host = gone.hostAndPort();
            gone.stop();
            c.configure(host);
        } else if (what == u"not-wsdl") {
            c.shell().settings()->setURLWSDL(QStringLiteral("http://") + sandbox.hostAndPort() + QStringLiteral("/fotos/x.jpg"));
            c.click("OKBtn");
        } else {
            c.configure(sandbox.hostAndPort());
        }
        c.ingresar();
        if (what == u"password") {
            QVERIFY(c.message().isEmpty());
            c.signIn(QStringLiteral("demo"), QStringLiteral("equivocada"));
            QVERIFY(!c.message().isEmpty());
            QVERIFY(c.shown("SignInRect"));
        } else {
            QCOMPARE(c.message(), text);
            QVERIFY(c.shown("StarRect"));
        }
        QCOMPARE(c.shell().messages()->msgTitulo(), title);
        QCOMPARE(c.shell().messages()->msgKind(), 0);
        QCOMPARE(c.shell().navigator()->page(), TabItem1);
        QVERIFY(!c.shell().session()->isLogged);
        // The main menu stays unreachable and the session empty.
        QVERIFY(!c.shell().navigator()->screen().mainMenuEnabled);
        QVERIFY(c.shell().session()->modulos.isEmpty());
    }

    void serviceBuilds_data()
    {
        QTest::addColumn<int>("build");
        QTest::addColumn<bool>("logsIn");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("barcodeEnabled");
        QTest::newRow("20169") << 20169 << false << "WebService incompatible - Server: 20169  App: 20170" << true;
        QTest::newRow("20180") << 20180 << true
                               << "Requiere actualizar su Web Service por lo menos al Build 2.0.192 para disfrutar de todos los cambios en esta nueva versión"
                               << false;
        QTest::newRow("20185") << 20185 << true
                               << "Requiere actualizar su Web Service por lo menos al Build 2.0.192 para disfrutar de todos los cambios en esta nueva versión"
                               << false;
        QTest::newRow("20195") << 20195 << true << "" << true;
    }

    void serviceBuilds()
    {
        QFETCH(int, build);
        QFETCH(bool, logsIn);
        QFETCH(QString, message);
        QFETCH(bool, barcodeEnabled);
        SandboxProcess sandbox({"--build", QString::number(build), "--single-company"});
        QVERIFY(sandbox.running());
        QTemporaryDir docs;
        Client c(docs.path());
        QVERIFY(c.started);
        c.configure(sandbox.hostAndPort());
        c.ingresar();
        QVERIFY(!c.shown("Empresa")); // one company: no picker
        c.signIn(QStringLiteral("demo"), QStringLiteral("demo"));
        QCOMPARE(c.shell().session()->versionServicio, build);
        QCOMPARE(c.shell().session()->isLogged, logsIn);
        QCOMPARE(c.message(), message);
        if (!message.isEmpty())
            QCOMPARE(c.shell().messages()->msgKind(), logsIn ? 2 : 0);
        if (logsIn) {
            QCOMPARE(c.shell().navigator()->page(), TabEmpresa);
            QCOMPARE(c.shell().settings()->ReadBCEnabled(), barcodeEnabled);
            if (!barcodeEnabled)
                QVERIFY(!c.shell().settings()->ReadBC());
        }
    }

    void secondCompanyPrefixesTheLoginName()
    {
        SandboxProcess sandbox;
        QVERIFY(sandbox.running());
        QTemporaryDir docs;
        Client c(docs.path());
        QVERIFY(c.started);
        c.configure(sandbox.hostAndPort());
        c.ingresar();
        c.signIn(QStringLiteral("demo"), QStringLiteral("demo"), 1);
        QVERIFY2(c.message().isEmpty(), qPrintable(c.message()));
        QCOMPARE(c.shell().session()->loginUser, QStringLiteral("1@demo"));
        QCOMPARE(c.shell().session()->empresa.Nombre, c.shell().start()->companies().at(1));
        QCOMPARE(c.shell().settings()->readSucursal(), 1);
    }

    void logoutKeepsTheLastProductListUntilTheNextLogin()
    {
        SandboxProcess sandbox;
        QVERIFY(sandbox.running());
        QTemporaryDir docs;
        Client c(docs.path());
        QVERIFY(c.started);
        c.configure(sandbox.hostAndPort());
        c.ingresar();
        c.signIn(QStringLiteral("demo"), QStringLiteral("demo"));
        Session& s = *c.shell().session();
        s.productosBuscados = c.shell().service().ListaProducto_Consulta(s.loginUser, s.loginPass, QStringLiteral("@a"));
        const int found = s.productosBuscados.Count;
        QVERIFY(found > 0);
        c.shell().navigator()->setDrawerOpen(true);
        QTest::qWait(400);
        c.click("CerrarSessionBtn");
        QTRY_COMPARE(c.shell().navigator()->page(), TabItem1);
        QVERIFY(c.shown("StarRect"));
        QVERIFY(!s.isLogged);
        QCOMPARE(s.productosBuscados.Count, found);
        c.ingresar();
        c.signIn(QStringLiteral("demo"), QStringLiteral("demo"));
        QVERIFY(s.isLogged);
        QCOMPARE(s.productosBuscados.Count, 0);
    }
};

QTEST_MAIN(LoginTest)
#include "tst_login.moc"
