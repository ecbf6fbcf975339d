import QtQuick
import QtQuick.Controls
import Korvel.Shell

// `EsperaMsg`: black at 80 % over the whole window; blocks every tap.
Rectangle {
    objectName: "EsperaMsg"
    anchors.fill: parent
    color: Qt.rgba(0, 0, 0, 0.8)
    visible: Shell.messages.esperaVisible
    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onWheel: (wheel) => wheel.accepted = true
    }
    Label {
        objectName: "LabelEsperaMsg"
        anchors.centerIn: parent
        width: parent.width - 40
        text: Shell.messages.esperaText
        color: "white"
        font.pixelSize: 20
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
    }
}
