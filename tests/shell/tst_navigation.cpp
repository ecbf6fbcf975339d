// Moving between pages: every branch of back, OK, add and search, the module
// checks, the keys and the close request.

#include "shell/Messages.h"
#include "shell/Navigator.h"
#include "shell/Session.h"
#include "shell/settings/Settings.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace korvel;
using namespace korvel::Pages;

using Setup = std::function<void(Session&, Navigator&)>;
Q_DECLARE_METATYPE(Setup)

class NavigationTest : public QObject {
    Q_OBJECT

    struct Fixture {
        QTemporaryDir dir;
        Settings settings{dir.filePath(QStringLiteral("ZFKorvel.ini"))};
        Session session;
        Messages messages;
        Navigator nav{session, messages, settings};
        QSignalSpy actions{&nav, &Navigator::action};
        Fixture() { session.modulos = QStringLiteral("TTTTTTTTTTTT"); session.isLogged = true; }
        QStringList actionNames() const
        {
            QStringList names;
            for (const auto& a : actions)
                names << a.at(0).toString();
            return names;
        }
    };

private slots:
    void back_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("title");      // empty: not checked
        QTest::addColumn<QString>("action");     // an action the branch must ask for, or empty
        const Setup none = [](Session&, Navigator&) {};
        auto row = [](const char* n, Page from, Setup s, Page to, const char* title = "", const char* action = "") {
            QTest::newRow(n) << int(from) << s << int(to) << QString::fromUtf8(title) << QString::fromLatin1(action);
        };
        row("collections", TabCobranza, none, TabEmpresa, "Menú Principal");
        row("delivery", TabEntrega, none, TabEmpresa, "Menú Principal");
        row("product-file-order-mode", TabPro, [](Session& s, Navigator&) { s.modoSelProducto = 1; }, TabListaPro,
            "Pedido > Productos");
        row("client-list-lookup", TabListaCte, none, TabEmpresa);
        row("client-list-order", TabListaCte, [](Session& s, Navigator&) { s.modoSelCliente = 1; }, TabPedido);
        row("client-list-collection", TabListaCte, [](Session& s, Navigator&) { s.modoSelCliente = 2; }, TabListaCte);
        row("client-file", TabCte, [](Session& s, Navigator&) { s.modoSelCliente = 2; }, TabListaCte, "Cobranza > Cliente");
        row("product-list-lookup", TabListaPro, none, TabEmpresa);
        row("product-list-order", TabListaPro,
            [](Session& s, Navigator&) { s.modoSelProducto = 1; s.entradaPedido = 1; }, TabPedido, "Nuevo Pedido", "LlenarPedido");
        row("product-list-inventory", TabListaPro, [](Session& s, Navigator&) { s.modoSelProducto = 2; }, TabTI,
            "Toma Inventario");
        row("product-list-statistics", TabListaPro, [](Session& s, Navigator&) { s.modoSelProducto = 3; },
            TabEstadisticaMenu, "Estadísticas");
        row("product-list-purchases", TabListaPro, [](Session& s, Navigator&) { s.modoSelProducto = 4; }, TabCompra,
            "Compras");
        row("inventory", TabTI, none, TabEmpresa);
        row("order-list", TabListaPedido, none, TabEmpresa);
        row("authorization", TabAuth, none, TabEmpresa);
        row("statistics-menu", TabEstadisticaMenu, none, TabEmpresa);
        row("statistics-status", TabEstadistica,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listEstVisible = true; }); }, TabEstadistica,
            "", "CargarEstatusEmpresa");
        row("statistics-branches", TabEstadistica,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaSucVisible = true; }); },
            TabEstadisticaMenu);
        row("statistics-categories", TabEstadistica,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaCatVisible = true; }); }, TabEstadistica,
            "", "CargarSucursales");
        row("fiscal-weekly-detail", TabEjer,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaSucETag = 1; f.listaEjeVisible = true; }); },
            TabEjer, "", "CargarEjercicioSem2");
        row("fiscal-weekly-periods", TabEjer,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaSucETag = 1; f.listaPerVisible = true; }); },
            TabEjer, "", "CargarEjercicioSem");
        row("fiscal-monthly-detail", TabEjer,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaSucETag = 2; f.listaEjeVisible = true; }); },
            TabEjer, "", "CargarEjercicioMen2");
        row("fiscal-monthly-top", TabEjer,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaSucETag = 2; }); }, TabEstadisticaMenu);
        row("fiscal-menu-tag", TabEjer, [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaSucETag = 80; }); },
            TabEstadisticaMenu);
        row("fiscal-other-tag", TabEjer, [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaSucETag = 5; }); },
            TabEjer);
        row("purchases-branches", TabCompra, none, TabEmpresa, "", "LayCompraHist");
        row("purchases-panel", TabCompra,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.listaSucCVisible = false; f.panelComVisible = true; }); },
            TabCompra, "", "PanelComBack");
        row("charts-statistics", TabGrafica, [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.graficaTag = 1; }); },
            TabEstadistica);
        row("charts-fiscal", TabGrafica, [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.graficaTag = 2; }); },
            TabEjer);
        row("order", TabPedido, none, TabListaPedido, "Lista Pedidos");
        row("invoice-history", TabFacturas, none, TabCte, "Cliente > Expediente");
        row("printer", TabPrinter, [](Session& s, Navigator&) { s.lastTab = int(TabCobranza); }, TabCobranza);
        row("start", TabItem1, none, TabItem1);
        row("main-menu", TabEmpresa, none, TabEmpresa);
        row("settings", TabURL, none, TabURL);
        row("sale-review", TabRevisa, none, TabRevisa);
        row("camera-open-only-closes-it", TabListaPro,
            [](Session&, Navigator& n) { n.updateFacts([](ViewFacts& f) { f.cameraOverlayVisible = true; }); }, TabListaPro,
            "", "StopCamClick");
    }

    void back()
    {
        QFETCH(int, from);
        QFETCH(Setup, setup);
        QFETCH(int, to);
        QFETCH(QString, title);
        QFETCH(QString, action);
        Fixture f;
        f.nav.showPage(from);
        setup(f.session, f.nav);
        f.actions.clear();
        f.nav.BackBtnClick();
        QCOMPARE(f.nav.page(), Page(to));
        if (!title.isEmpty())
            QCOMPARE(f.nav.title(), title);
        if (!action.isEmpty())
            QVERIFY2(f.actionNames().contains(action), qPrintable(f.actionNames().join(u',')));
        QVERIFY(!f.messages.msgVisible());
    }

    void backFromProductListResetsPickMode()
    {
        Fixture f;
        f.session.modoSelProducto = 2;
        f.nav.showPage(TabListaPro);
        f.nav.BackBtnClick();
        QCOMPARE(f.session.modoSelProducto, 0);
        QCOMPARE(f.nav.title(), QStringLiteral("Toma Inventario"));
    }

    void hardwareBackFollowsTheBackButton()
    {
        Fixture f;
        f.session.modoSelCliente = 2;
        f.nav.showPage(TabListaCte);
        f.nav.Validar();
        QVERIFY(f.nav.FormKeyDown(Qt::Key_Back)); // consumed
        QCOMPARE(f.nav.page(), TabListaCte);      // but back is hidden here: nothing happens
        f.session.modoSelCliente = 0;
        f.nav.Validar();
        QVERIFY(f.nav.FormKeyDown(Qt::Key_Escape));
        QCOMPARE(f.nav.page(), TabEmpresa);
        QVERIFY(!f.nav.FormKeyDown(Qt::Key_A));
    }

    void closeOnlyFromStartOrAfterSalir()
    {
        Fixture f;
        QVERIFY(f.nav.FormCloseQuery()); // start screen
        f.nav.showPage(TabEmpresa);
        QVERIFY(!f.nav.FormCloseQuery());
        QSignalSpy quit(&f.nav, &Navigator::quitRequested);
        f.session.productosBuscados.Count = 1;
        f.nav.CerrarBtnClick();
        QCOMPARE(quit.count(), 1);
        QVERIFY(f.nav.FormCloseQuery());
        QCOMPARE(f.session.productosBuscados.Count, 0);
    }

    void modulesNotGrantedKeepTheScreen_data()
    {
        QTest::addColumn<QString>("modulos");
        QTest::addColumn<int>("tile");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString denied = QStringLiteral("Usted no tiene acceso a este módulo");
        QTest::newRow("collections") << "TTF" << 0 << "Acceso" << denied;
        QTest::newRow("products") << "FTTT" << 2 << "Acceso" << denied;
        QTest::newRow("statistics") << "TTTTTTF" << 5 << "Error" << denied;
        QTest::newRow("purchases-shows-the-grant") << "TTTTTTTx" << 6 << "Error" << denied + QStringLiteral(">x-8");
        QTest::newRow("purchases-short-string") << "TTT" << 6 << "Error" << denied + QStringLiteral(">-8");
        QTest::newRow("authorization-needs-orders") << "TTTFTTTTTTTT" << 9 << "Acceso" << denied;
        QTest::newRow("empty-grants") << "" << 1 << "Acceso" << denied;
    }

    void modulesNotGrantedKeepTheScreen()
    {
        QFETCH(QString, modulos);
        QFETCH(int, tile);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Fixture f;
        f.session.modulos = modulos;
        f.nav.EmpresaBtnClick();
        f.nav.MenuTileClick(tile);
        QCOMPARE(f.nav.page(), TabEmpresa);
        QVERIFY(f.messages.msgVisible());
        QCOMPARE(f.messages.msgTitulo(), title);
        QCOMPARE(f.messages.msgCaption(), text);
        QCOMPARE(f.messages.msgKind(), 0);
    }

    void tilesOpenTheirScreens_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("title");
        QTest::newRow("cobranza") << 0 << int(TabCobranza) << "Cobranza";
        QTest::newRow("pedido") << 1 << int(TabListaPedido) << "Lista Pedidos";
        QTest::newRow("productos") << 2 << int(TabListaPro) << "Productos";
        QTest::newRow("clientes") << 3 << int(TabListaCte) << "Clientes";
        QTest::newRow("inventario") << 4 << int(TabTI) << "Toma Inventario";
        QTest::newRow("estadistica") << 5 << int(TabEstadisticaMenu) << "Estadísticas";
        QTest::newRow("historia") << 6 << int(TabCompra) << "Compras";
        QTest::newRow("entrega") << 7 << int(TabEntrega) << "Registro de Entrega";
        QTest::newRow("revision") << 8 << int(TabRevisa) << "Revision de Cuenta";
        QTest::newRow("autoriza") << 9 << int(TabAuth) << "Autorización de Precios";
    }

    void tilesOpenTheirScreens()
    {
        QFETCH(int, tile);
        QFETCH(int, page);
        QFETCH(QString, title);
        Fixture f;
        f.nav.setDrawerOpen(true);
        f.nav.MenuTileClick(tile);
        QCOMPARE(f.nav.page(), Page(page));
        QCOMPARE(f.nav.title(), title);
        QVERIFY(!f.nav.drawerOpen());
        QVERIFY(f.actionNames().contains(QStringLiteral("Prepare")));
    }

    void okByPage()
    {
        Fixture f;
        f.nav.OKBtnClick(); // start screen, welcome card
        f.nav.updateFacts([](ViewFacts& v) { v.welcomeCardVisible = false; });
        f.nav.OKBtnClick(); // sign-in card
        f.nav.showPage(TabURL);
        f.nav.OKBtnClick();
        f.nav.showPage(TabListaCte);
        f.nav.OKBtnClick();
        f.nav.showPage(TabEmpresa);
        f.nav.OKBtnClick(); // nothing
        QCOMPARE(f.actionNames(), (QStringList{"IngresarBtnClick", "LoginBtnClick", "GuardarURLBtnClick", "SelClienteBtnClick"}));
    }

    void productFilterOpensItsScreen()
    {
        Fixture f;
        f.session.modoSelProducto = 4;
        f.nav.showPage(TabListaPro);
        f.nav.applyProductFilter(QStringLiteral("TRU-1"), QStringLiteral("PZA"), QStringLiteral("Martillo"));
        QCOMPARE(f.session.filtroXN123, QStringLiteral("TRU-1"));
        QCOMPARE(f.session.filtroXN123Unidad, QStringLiteral("PZA"));
        QCOMPARE(f.nav.filterLabel(), QStringLiteral("TRU-1 - Martillo"));
        QVERIFY(f.nav.filterPanelVisible());
        QCOMPARE(f.nav.page(), TabCompra);
    }

    void addByPage()
    {
        Fixture f;
        f.nav.showPage(TabPedido);
        f.nav.NuevoBtnClick();
        f.nav.showPage(TabCobranza);
        f.nav.NuevoBtnClick();
        f.session.clienteCobro.NuClienteKorvel = 3;
        f.nav.NuevoBtnClick(); // a collection is running: nothing
        QCOMPARE(f.actionNames(), (QStringList{"NuevoPedidoBtnClick", "NuevoCobranzaBtnClick"}));

        // Order list: a draft is offered first.
        bool draft = true;
        f.nav.setDraftProbe([&] { return draft; });
        f.nav.showPage(TabListaPedido);
        f.actions.clear();
        f.nav.NuevoBtnClick();
        QCOMPARE(f.actionNames(), QStringList{"PanelPedidoRecuperado"});
        QCOMPARE(f.nav.page(), TabListaPedido);

        // No draft: a new order in pesos; a modified order is closed first.
        draft = false;
        f.session.entradaPedido = 2;
        f.session.nuMoneda = 2;
        f.actions.clear();
        f.nav.NuevoBtnClick();
        QCOMPARE(f.session.entradaPedido, 1);
        QCOMPARE(f.session.nuMoneda, 1);
        QCOMPARE(f.session.monedaImage(), 5);
        QCOMPARE(f.nav.page(), TabPedido);
        QCOMPARE(f.nav.title(), QStringLiteral("Nuevo Pedido"));
        QCOMPARE(f.actionNames(), (QStringList{"CerrarPedido", "LlenarPedido"}));

        // A probe that fails counts as no draft.
        f.nav.setDraftProbe([]() -> bool { throw std::runtime_error("disk"); });
        f.session.entradaPedido = 0;
        f.nav.showPage(TabListaPedido);
        f.nav.NuevoBtnClick();
        QCOMPARE(f.nav.page(), TabPedido);
    }

    void searchSetsThePickMode_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("order") << int(TabPedido) << 1 << "Pedido > Productos";
        QTest::newRow("inventory") << int(TabTI) << 2 << "Toma Inventario > Productos";
        QTest::newRow("statistics") << int(TabEstadisticaMenu) << 3 << "Filtro > Productos";
        QTest::newRow("other-keeps") << int(TabEmpresa) << 0 << "Productos";
    }

    void searchSetsThePickMode()
    {
        QFETCH(int, from);
        QFETCH(int, mode);
        QFETCH(QString, title);
        Fixture f;
        f.nav.showPage(from);
        f.nav.CollectBtnClick(true);
        QCOMPARE(f.session.modoSelProducto, mode);
        QCOMPARE(f.nav.page(), TabListaPro);
        QCOMPARE(f.nav.title(), title);
        QVERIFY(f.actionNames().contains(QStringLiteral("FocusFiltro")));
    }

    void printerScreenRemembersWhereItCameFrom()
    {
        Fixture f;
        f.nav.showPage(TabAuth);
        f.nav.PrinterSetupBtnClick();
        QCOMPARE(f.nav.page(), TabPrinter);
        QCOMPARE(f.session.lastTab, int(TabAuth));
        f.nav.BackBtnClick();
        QCOMPARE(f.nav.page(), TabAuth);
    }
};

QTEST_GUILESS_MAIN(NavigationTest)
#include "tst_navigation.moc"
