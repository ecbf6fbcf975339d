#include "shell/Navigator.h"

#include "shell/Messages.h"
#include "shell/Session.h"
#include "shell/settings/Settings.h"

namespace korvel {

using namespace Pages;

Navigator::Navigator(Session& session, Messages& messages, Settings& settings, QObject* parent)
    : QObject(parent), m_session(session), m_messages(messages), m_settings(settings)
{
    m_screen = computeScreenState(m_page, m_session, m_facts, m_settings.ReadBC());
}

void Navigator::setDrawerOpen(bool open)
{
    if (m_drawerOpen == open)
        return;
    m_drawerOpen = open;
    emit drawerOpenChanged();
}

void Navigator::showPage(int page)
{
    if (page < 0 || page >= PageCount || page == m_page)
        return;
    m_page = Page(page);
    emit pageChanged();
}

void Navigator::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
}

void Navigator::Validar()
{
    const ScreenState next = computeScreenState(m_page, m_session, m_facts, m_settings.ReadBC());
    bool lettersChanged = false;
    for (int i = 0; i < 4; ++i) {
        if (m_session.npc[i] != next.npc[i]) {
            m_session.npc[i] = next.npc[i];
            lettersChanged = true;
        }
    }
    if (m_session.nuPrecioCte != next.nuPrecioCte) {
        m_session.nuPrecioCte = next.nuPrecioCte;
        lettersChanged = true;
    }
    if (lettersChanged)
        m_session.notify();
    if (next == m_screen)
        return;
    m_screen = next;
    emit screenChanged();
}

void Navigator::updateFacts(const std::function<void(ViewFacts&)>& change)
{
    change(m_facts);
    Validar();
}

QString Navigator::productListTitle(int mode, const QString& branchLabel)
{
    switch (mode) {
    case 0: return QStringLiteral("Productos");
    case 1: return QStringLiteral("Pedido > Productos");
    case 2: return QStringLiteral("Toma Inventario > Productos");
    case 3: return QStringLiteral("Filtro > Productos");
    case 4: return QStringLiteral("Compra > ") + branchLabel;
    default: return {};
    }
}

QString Navigator::clientListTitle(int mode)
{
    switch (mode) {
    case 0: return QStringLiteral("Clientes");
    case 1: return QStringLiteral("Pedido > Cliente");
    case 2: return QStringLiteral("Cobranza > Cliente");
    default: return {};
    }
}

QString Navigator::orderTitle(int entradaPedido)
{
    switch (entradaPedido) {
    case 1: return QStringLiteral("Nuevo Pedido");
    case 2: return QStringLiteral("Modificar Pedido");
    case 3: return QStringLiteral("Consultar Pedido");
    default: return {};
    }
}

// ---- Toolbar and keys

void Navigator::OKBtnClick()
{
    switch (m_page) {
    case TabItem1:
        emit action(m_facts.welcomeCardVisible ? QStringLiteral("IngresarBtnClick") : QStringLiteral("LoginBtnClick"));
        break;
    case TabURL:
        emit action(QStringLiteral("GuardarURLBtnClick"));
        break;
    case TabListaCte:
        emit action(QStringLiteral("SelClienteBtnClick"));
        break;
    case TabListaPro:
        if (m_session.modoSelProducto == 3 || m_session.modoSelProducto == 4)
            emit action(QStringLiteral("ProductFilterPick")); // the list answers with applyProductFilter
        break;
    default:
        break;
    }
}

void Navigator::applyProductFilter(const QString& id, const QString& unidad, const QString& name)
{
    m_session.filtroXN123 = id;
    m_session.filtroXN123Unidad = unidad;
    m_session.filtroXN123Nombre = name;
    m_filterLabel = id + QStringLiteral(" - ") + name;
    m_filterPanelVisible = true;
    emit filterChanged();
    m_session.notify();
    m_screen.okVisible = false;
    emit screenChanged();
    if (m_session.modoSelProducto == 3) {
        MenuEstadistica();
    } else if (m_session.modoSelProducto == 4) {
        MenuCompras();
        emit action(QStringLiteral("LayCompraHist"), 1);
    }
}

void Navigator::NuevoBtnClick()
{
    switch (m_page) {
    case TabPedido:
        emit action(QStringLiteral("NuevoPedidoBtnClick"));
        break;
    case TabCobranza:
        if (!m_session.collectionHasClient())
            emit action(QStringLiteral("NuevoCobranzaBtnClick"));
        break;
    case TabListaPedido: {
        if (!m_session.orderHasClient()) {
            bool draft = false;
            try {
                draft = m_draftProbe && m_draftProbe();
            } catch (...) {
                draft = false;
            }
            if (draft) {
                emit action(QStringLiteral("PanelPedidoRecuperado"), 1);
                return;
            }
        }
        if (m_session.entradaPedido < 2 && !m_session.orderHasClient())
            m_session.entradaPedido = 1;
        if (m_session.entradaPedido >= 2) {
            emit action(QStringLiteral("CerrarPedido"));
            m_session.entradaPedido = 1;
        }
        if (m_facts.orderLineRows == 0)
            m_session.setOrderCurrency(1);
        m_session.notify();
        PedidosBtnClick();
        break;
    }
    default:
        break;
    }
}

