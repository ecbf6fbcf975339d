#include "shell/ScreenState.h"

#include "shell/Session.h"

namespace korvel {

ScreenState computeScreenState(Page page, const Session& s, const ViewFacts& f, bool readBC)
{
    using namespace Pages;
    ScreenState st;
    const bool logged = s.isLogged;
    const bool orderClient = s.orderHasClient();
    const bool capturing = s.entradaPedido == 1 || s.entradaPedido == 2;

    // 1. Side menu
    st.mainMenuEnabled = logged;
    st.cerrarSesionEnabled = logged;
    st.configurarEnabled = true;

    // 2. OK
    st.okVisible = page == TabItem1 || page == TabURL
        || (page == TabListaCte && (s.modoSelCliente == 1 || s.modoSelCliente == 2) && f.clientListRows > 0)
        || (page == TabListaPro && (s.modoSelProducto == 3 || s.modoSelProducto == 4) && f.productListRows > 0);

    // 3. Back
    switch (page) {
    case TabPro:
    case TabCte:
    case TabListaPro:
    case TabCompra:
    case TabEjer:
    case TabTI:
    case TabEstadisticaMenu:
    case TabEstadistica:
    case TabListaPedido:
    case TabPedido:
    case TabCobranza:
    case TabEntrega:
    case TabFacturas:
    case TabPrinter:
    case TabAuth:
        st.backVisible = true;
        break;
    case TabListaCte:
        st.backVisible = s.modoSelCliente == 0 || s.modoSelCliente == 1;
        break;
    default:
        st.backVisible = false;
        break;
    }
    st.backSlotWidth = st.backVisible ? 64 : 0;

    // 4. Order screen
    st.enviarPedidoVisible = capturing;
    st.enviarPedidoEnabled = capturing && orderClient;
    st.panelEnviarPedVisible = false;
    st.activarModVisible = f.orderLineRows > 0 && capturing;

    // 5. Price letters and order header
    for (int i = 0; i < 4; ++i)
        st.npc[i] = s.np[i];
    if (orderClient) {
        const TCliente& c = s.pedidoActual.Cliente;
        st.labelPedNum = QString::number(c.NuClienteKorvel);
        st.labelPedNombre = c.Nombre;
        st.labelPedRFC = c.RFC;
        st.labelPedPrecio = c.NuPrecio;
        st.nuPrecioCte = c.NuPrecio;
        if (!c.NuPrecio.trimmed().isEmpty())
            for (QString& letter : st.npc)
                letter = c.NuPrecio;
    } else {
        st.labelPedNum = QStringLiteral("Folio");
        st.labelPedNombre = QStringLiteral("Nombre del Cliente");
    }

    // 6. Collections
    st.cobranzaButtonsEnabled = s.collectionHasClient();
    if (s.collectionHasClient()) {
        st.labelCobNum = QString::number(s.clienteCobro.NuClienteKorvel);
        st.labelCobNombre = s.clienteCobro.Nombre;
        st.labelCobRFC = s.clienteCobro.RFC;
    } else {
        st.labelCobNum = QStringLiteral("Folio");
        st.labelCobNombre = QStringLiteral("Nombre del Cliente");
    }

    // 7. Search
    st.collectVisible = (page == TabPedido && orderClient && capturing) || (page == TabTI && s.folioLista > 0);

    // 8. Add
    st.nuevoVisible = (page == TabPedido && !orderClient) || (page == TabCobranza && !s.collectionHasClient())
        || page == TabListaPedido;

    // 9. Capture bar
    st.captureBarVisible =
        (page == TabListaPro || page == TabPro) && (s.modoSelProducto == 1 || s.modoSelProducto == 2);

    // 10. Order list
    const bool rows = f.orderListRows > 0;
    st.modificarPedidoVisible = rows && f.pasoIndex >= 1 && f.pasoIndex <= 4;
    st.compartirPedidoVisible = rows;
    st.generarFacturaEnabled = rows && f.pasoIndex == 3;
    st.generarFacturaVisible = s.AccesoAModulo(9);
    st.facturaShareEnabled = rows && f.pasoIndex == 4;
    st.toolBarFacVisible = f.pasoIndex == 3 || f.pasoIndex == 4;

    // 11. Collections share button
    st.compartirPDFFacVisible = f.listCobVisible;

    // 12. Inventory count
    st.toolTI3Visible = s.folioLista > 0;
    st.scanTIVisible = s.folioLista > 0 && readBC;
    st.scanTIEnabled = s.folioListaEdo;

    // 13. Scan buttons
    st.scanButtonsVisible = readBC;

    // 14. Chart
    st.chartVisible = (page == TabEstadistica && (f.listaSucVisible || f.listaCatVisible))
        || (page == TabEjer && f.listaEjeVisible);

    // 15.
    st.printerSetupEnabled = logged;
    st.imprimirPedidoVisible = s.entradaPedido == 2 || s.entradaPedido == 3;
    st.build20170Visible = s.versionServicio >= 20170;

    // 16.
    st.settingsRowsVisible = s.versionServicio > 20099;
    return st;
}

} // namespace korvel
