import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Window
import Korvel.Shell
import Korvel.Products
import Korvel.Orders
import Korvel.Collections
import Korvel.Inventory
import Korvel.Deliveries
import Korvel.Authorization
import Korvel.Statistics
import Korvel.History
import Korvel.Printing
import Korvel.Scanning

// The one window: the header toolbar over the pages of one tab control
// whose tab strip is hidden, the side menu, and the overlays.
ApplicationWindow {
    id: window
    objectName: "TTabbedForm"
    title: Shell.windowTitle
    width: 481
    height: Qt.platform.pluginName === "offscreen" || Screen.desktopAvailableHeight < 600
            ? 1200 : Math.min(1200, Screen.desktopAvailableHeight - 40)
    minimumWidth: 320
    minimumHeight: 480
    visible: true
    palette.window: Theme.background
    palette.windowText: Theme.text
    palette.text: Theme.text
    palette.base: "white"
    palette.button: Theme.accent
    palette.buttonText: "white"
    palette.highlight: Theme.accent
    palette.highlightedText: "white"
    palette.mid: Theme.secondary
    palette.dark: Theme.toolbar

    onClosing: (close) => close.accepted = Shell.navigator.FormCloseQuery()

    background: Rectangle {
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#F4F8FC" }
            GradientStop { position: 1.0; color: "#DCE7F2" }
        }
    }

    header: HeaderToolBar {}

    StackLayout {
        id: tabs
        objectName: "TabControl1"
        anchors.fill: parent
        currentIndex: Shell.navigator.page
        TabItem1 {}
        TabEmpresa {}
        TabCobranza {}
        TabListaPedido {}
        TabPedido {}
        TabListaPro {}
        TabURL {}
        TabPro {}
        TabListaCte {}
        TabCte {}
        TabTI {}
        TabEstadistica {}
        TabEstadisticaMenu {}
        TabEjer {}
        TabCompra {}
        TabGrafica {}
        TabAuth {}
        TabEntrega {}
        TabPrinter {}
        TabFacturas {}
        TabRevisa {}
        TabPDF {}
    }

    SideMenu { id: sideMenu }

    Shortcut {
        sequences: ["Ctrl+M", "F2"]
        onActivated: Shell.navigator.drawerOpen = !Shell.navigator.drawerOpen
    }

    BarcodeOverlay {}
    ActivityDialog {}
    BusyOverlay {}
    CurrencyChooser {}
    MessageBox {}
}
