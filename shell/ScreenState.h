#pragma once
// The common refresh (`Validar`): which buttons and panels of the window are
// shown or enabled, derived from the current page, the session and what the
// feature screens currently show. A pure function, so every case can be
// checked without a window; the QML binds to the result.

#include "shell/Pages.h"

#include <QObject>
#include <QString>

namespace korvel {

class Session;

// What the feature screens report about themselves (row counts, which of
// their lists is visible); all empty until a screen reports.
struct ViewFacts {
    int clientListRows = 0;       // ListaCte
    int productListRows = 0;      // ListaPro
    int orderLineRows = 0;        // ListPed
    int orderListRows = 0;        // Lista (order list)
    int pasoIndex = 0;            // order-list step filter `Paso`
    bool listCobVisible = false;  // collections: open documents list
    bool listaSucVisible = false; // statistics: branch list
    bool listaCatVisible = false; // statistics: category list
    bool listEstVisible = false;  // statistics: branch status list
    bool listaEjeVisible = false; // fiscal-year statistics: detail list
    bool listaPerVisible = false; // fiscal-year statistics: period list
    int listaSucETag = 0;         // fiscal-year statistics: 1 weekly, 2 monthly, 80 menu
    int graficaTag = 0;           // charts: 1 statistics, 2 fiscal year
    bool listaSucCVisible = true; // purchase history: branch list
    bool panelComVisible = false; // purchase history: purchase panel
    bool cameraOverlayVisible = false; // LayoutBarCode
    bool welcomeCardVisible = true;    // StarRect on the start screen

    bool operator==(const ViewFacts&) const = default;
};

struct ScreenState {
    Q_GADGET
    // Side menu
    Q_PROPERTY(bool mainMenuEnabled MEMBER mainMenuEnabled)
    Q_PROPERTY(bool cerrarSesionEnabled MEMBER cerrarSesionEnabled)
    Q_PROPERTY(bool configurarEnabled MEMBER configurarEnabled)
    Q_PROPERTY(bool printerSetupEnabled MEMBER printerSetupEnabled)
    // Toolbar
    Q_PROPERTY(bool okVisible MEMBER okVisible)
    Q_PROPERTY(bool backVisible MEMBER backVisible)
    Q_PROPERTY(int backSlotWidth MEMBER backSlotWidth)
    Q_PROPERTY(bool collectVisible MEMBER collectVisible)
    Q_PROPERTY(bool nuevoVisible MEMBER nuevoVisible)
    Q_PROPERTY(bool chartVisible MEMBER chartVisible)
    // Order screen
    Q_PROPERTY(bool enviarPedidoVisible MEMBER enviarPedidoVisible)
    Q_PROPERTY(bool enviarPedidoEnabled MEMBER enviarPedidoEnabled)
    Q_PROPERTY(bool panelEnviarPedVisible MEMBER panelEnviarPedVisible)
    Q_PROPERTY(bool activarModVisible MEMBER activarModVisible)
    Q_PROPERTY(bool imprimirPedidoVisible MEMBER imprimirPedidoVisible)
    Q_PROPERTY(QString labelPedNum MEMBER labelPedNum)
    Q_PROPERTY(QString labelPedNombre MEMBER labelPedNombre)
    Q_PROPERTY(QString labelPedRFC MEMBER labelPedRFC)
    Q_PROPERTY(QString labelPedPrecio MEMBER labelPedPrecio)
    // Collections
    Q_PROPERTY(bool cobranzaButtonsEnabled MEMBER cobranzaButtonsEnabled)
    Q_PROPERTY(QString labelCobNum MEMBER labelCobNum)
    Q_PROPERTY(QString labelCobNombre MEMBER labelCobNombre)
    Q_PROPERTY(QString labelCobRFC MEMBER labelCobRFC)
    Q_PROPERTY(bool compartirPDFFacVisible MEMBER compartirPDFFacVisible)
    // Product list and file capture bar
    Q_PROPERTY(bool captureBarVisible MEMBER captureBarVisible)
    // Order list
    Q_PROPERTY(bool modificarPedidoVisible MEMBER modificarPedidoVisible)
    Q_PROPERTY(bool compartirPedidoVisible MEMBER compartirPedidoVisible)
    Q_PROPERTY(bool generarFacturaVisible MEMBER generarFacturaVisible)
    Q_PROPERTY(bool generarFacturaEnabled MEMBER generarFacturaEnabled)
    Q_PROPERTY(bool facturaShareEnabled MEMBER facturaShareEnabled)
    Q_PROPERTY(bool toolBarFacVisible MEMBER toolBarFacVisible)
    // Inventory count
    Q_PROPERTY(bool toolTI3Visible MEMBER toolTI3Visible)
    Q_PROPERTY(bool scanTIVisible MEMBER scanTIVisible)
    Q_PROPERTY(bool scanTIEnabled MEMBER scanTIEnabled)
    // Everywhere
    Q_PROPERTY(bool scanButtonsVisible MEMBER scanButtonsVisible)
    Q_PROPERTY(bool build20170Visible MEMBER build20170Visible)
    Q_PROPERTY(bool settingsRowsVisible MEMBER settingsRowsVisible)

public:
    bool mainMenuEnabled = false;
    bool cerrarSesionEnabled = false;
    bool configurarEnabled = true;
    bool printerSetupEnabled = false;

    bool okVisible = false;
    bool backVisible = false;
    int backSlotWidth = 0;
    bool collectVisible = false;
    bool nuevoVisible = false;
    bool chartVisible = false;

    bool enviarPedidoVisible = false;   // also `PedidoCancelarBtn`
    bool enviarPedidoEnabled = false;
    bool panelEnviarPedVisible = false;
    bool activarModVisible = false;
    bool imprimirPedidoVisible = false;
    QString labelPedNum;
    QString labelPedNombre;
    QString labelPedRFC;
    QString labelPedPrecio;

    bool cobranzaButtonsEnabled = false; // GenerarCobranzaBtn, CancelarCobranzaBtn
    QString labelCobNum;
    QString labelCobNombre;
    QString labelCobRFC;
    bool compartirPDFFacVisible = false;

    bool captureBarVisible = false; // TBCap, LayoutAC, LayoutAI, Add1..Add4; unit labels show when hidden

    bool modificarPedidoVisible = false;
    bool compartirPedidoVisible = false; // also EmailPedidoBtn
    bool generarFacturaVisible = false;
    bool generarFacturaEnabled = false;
    bool facturaShareEnabled = false;    // ShareFacturaBtn, ImprimirPedidoProcesadoBtn
    bool toolBarFacVisible = false;

    bool toolTI3Visible = false; // also CerrarTIBtn; ToolTI1 is always shown, ToolTI2/ToolTI4 hidden
    bool scanTIVisible = false;
    bool scanTIEnabled = false;

    bool scanButtonsVisible = false;
    bool build20170Visible = false;
    bool settingsRowsVisible = false;

    // Price letters in effect for the order (Npc1..Npc4) and the client's letter.
    QString npc[4];
    QString nuPrecioCte;

    bool operator==(const ScreenState&) const = default;
};

ScreenState computeScreenState(Page page, const Session& session, const ViewFacts& facts, bool readBC);

} // namespace korvel
