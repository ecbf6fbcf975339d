#pragma once
// Which page the window shows, its toolbar title, the side menu, and every
// way of moving between pages: the toolbar buttons (OK, add, search, back),
// the hardware back key, the main-menu tiles and the side-menu entries. Each
// move ends with the common refresh (`Validar`).
//
// Where a move belongs to a feature screen (preparing a list, starting an
// order...), the navigator emits `action` with the name of that screen's
// operation; the application wires the features to it.

#include "shell/MainMenu.h"
#include "shell/Pages.h"
#include "shell/ScreenState.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>

namespace korvel {

class Messages;
class Session;
class Settings;

class Navigator : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the shell")

    Q_PROPERTY(int page READ pageIndex NOTIFY pageChanged)
    Q_PROPERTY(QString pageName READ pageName NOTIFY pageChanged)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(bool drawerOpen READ drawerOpen WRITE setDrawerOpen NOTIFY drawerOpenChanged)
    Q_PROPERTY(korvel::ScreenState screen READ screen NOTIFY screenChanged)
    Q_PROPERTY(korvel::MainMenu* menu READ menu CONSTANT)
    Q_PROPERTY(bool filterPanelVisible READ filterPanelVisible NOTIFY filterChanged)
    Q_PROPERTY(QString filterLabel READ filterLabel NOTIFY filterChanged)

public:
    Navigator(Session& session, Messages& messages, Settings& settings, QObject* parent = nullptr);

    Page page() const { return m_page; }
    int pageIndex() const { return int(m_page); }
    QString pageName() const { return pageObjectName(m_page); }
    QString title() const { return m_title; }
    bool drawerOpen() const { return m_drawerOpen; }
    void setDrawerOpen(bool open);
    const ScreenState& screen() const { return m_screen; }
    MainMenu* menu() { return &m_menu; }
    const ViewFacts& facts() const { return m_facts; }
    bool filterPanelVisible() const { return m_filterPanelVisible; }
    QString filterLabel() const { return m_filterLabel; }

    // Moves without any check or preparation (the features use these to
    // change page within their own flows).
    Q_INVOKABLE void showPage(int page);
    Q_INVOKABLE void setTitle(const QString& title);

    // The common refresh.
    Q_INVOKABLE void Validar();
    // Feature screens report what they show, then the refresh runs.
    void updateFacts(const std::function<void(ViewFacts&)>& change);

    // Toolbar and keys
    Q_INVOKABLE void OKBtnClick();
    Q_INVOKABLE void NuevoBtnClick();
    Q_INVOKABLE void CollectBtnClick(bool fromControl = true);
    Q_INVOKABLE void BackBtnClick();
    Q_INVOKABLE bool FormKeyDown(int key); // true when the key was consumed
    Q_INVOKABLE bool FormCloseQuery() const;

    // Side menu
    Q_INVOKABLE void MenuBtnClick();
    Q_INVOKABLE void EmpresaBtnClick();
    Q_INVOKABLE void ConfigurarBtnClick();
    Q_INVOKABLE void PrinterSetupBtnClick();
    Q_INVOKABLE void CerrarBtnClick();

    // Main-menu tiles and module screens; each checks its module grant.
    Q_INVOKABLE void MenuTileClick(int tile);
    Q_INVOKABLE void CobranzaBtnClick();
    Q_INVOKABLE void MenuListaPedidos();
    Q_INVOKABLE void ArticulosBtnClick();
    Q_INVOKABLE void ClientesBtnClick();
    Q_INVOKABLE void TomaInventarioBtnClick();
    Q_INVOKABLE void MenuEstadistica();
    Q_INVOKABLE void MenuCompras();
    Q_INVOKABLE void EntregaPedido();
    Q_INVOKABLE void RevisaCuenta();
    Q_INVOKABLE void AutorizarPrecios();
    // The order page: title by the entry mode, then the order screen fills itself.
    Q_INVOKABLE void PedidosBtnClick();

    // OK on the product list in pick modes 3 and 4: the chosen product becomes
    // the statistics / purchase-history filter.
    Q_INVOKABLE void applyProductFilter(const QString& id, const QString& unidad, const QString& name);

    // Whether a saved draft order exists (provided by the orders screen).
    void setDraftProbe(std::function<bool()> probe) { m_draftProbe = std::move(probe); }

    static QString productListTitle(int mode, const QString& branchLabel = {});
    static QString clientListTitle(int mode);
    static QString orderTitle(int entradaPedido);

signals:
    void pageChanged();
    void titleChanged();
    void drawerOpenChanged();
    void screenChanged();
    void filterChanged();
    // A feature operation is due: `name` is the operation's name
    // ("StopCamClick", "IngresarBtnClick", "LoginBtnClick", "GuardarURLBtnClick",
    // "SelClienteBtnClick", "NuevoPedidoBtnClick", "NuevoCobranzaBtnClick",
    // "CerrarPedido", "CerrarCobranza", "PanelPedidoRecuperado", "LlenarPedido",
    // "CargarEstatusEmpresa", "CargarSucursales", "CargarEjercicioSem",
    // "CargarEjercicioSem2", "CargarEjercicioMen", "CargarEjercicioMen2",
    // "btnListarClick", "ProductFilterPick", "FocusFiltro", "FocusFiltro2", or
    // "Prepare" with the page opened as argument).
    void action(const QString& name, int argument = 0);
    // "Salir": the window may close now.
    void quitRequested();

private:
    bool moduleGranted(int position, const QString& title, const QString& text = {});
    void openModule(Page page, const QString& title);
    void goMainMenu();

    Session& m_session;
    Messages& m_messages;
    Settings& m_settings;
    Page m_page = Pages::TabItem1;
    QString m_title = QStringLiteral("Zefa Korvel");
    bool m_drawerOpen = false;
    ScreenState m_screen;
    ViewFacts m_facts;
    MainMenu m_menu;
    bool m_filterPanelVisible = false;
    QString m_filterLabel;
    QString m_branchLabel; // HistCompSuc
    std::function<bool()> m_draftProbe;
};

} // namespace korvel
