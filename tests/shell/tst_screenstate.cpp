// The common refresh as a function of page, session and what the screens
// show: one table of cases per rule.

#include "shell/ScreenState.h"
#include "shell/Session.h"

#include <QTest>

#include <functional>

using namespace korvel;
using namespace korvel::Pages;

using Setup = std::function<void(Session&, ViewFacts&)>;
using Check = std::function<bool(const ScreenState&)>;
Q_DECLARE_METATYPE(Setup)
Q_DECLARE_METATYPE(Check)

namespace {

void withOrderClient(Session& s, const QString& letter = {})
{
    s.pedidoActual.Cliente.NuClienteKorvel = 812;
    s.pedidoActual.Cliente.Nombre = QStringLiteral("Abarrotes La Esperanza");
    s.pedidoActual.Cliente.RFC = QStringLiteral("AES9001013K2");
    s.pedidoActual.Cliente.NuPrecio = letter;
}

} // namespace

class ScreenStateTest : public QObject {
    Q_OBJECT

private slots:
    void rules_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("readBC");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<Check>("expect");
        const Setup none = [](Session&, ViewFacts&) {};
        auto row = [](const char* name, Page p, bool bc, Setup s, Check c) { QTest::newRow(name) << int(p) << bc << s << c; };

        // Side menu and OK
        row("logged-out-menu", TabItem1, true, none, [](auto& st) {
            return !st.mainMenuEnabled && !st.cerrarSesionEnabled && st.configurarEnabled && !st.printerSetupEnabled;
        });
        row("logged-in-menu", TabEmpresa, true, [](Session& s, ViewFacts&) { s.isLogged = true; },
            [](auto& st) { return st.mainMenuEnabled && st.cerrarSesionEnabled && st.printerSetupEnabled; });
        row("ok-start", TabItem1, true, none, [](auto& st) { return st.okVisible && !st.backVisible; });
        row("ok-settings", TabURL, true, none, [](auto& st) { return st.okVisible && !st.backVisible && st.backSlotWidth == 0; });
        row("ok-client-pick-empty", TabListaCte, true, [](Session& s, ViewFacts&) { s.modoSelCliente = 1; },
            [](auto& st) { return !st.okVisible; });
        row("ok-client-pick-rows", TabListaCte, true,
            [](Session& s, ViewFacts& f) { s.modoSelCliente = 2; f.clientListRows = 3; }, [](auto& st) { return st.okVisible; });
        row("ok-client-lookup", TabListaCte, true, [](Session&, ViewFacts& f) { f.clientListRows = 3; },
            [](auto& st) { return !st.okVisible; });
        row("ok-product-filter-rows", TabListaPro, true,
            [](Session& s, ViewFacts& f) { s.modoSelProducto = 3; f.productListRows = 1; }, [](auto& st) { return st.okVisible; });
        row("ok-product-order-mode", TabListaPro, true,
            [](Session& s, ViewFacts& f) { s.modoSelProducto = 1; f.productListRows = 1; }, [](auto& st) { return !st.okVisible; });

        // Back
        row("back-product-file", TabPro, true, none, [](auto& st) { return st.backVisible && st.backSlotWidth == 64; });
        row("back-client-list-order", TabListaCte, true, [](Session& s, ViewFacts&) { s.modoSelCliente = 1; },
            [](auto& st) { return st.backVisible; });
        row("back-client-list-collection", TabListaCte, true, [](Session& s, ViewFacts&) { s.modoSelCliente = 2; },
            [](auto& st) { return !st.backVisible && st.backSlotWidth == 0; });
        row("back-charts-hidden", TabGrafica, true, none, [](auto& st) { return !st.backVisible; });
        row("back-sale-review-hidden", TabRevisa, true, none, [](auto& st) { return !st.backVisible; });
        row("back-printer", TabPrinter, true, none, [](auto& st) { return st.backVisible; });
        row("back-main-menu-hidden", TabEmpresa, true, none, [](auto& st) { return !st.backVisible; });

