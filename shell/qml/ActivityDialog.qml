import QtQuick
import QtQuick.Controls
import Korvel.Shell

// `fgActivityDialog`: the in-window progress dialog shown while a task runs.
Rectangle {
    objectName: "fgActivityDialog"
    visible: Shell.messages.activityVisible
    anchors.horizontalCenter: parent.horizontalCenter
    anchors.bottom: parent.bottom
    anchors.bottomMargin: 80
    width: Math.min(parent.width - 40, 360)
    height: 72
    radius: 8
    color: "white"
    border.color: "#c8ccd0"
    Row {
        anchors.fill: parent
        anchors.margins: 12
        spacing: 14
        BusyIndicator {
            objectName: "activityIndicator"
            running: parent.visible
            width: 48
            height: 48
        }
        Column {
            width: parent.width - 62
            anchors.verticalCenter: parent.verticalCenter
            Label { text: "Korvel"; font.bold: true; font.pixelSize: 16 }
            Label {
                objectName: "activityMessage"
                width: parent.width
                text: Shell.messages.activityMessage
                elide: Text.ElideRight
            }
        }
    }
}
