import QtQuick
import Korvel.Shell

// One of the message box pictures; a tap dismisses the message. The error
// and success pictures spin once when the pointer moves over them.
Image {
    id: picture
    property bool spins: false
    anchors.fill: parent
    fillMode: Image.PreserveAspectFit
    sourceSize.height: 75
    RotationAnimation on rotation {
        id: spin
        running: false
        from: 0
        to: 360
        duration: 200
    }
    HoverHandler {
        onHoveredChanged: if (hovered && picture.spins) spin.restart()
    }
    TapHandler {
        onTapped: Shell.messages.MsgImg1Click()
    }
}