        // Order screen
        row("order-new-without-client", TabPedido, true, [](Session& s, ViewFacts&) { s.entradaPedido = 1; },
            [](auto& st) {
                return st.enviarPedidoVisible && !st.enviarPedidoEnabled && st.nuevoVisible && !st.collectVisible
                    && st.labelPedNum == u"Folio" && st.labelPedNombre == u"Nombre del Cliente" && st.labelPedRFC.isEmpty();
            });
        row("order-new-with-client", TabPedido, true,
            [](Session& s, ViewFacts& f) { s.entradaPedido = 1; withOrderClient(s); f.orderLineRows = 2; },
            [](auto& st) {
                return st.enviarPedidoEnabled && !st.nuevoVisible && st.collectVisible && st.activarModVisible
                    && st.labelPedNum == u"812" && st.labelPedRFC == u"AES9001013K2" && !st.imprimirPedidoVisible;
            });
        row("order-consult", TabPedido, true, [](Session& s, ViewFacts& f) { s.entradaPedido = 3; withOrderClient(s); f.orderLineRows = 2; },
            [](auto& st) { return !st.enviarPedidoVisible && !st.collectVisible && !st.activarModVisible && st.imprimirPedidoVisible; });
        row("order-modify-prints", TabPedido, true, [](Session& s, ViewFacts&) { s.entradaPedido = 2; withOrderClient(s); },
            [](auto& st) { return st.imprimirPedidoVisible && st.enviarPedidoEnabled; });

        // Price letters
        row("client-letter-replaces-four", TabPedido, true,
            [](Session& s, ViewFacts&) { s.np[0] = "A"; s.np[1] = "B"; s.np[2] = "E"; s.np[3] = "F"; withOrderClient(s, "C"); },
            [](auto& st) {
                return st.npc[0] == u"C" && st.npc[1] == u"C" && st.npc[2] == u"C" && st.npc[3] == u"C"
                    && st.nuPrecioCte == u"C" && st.labelPedPrecio == u"C";
            });
        row("blank-client-letter-keeps-users", TabPedido, true,
            [](Session& s, ViewFacts&) { s.np[0] = "A"; s.np[1] = "B"; s.np[2] = "E"; s.np[3] = "F"; withOrderClient(s, "  "); },
            [](auto& st) { return st.npc[0] == u"A" && st.npc[2] == u"E" && st.npc[3] == u"F" && st.nuPrecioCte == u"  "; });
        row("no-client-no-letter", TabPedido, true, [](Session& s, ViewFacts&) { s.np[0] = "B"; },
            [](auto& st) { return st.npc[0] == u"B" && st.nuPrecioCte.isEmpty(); });

        // Collections
        row("collection-without-client", TabCobranza, true, none, [](auto& st) {
            return !st.cobranzaButtonsEnabled && st.nuevoVisible && st.labelCobNum == u"Folio";
        });
        row("collection-with-client", TabCobranza, true,
            [](Session& s, ViewFacts& f) { s.clienteCobro.NuClienteKorvel = 5; s.clienteCobro.Nombre = "X"; f.listCobVisible = true; },
            [](auto& st) { return st.cobranzaButtonsEnabled && !st.nuevoVisible && st.labelCobNum == u"5" && st.compartirPDFFacVisible; });

        // Inventory
        row("inventory-closed", TabTI, true, none, [](auto& st) { return !st.collectVisible && !st.toolTI3Visible && !st.scanTIVisible; });
        row("inventory-open-editable", TabTI, true, [](Session& s, ViewFacts&) { s.folioLista = 7; s.folioListaEdo = true; },
            [](auto& st) { return st.collectVisible && st.toolTI3Visible && st.scanTIVisible && st.scanTIEnabled; });
        row("inventory-open-no-scanner", TabTI, false, [](Session& s, ViewFacts&) { s.folioLista = 7; },
            [](auto& st) { return st.toolTI3Visible && !st.scanTIVisible && !st.scanTIEnabled && !st.scanButtonsVisible; });

