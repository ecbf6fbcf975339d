import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Korvel.Shell

// The start screen: the welcome card ("Ingresar") or the sign-in card
// (company, user, password, "INICIAR"); only one shows at a time.
Item {
    id: page
    objectName: "TabItem1"
    readonly property var start: Shell.start
    readonly property var settings: Shell.settings

    Connections {
        target: Shell
        function onFocusUserRequested() { iUser.forceActiveFocus(); iUser.selectAll() }
    }

    Flickable {
        anchors.fill: parent
        contentHeight: column.height + 40
        clip: true
        ColumnLayout {
            id: column
            width: Math.min(page.width - 40, 440)
            x: (page.width - width) / 2
            y: 24
            spacing: 18

            Image {
                Layout.alignment: Qt.AlignHCenter
                source: "qrc:/Korvel/Shell/icons/logo.svg"
                sourceSize.width: 96
                sourceSize.height: 96
            }
            Label {
                Layout.alignment: Qt.AlignHCenter
                text: "BIENVENIDO"
                font.pixelSize: 24
                font.bold: true
                color: Theme.text
            }

            Rectangle {
                objectName: "StarRect"
                visible: page.start.welcomeVisible
                Layout.fillWidth: true
                implicitHeight: welcome.implicitHeight + 40
                radius: 12
                color: "white"
                border.color: Theme.secondary
                ColumnLayout {
                    id: welcome
                    anchors.fill: parent
                    anchors.margins: 20
                    spacing: 16
                    Label {
                        Layout.fillWidth: true
                        text: "Ingresar a una Empresa vía Web Service con Korvel"
                        wrapMode: Text.Wrap
                        horizontalAlignment: Text.AlignHCenter
                        font.pixelSize: 17
                    }
                    Button {
                        objectName: "IngresarBtn"
                        Layout.fillWidth: true
                        text: "Ingresar"
                        enabled: page.start.ingresarEnabled
                        highlighted: true
                        onClicked: Shell.navigator.action("IngresarBtnClick", 0)
                    }
                }
            }

            Rectangle {
                objectName: "SignInRect"
                visible: page.start.signInVisible
                Layout.fillWidth: true
                implicitHeight: signIn.implicitHeight + 40
                radius: 12
                color: "white"
                border.color: Theme.secondary
                ColumnLayout {
                    id: signIn
                    anchors.fill: parent
                    anchors.margins: 20
                    spacing: 12
                    ComboBox {
                        id: empresa
                        objectName: "Empresa"
                        Layout.fillWidth: true
                        visible: page.start.pickerVisible
                        model: page.start.companies
                        currentIndex: page.settings.Empresa
                        onActivated: (index) => page.settings.Empresa = index
                    }
                    TextField {
                        id: iUser
                        objectName: "iUser"
                        Layout.fillWidth: true
                        placeholderText: "Usuario"
                        text: page.settings.iUser
                        onTextEdited: page.settings.iUser = text
                        inputMethodHints: Qt.ImhNoAutoUppercase
                    }
                    TextField {
                        id: iPass
                        objectName: "iPass"
                        Layout.fillWidth: true
                        placeholderText: "Contraseña"
                        echoMode: TextInput.Password
                        text: page.settings.iPass
                        onTextEdited: page.settings.iPass = text
                        onAccepted: Shell.navigator.action("LoginBtnClick", 0)
                    }
                    Button {
                        objectName: "SignInRectBTN"
                        Layout.fillWidth: true
                        Layout.preferredHeight: 52
                        text: "INICIAR"
                        font.bold: true
                        palette.button: Theme.accent
                        palette.buttonText: "white"
                        highlighted: true
                        onClicked: Shell.navigator.action("LoginBtnClick", 0)
                    }
                }
            }

            RowLayout {
                Layout.fillWidth: true
                Label {
                    objectName: "CreateAccountText"
                    text: "Crear Cuenta"
                    color: Theme.accent
                    TapHandler { onTapped: Shell.CreateAccountTextClick() }
                }
                Item { Layout.fillWidth: true }
                Label {
                    objectName: "NeedHelpText"
                    text: "¿Necesita Ayuda?"
                    color: Theme.accent
                    TapHandler { onTapped: Shell.NeedHelpTextClick() }
                }
            }
            Label {
                Layout.fillWidth: true
                text: "Autentíquese para iniciar sesión en su sistema empresarial seguro y disfrute de la experiencia."
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                color: Theme.text
            }
            Label {
                objectName: "LabelVer"
                Layout.alignment: Qt.AlignHCenter
                text: page.start.labelVer
                color: Theme.secondary
            }
        }
    }
}
