import QtQuick
import QtQuick.Controls

// A 48 x 48 button of the header toolbar.
ToolButton {
    id: button
    property url iconSource
    implicitWidth: 48
    implicitHeight: 48
    icon.source: iconSource
    icon.color: "white"
    icon.width: 26
    icon.height: 26
    display: AbstractButton.IconOnly
    background: Rectangle {
        color: button.down ? Qt.rgba(1, 1, 1, 0.25) : "transparent"
        radius: 4
    }
}
