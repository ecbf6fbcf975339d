import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Korvel.Shell

// The main menu: company name and trade name over a two-column grid of the
// tiles the user's grants allow, packed without gaps.
Item {
    id: page
    objectName: "TabEmpresa"
    readonly property var menu: Shell.navigator.menu
    readonly property var icons: ["cobranza", "pedido", "productos", "clientes", "inventario",
                                  "estadistica", "historia", "entrega", "revision", "autoriza"]

    ColumnLayout {
        anchors.fill: parent
        anchors.topMargin: 12
        spacing: 4
        Label {
            objectName: "LabelNombre"
            Layout.fillWidth: true
            text: Shell.session.companyName.length > 0 ? Shell.session.companyName : "Nombre de la Empresa"
            font.pixelSize: 20
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
        }
        Label {
            objectName: "LabelComercial"
            Layout.fillWidth: true
            text: Shell.session.tradeName.length > 0 ? Shell.session.tradeName : "Nombre Comercial"
            font.pixelSize: 16
            horizontalAlignment: Text.AlignHCenter
            color: Theme.secondary
        }
        Flickable {
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentHeight: grid.implicitHeight
            clip: true
            GridLayout {
                id: grid
                objectName: "MenuGridPanelLayout"
                width: parent.width
                columns: 2
                columnSpacing: 0
                rowSpacing: 0
                Repeater {
                    model: page.menu.count
                    delegate: Item {
                        id: cell
                        required property int index
                        readonly property int revision: page.menu.revision
                        objectName: page.menu.layoutName(index)
                        visible: revision >= 0 && page.menu.tileVisible(index)
                        Layout.row: revision >= 0 ? Math.max(0, page.menu.row(index)) : 0
                        Layout.column: revision >= 0 ? Math.max(0, page.menu.column(index)) : 0
                        Layout.fillWidth: true
                        Layout.preferredWidth: 1
                        Layout.preferredHeight: 120
                        Rectangle {
                            anchors.fill: parent
                            anchors.leftMargin: 15
                            anchors.rightMargin: 15
                            anchors.topMargin: 5
                            anchors.bottomMargin: 5
                            radius: 8
                            color: Qt.rgba(0, 198 / 255, 249 / 255, 0.6)
                            border.width: 0
                            Rectangle {
                                id: circle
                                width: 58
                                height: 58
                                radius: 29
                                color: "white"
                                opacity: 0.85
                                anchors.horizontalCenter: parent.horizontalCenter
                                anchors.top: parent.top
                                anchors.topMargin: 10
                            }
                            Image {
                                anchors.centerIn: circle
                                source: "qrc:/Korvel/Shell/icons/tile-" + page.icons[cell.index] + ".svg"
                                sourceSize.width: 40
                                sourceSize.height: 40
                            }
                            Label {
                                anchors.bottom: parent.bottom
                                anchors.bottomMargin: 10
                                width: parent.width
                                text: page.menu.caption(cell.index)
                                horizontalAlignment: Text.AlignHCenter
                                font.bold: true
                                font.pixelSize: 14
                                color: Theme.toolbar
                            }
                            TapHandler { onTapped: Shell.navigator.MenuTileClick(cell.index) }
                        }
                    }
                }
            }
        }
    }
}