void Navigator::PedidosBtnClick()
{
    if (m_session.entradaPedido == 0)
        return;
    setTitle(orderTitle(m_session.entradaPedido));
    showPage(TabPedido);
    Validar();
    emit action(QStringLiteral("LlenarPedido"));
}

void Navigator::CollectBtnClick(bool fromControl)
{
    switch (m_page) {
    case TabPedido: m_session.modoSelProducto = 1; break;
    case TabTI: m_session.modoSelProducto = 2; break;
    case TabEstadisticaMenu: m_session.modoSelProducto = 3; break;
    case TabCompra: m_session.modoSelProducto = 4; break;
    default: break;
    }
    m_session.notify();
    ArticulosBtnClick();
    if (fromControl)
        emit action(QStringLiteral("FocusFiltro"));
}

void Navigator::BackBtnClick()
{
    emit action(QStringLiteral("StopCamClick"));
    if (m_facts.cameraOverlayVisible)
        return; // stopping the camera was all
    const int mode = m_session.modoSelProducto;
    switch (m_page) {
    case TabCobranza:
    case TabEntrega:
        goMainMenu();
        break;
    case TabPro:
        if (mode >= 0 && mode <= 4)
            setTitle(productListTitle(mode, m_branchLabel));
        showPage(TabListaPro);
        Validar();
        break;
    case TabListaCte:
        if (m_session.modoSelCliente == 0) {
            goMainMenu();
        } else if (m_session.modoSelCliente == 1) {
            showPage(TabPedido);
            Validar();
        }
        break;
    case TabCte:
        setTitle(clientListTitle(m_session.modoSelCliente));
        showPage(TabListaCte);
        Validar();
        break;
    case TabListaPro:
        switch (mode) {
        case 1:
            PedidosBtnClick();
            break;
        case 2:
            setTitle(QStringLiteral("Toma Inventario"));
            showPage(TabTI);
            break;
        case 3:
            MenuEstadistica();
            break;
        case 4:
            MenuCompras();
            break;
        default:
            goMainMenu();
            break;
        }
        m_session.modoSelProducto = 0;
        m_session.notify();
        Validar();
        break;
    case TabTI:
    case TabListaPedido:
    case TabAuth:
    case TabEstadisticaMenu:
        goMainMenu();
        break;
    case TabEstadistica:
        if (m_facts.listEstVisible)
            emit action(QStringLiteral("CargarEstatusEmpresa"), 1);
        else if (m_facts.listaSucVisible)
            MenuEstadistica();
        else if (m_facts.listaCatVisible)
            emit action(QStringLiteral("CargarSucursales"), 0);
        break;
    case TabEjer: {
        const int tag = m_facts.listaSucETag;
        if (tag == 1 || tag == 2) {
            const QString second = tag == 1 ? QStringLiteral("CargarEjercicioSem2") : QStringLiteral("CargarEjercicioMen2");
            const QString first = tag == 1 ? QStringLiteral("CargarEjercicioSem") : QStringLiteral("CargarEjercicioMen");
            if (m_facts.listaEjeVisible)
                emit action(second, 1);
            else if (m_facts.listaPerVisible)
                emit action(first, 1);
            else
                MenuEstadistica();
        } else if (tag == 80) {
            MenuEstadistica();
        }
        break;
    }
    case TabCompra:
        if (m_facts.listaSucCVisible) {
            goMainMenu();
        } else if (m_facts.panelComVisible) {
            m_facts.panelComVisible = false;
            m_facts.listaSucCVisible = true;
            emit action(QStringLiteral("PanelComBack"));
        }
        emit action(QStringLiteral("LayCompraHist"), 0);
        break;
    case TabGrafica:
        if (m_facts.graficaTag == 1)
            showPage(TabEstadistica);
        else if (m_facts.graficaTag == 2)
            showPage(TabEjer);
        Validar();
        break;
    case TabPedido:
        MenuListaPedidos();
        break;
    case TabFacturas:
        setTitle(QStringLiteral("Cliente > Expediente"));
        showPage(TabCte);
        Validar();
        break;
    case TabPrinter:
        showPage(m_session.lastTab);
        Validar();
        break;
    default:
        break; // start screen, main menu, settings, sale review
    }
}

bool Navigator::FormKeyDown(int key)
{
    if (key != Qt::Key_Back && key != Qt::Key_Escape)
        return false;
    if (m_screen.backVisible && m_screen.backSlotWidth > 0)
        BackBtnClick();
    return true;
}

bool Navigator::FormCloseQuery() const
{
    return m_session.salida || m_page == TabItem1;
}

// ---- Side menu

