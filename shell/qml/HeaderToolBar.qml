import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Korvel.Shell

// Title across the whole bar; on the right the chart, OK, add, search and
// back buttons. The back slot is 64 wide while back shows, else 0.
ToolBar {
    id: bar
    objectName: "HeaderToolBar"
    height: Theme.toolbarHeight
    padding: 0
    readonly property var nav: Shell.navigator
    background: Rectangle { color: Theme.toolbar }

    Label {
        objectName: "ToolBarLabel"
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: buttons.width + 4
        text: bar.nav.title
        color: "white"
        font.pixelSize: 18
        font.bold: true
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: Text.AlignHCenter
    }

    ToolbarButton {
        objectName: "MenuBtn"
        visible: false
        iconSource: "qrc:/Korvel/Shell/icons/menu.svg"
        onClicked: bar.nav.MenuBtnClick()
    }

    Row {
        id: buttons
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        ToolbarButton {
            objectName: "GenerarGraficaBtn"
            visible: bar.nav.screen.chartVisible
            iconSource: "qrc:/Korvel/Shell/icons/chart.svg"
            onClicked: bar.nav.action("GenerarGraficaBtnClick", 0)
        }
        ToolbarButton {
            objectName: "OKBtn"
            visible: bar.nav.screen.okVisible
            iconSource: "qrc:/Korvel/Shell/icons/ok.svg"
            onClicked: bar.nav.OKBtnClick()
        }
        ToolbarButton {
            objectName: "NuevoBtn"
            visible: bar.nav.screen.nuevoVisible
            iconSource: "qrc:/Korvel/Shell/icons/add.svg"
            onClicked: bar.nav.NuevoBtnClick()
        }
        ToolbarButton {
            objectName: "CollectBtn"
            visible: bar.nav.screen.collectVisible
            iconSource: "qrc:/Korvel/Shell/icons/search.svg"
            onClicked: bar.nav.CollectBtnClick(true)
        }
        Item {
            objectName: "LayoutBack"
            width: bar.nav.screen.backSlotWidth
            height: 48
            clip: true
            ToolbarButton {
                objectName: "BackBtn"
                anchors.centerIn: parent
                visible: bar.nav.screen.backVisible
                iconSource: "qrc:/Korvel/Shell/icons/back.svg"
                onClicked: bar.nav.BackBtnClick()
            }
        }
    }
}
