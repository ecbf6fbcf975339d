import QtQuick
import QtQuick.Controls
import Korvel.Shell

// `MonedaForm`: asks pesos or dollars; it stays until one is tapped.
Item {
    id: layer
    objectName: "MonedaForm"
    anchors.fill: parent
    visible: Shell.messages.monedaVisible
    onVisibleChanged: if (visible) turnIn.restart()
    MouseArea { anchors.fill: parent; hoverEnabled: true }
    transform: Rotation { id: rotation; origin.x: layer.width / 2; origin.y: layer.height / 2 }
    NumberAnimation { id: turnIn; target: rotation; property: "angle"; from: 45; to: 0; duration: 300; easing.type: Easing.InOutQuad }

    Rectangle {
        width: 277
        height: 322
        anchors.centerIn: parent
        radius: 10
        color: "white"
        border.color: "#d0d4d8"
        Column {
            anchors.fill: parent
            anchors.margins: 20
            spacing: 12
            Label {
                width: parent.width
                text: "Seleccione Moneda"
                font.pixelSize: 20
                font.bold: true
                horizontalAlignment: Text.AlignHCenter
            }
            Label {
                objectName: "LabelMonMs"
                width: parent.width
                text: Shell.messages.monedaMessage
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
            }
            Button {
                objectName: "MXNBtn"
                width: parent.width
                height: 70
                text: "$ MXN  Pesos"
                font.pixelSize: 18
                onClicked: Shell.messages.MXNBtnClick()
            }
            Button {
                objectName: "USDBtn"
                width: parent.width
                height: 70
                text: "US$ USD  Dólares"
                font.pixelSize: 18
                onClicked: Shell.messages.USDBtnClick()
            }
        }
    }
}