void Navigator::MenuBtnClick()
{
    setDrawerOpen(true);
}

void Navigator::goMainMenu()
{
    setTitle(QStringLiteral("Menú Principal"));
    setDrawerOpen(false);
    showPage(TabEmpresa);
    Validar();
    emit action(QStringLiteral("StopCamClick"));
}

void Navigator::EmpresaBtnClick()
{
    goMainMenu();
}

void Navigator::ConfigurarBtnClick()
{
    emit action(QStringLiteral("StopCamClick"));
    setTitle(QStringLiteral("Configurar"));
    setDrawerOpen(false);
    showPage(TabURL);
    Validar();
}

void Navigator::PrinterSetupBtnClick()
{
    setDrawerOpen(false);
    m_session.lastTab = int(m_page);
    setTitle(QStringLiteral("Impresora Bluetooth"));
    showPage(TabPrinter);
    emit action(QStringLiteral("btnListarClick"));
    Validar();
}

void Navigator::CerrarBtnClick()
{
    setDrawerOpen(false);
    emit action(QStringLiteral("StopCamClick"));
    m_session.productosBuscados = {};
    m_session.clientesBuscados = {};
    m_session.salida = true;
    emit quitRequested();
}

// ---- Module screens

bool Navigator::moduleGranted(int position, const QString& title, const QString& text)
{
    if (m_session.AccesoAModulo(position))
        return true;
    m_messages.ShowMsg(title, text.isEmpty() ? QStringLiteral("Usted no tiene acceso a este módulo") : text,
                       Messages::Error);
    return false;
}

void Navigator::openModule(Page page, const QString& title)
{
    setTitle(title);
    setDrawerOpen(false);
    showPage(page);
    emit action(QStringLiteral("Prepare"), int(page));
    Validar();
}

void Navigator::MenuTileClick(int tile)
{
    switch (tile) {
    case 0: CobranzaBtnClick(); break;
    case 1: MenuListaPedidos(); break;
    case 2: ArticulosBtnClick(); break;
    case 3: ClientesBtnClick(); break;
    case 4: TomaInventarioBtnClick(); break;
    case 5: MenuEstadistica(); break;
    case 6: MenuCompras(); break;
    case 7: EntregaPedido(); break;
    case 8: RevisaCuenta(); break;
    case 9: AutorizarPrecios(); break;
    default: break;
    }
}

void Navigator::CobranzaBtnClick()
{
    if (!moduleGranted(3, QStringLiteral("Acceso")))
        return;
    emit action(QStringLiteral("CerrarCobranza"));
    openModule(TabCobranza, QStringLiteral("Cobranza"));
}

void Navigator::MenuListaPedidos()
{
    if (!moduleGranted(4, QStringLiteral("Acceso")))
        return;
    openModule(TabListaPedido, QStringLiteral("Lista Pedidos"));
}

void Navigator::ArticulosBtnClick()
{
    if (!moduleGranted(1, QStringLiteral("Acceso")))
        return;
    openModule(TabListaPro, productListTitle(m_session.modoSelProducto, m_branchLabel));
    emit action(QStringLiteral("FocusFiltro"));
}

void Navigator::ClientesBtnClick()
{
    if (!moduleGranted(2, QStringLiteral("Acceso")))
        return;
    openModule(TabListaCte, clientListTitle(m_session.modoSelCliente));
    emit action(QStringLiteral("FocusFiltro2"));
}

void Navigator::TomaInventarioBtnClick()
{
    if (!moduleGranted(5, QStringLiteral("Acceso")))
        return;
    openModule(TabTI, QStringLiteral("Toma Inventario"));
}

void Navigator::MenuEstadistica()
{
    if (!moduleGranted(7, QStringLiteral("Error")))
        return;
    openModule(TabEstadisticaMenu, QStringLiteral("Estadísticas"));
}

void Navigator::MenuCompras()
{
    const QString eighth = m_session.modulos.size() >= 8 ? QString(m_session.modulos.at(7)) : QString();
    if (!moduleGranted(8, QStringLiteral("Error"),
                       QStringLiteral("Usted no tiene acceso a este módulo>") + eighth + QStringLiteral("-8")))
        return;
    openModule(TabCompra, QStringLiteral("Compras"));
}

void Navigator::EntregaPedido()
{
    if (!moduleGranted(10, QStringLiteral("Acceso")))
        return;
    openModule(TabEntrega, QStringLiteral("Registro de Entrega"));
}

void Navigator::RevisaCuenta()
{
    if (!moduleGranted(12, QStringLiteral("Acceso")))
        return;
    openModule(TabRevisa, QStringLiteral("Revision de Cuenta"));
}

void Navigator::AutorizarPrecios()
{
    // The tile shows with module 11, but the queue itself needs the orders module.
    if (!moduleGranted(4, QStringLiteral("Acceso")))
        return;
    openModule(TabAuth, QStringLiteral("Autorización de Precios"));
}

} // namespace korvel