        // Capture bar and add button
        row("capture-bar-order-mode", TabPro, true, [](Session& s, ViewFacts&) { s.modoSelProducto = 1; },
            [](auto& st) { return st.captureBarVisible; });
        row("capture-bar-lookup", TabListaPro, true, none, [](auto& st) { return !st.captureBarVisible; });
        row("add-on-order-list", TabListaPedido, true, none, [](auto& st) { return st.nuevoVisible; });

        // Order list
        row("order-list-captured-step", TabListaPedido, true,
            [](Session& s, ViewFacts& f) { s.modulos = "TTTTTTTTT"; f.orderListRows = 4; f.pasoIndex = 3; },
            [](auto& st) {
                return st.modificarPedidoVisible && st.compartirPedidoVisible && st.generarFacturaVisible
                    && st.generarFacturaEnabled && !st.facturaShareEnabled && st.toolBarFacVisible;
            });
        row("order-list-invoiced-step", TabListaPedido, true,
            [](Session& s, ViewFacts& f) { s.modulos = "TTTT"; f.orderListRows = 4; f.pasoIndex = 4; },
            [](auto& st) { return !st.generarFacturaVisible && !st.generarFacturaEnabled && st.facturaShareEnabled; });
        row("order-list-empty", TabListaPedido, true, [](Session&, ViewFacts& f) { f.pasoIndex = 1; },
            [](auto& st) { return !st.modificarPedidoVisible && !st.compartirPedidoVisible && !st.toolBarFacVisible; });
        row("order-list-step-five", TabListaPedido, true, [](Session&, ViewFacts& f) { f.orderListRows = 1; f.pasoIndex = 5; },
            [](auto& st) { return !st.modificarPedidoVisible && st.compartirPedidoVisible; });

        // Chart and builds
        row("chart-branches", TabEstadistica, true, [](Session&, ViewFacts& f) { f.listaSucVisible = true; },
            [](auto& st) { return st.chartVisible; });
        row("chart-status-list", TabEstadistica, true, [](Session&, ViewFacts& f) { f.listEstVisible = true; },
            [](auto& st) { return !st.chartVisible; });
        row("chart-fiscal-year", TabEjer, true, [](Session&, ViewFacts& f) { f.listaEjeVisible = true; },
            [](auto& st) { return st.chartVisible; });
        row("before-login-builds", TabURL, true, none, [](auto& st) { return !st.settingsRowsVisible && !st.build20170Visible; });
        row("build-20099", TabURL, true, [](Session& s, ViewFacts&) { s.versionServicio = 20099; },
            [](auto& st) { return !st.settingsRowsVisible; });
        row("build-20100", TabURL, true, [](Session& s, ViewFacts&) { s.versionServicio = 20100; },
            [](auto& st) { return st.settingsRowsVisible && !st.build20170Visible; });
        row("build-20170", TabURL, true, [](Session& s, ViewFacts&) { s.versionServicio = 20170; },
            [](auto& st) { return st.settingsRowsVisible && st.build20170Visible; });
    }

    void rules()
    {
        QFETCH(int, page);
        QFETCH(bool, readBC);
        QFETCH(Setup, setup);
        QFETCH(Check, expect);
        Session session;
        ViewFacts facts;
        setup(session, facts);
        QVERIFY(expect(computeScreenState(Page(page), session, facts, readBC)));
    }

    void changesNoData()
    {
        Session session;
        withOrderClient(session, "D");
        const TPedido before = session.pedidoActual;
        computeScreenState(TabPedido, session, {}, true);
        QCOMPARE(session.pedidoActual, before);
        QCOMPARE(session.npc[0], QStringLiteral("A")); // only the navigator writes the result back
    }
};

QTEST_GUILESS_MAIN(ScreenStateTest)
#include "tst_screenstate.moc"
