import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Korvel.Shell

// The side menu; it opens with a swipe from the left edge or Ctrl+M / F2.
// Every entry closes the drawer before acting.
Drawer {
    id: drawer
    objectName: "MultiView1"
    width: 250
    edge: Qt.LeftEdge
    readonly property var nav: Shell.navigator
    readonly property var screenState: nav.screen
    onOpened: nav.drawerOpen = true
    onClosed: nav.drawerOpen = false
    Connections {
        target: drawer.nav
        function onDrawerOpenChanged() {
            if (drawer.nav.drawerOpen)
                drawer.open()
            else
                drawer.close()
        }
    }

    component Entry: ItemDelegate {
        width: 240
        height: 48
        font.pixelSize: 16
    }

    Column {
        anchors.fill: parent
        anchors.topMargin: 8
        Entry {
            objectName: "MainMenuBtn"
            text: "Menú Principal"
            enabled: drawer.screenState.mainMenuEnabled
            onClicked: drawer.nav.EmpresaBtnClick()
        }
        MenuSeparator { width: 240 }
        Entry {
            objectName: "ConfigurarBtn"
            text: "Configurar parámetros"
            enabled: drawer.screenState.configurarEnabled
            onClicked: drawer.nav.ConfigurarBtnClick()
        }
        MenuSeparator { width: 240 }
        Entry {
            objectName: "PrinterSetupBtn"
            text: "Impresora Bluetooth"
            enabled: drawer.screenState.printerSetupEnabled
            onClicked: drawer.nav.PrinterSetupBtnClick()
        }
        MenuSeparator { width: 240 }
        Entry {
            objectName: "CerrarSessionBtn"
            text: "Cerrar Sesión"
            enabled: drawer.screenState.cerrarSesionEnabled
            onClicked: Shell.CerrarSessionBtnClick()
        }
        MenuSeparator { width: 240 }
        Entry {
            objectName: "CerrarAppBtn"
            text: "Salir"
            onClicked: drawer.nav.CerrarBtnClick()
        }
    }
}
