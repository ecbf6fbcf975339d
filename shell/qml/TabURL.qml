import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Korvel.Shell

// "Configurar": the service address (typed, or composed from a host in
// `DNS`) and the switches and sizes of the app. The toolbar OK saves.
Item {
    id: page
    objectName: "TabURL"
    readonly property var settings: Shell.settings
    readonly property var screenState: Shell.navigator.screen

    component SettingRow: RowLayout {
        property alias label: caption.text
        Layout.fillWidth: true
        Label {
            id: caption
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            font.pixelSize: 15
        }
    }

    Flickable {
        anchors.fill: parent
        contentHeight: column.height + 32
        clip: true
        ColumnLayout {
            id: column
            x: 16
            y: 16
            width: page.width - 32
            spacing: 14

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: address.implicitHeight + 28
                radius: 10
                color: "white"
                border.color: Theme.secondary
                ColumnLayout {
                    id: address
                    anchors.fill: parent
                    anchors.margins: 14
                    spacing: 6
                    Label { text: "URL de WebService:"; font.bold: true }
                    TextField {
                        objectName: "URLWSDL"
                        Layout.fillWidth: true
                        text: page.settings.URLWSDL
                        onTextEdited: page.settings.URLWSDL = text
                        inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoAutoUppercase
                        selectByMouse: true
                    }
                    Label { text: "Por Ejemplo:"; color: Theme.secondary }
                    Label {
                        Layout.fillWidth: true
                        text: page.settings.exampleURL
                        color: Theme.secondary
                        wrapMode: Text.WrapAnywhere
                    }
                    Label { text: "DNS:"; font.bold: true }
                    TextField {
                        objectName: "DNS"
                        Layout.fillWidth: true
                        text: page.settings.DNS
                        onTextEdited: page.settings.DNS = text
                        inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoAutoUppercase
                        TapHandler {
                            onDoubleTapped: { parent.forceActiveFocus(); Qt.inputMethod.show() }
                        }
                    }
                }
            }

            Rectangle {
                Layout.fillWidth: true
                implicitHeight: rows.implicitHeight + 28
                radius: 10
                color: "white"
                border.color: Theme.secondary
                ColumnLayout {
                    id: rows
                    anchors.fill: parent
                    anchors.margins: 14
                    spacing: 4
                    SettingRow {
                        label: "Recordar Usuario y Contraseña"
                        Switch {
                            objectName: "SwitchUser"
                            checked: page.settings.SwitchUser
                            onToggled: page.settings.SwitchUser = checked
                        }
                    }
                    SettingRow {
                        objectName: "LayDarkMode"
                        visible: page.screenState.settingsRowsVisible
                        label: "Usar Modo Obscuro"
                        Switch {
                            objectName: "DarkMode"
                            checked: page.settings.DarkMode
                            enabled: page.settings.DarkModeEnabled
                            onToggled: page.settings.DarkMode = checked
                        }
                    }
                    SettingRow {
                        objectName: "LayFuente1"
                        visible: page.screenState.settingsRowsVisible
                        label: "Fuente de Listados"
                        SpinBox {
                            objectName: "Fuente1"
                            from: 6
                            to: 40
                            value: page.settings.Fuente1
                            onValueModified: page.settings.Fuente1 = value
                        }
                    }
                    SettingRow {
                        objectName: "LayFuente2"
                        visible: page.screenState.settingsRowsVisible
                        label: "Fuente de Titulos"
                        SpinBox {
                            objectName: "Fuente2"
                            from: 6
                            to: 40
                            value: page.settings.Fuente2
                            onValueModified: page.settings.Fuente2 = value
                        }
                    }
                    SettingRow {
                        objectName: "LayImpuestos"
                        visible: page.screenState.settingsRowsVisible
                        label: "Sin Impuestos en Estadísticas"
                        Switch {
                            objectName: "Con_Impuestos"
                            checked: page.settings.Con_Impuestos
                            onToggled: page.settings.Con_Impuestos = checked
                        }
                    }
                    SettingRow {
                        objectName: "LayCopiaPedido"
                        visible: page.screenState.settingsRowsVisible
                        label: "Copia de seguridad en Pedidos"
                        Switch {
                            objectName: "CopiaPedido"
                            checked: page.settings.CopiaPedido
                            onToggled: page.settings.CopiaPedido = checked
                        }
                    }
                    SettingRow {
                        label: "Lector Barra Codigo"
                        Switch {
                            objectName: "ReadBC"
                            checked: page.settings.ReadBC
                            enabled: page.settings.ReadBCEnabled
                            onToggled: page.settings.ReadBC = checked
                        }
                    }
                    SettingRow {
                        label: "Buscar imagen al abrir Expediente"
                        Switch {
                            objectName: "ImageExp"
                            checked: page.settings.ImageExp
                            onToggled: page.settings.ImageExp = checked
                        }
                    }
                }
            }
        }
    }
}
