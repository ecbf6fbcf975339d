import QtQuick
import QtQuick.Controls
import Korvel.Shell

// `msgForm`: a layer over the whole window that takes every tap; only a tap
// on the picture dismisses it. Turns in from 45 degrees when shown.
Item {
    id: layer
    objectName: "msgForm"
    anchors.fill: parent
    readonly property var msg: Shell.messages
    visible: msg.msgVisible
    onVisibleChanged: if (visible) turnIn.restart()

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        onClicked: (mouse) => mouse.accepted = true
        onWheel: (wheel) => wheel.accepted = true
    }

    transform: Rotation {
        id: rotation
        origin.x: layer.width / 2
        origin.y: layer.height / 2
        axis { x: 0; y: 0; z: 1 }
    }
    NumberAnimation {
        id: turnIn
        target: rotation
        property: "angle"
        from: 45
        to: 0
        duration: 300
        easing.type: Easing.InOutQuad
    }

    Rectangle {
        id: panel
        width: 277
        height: 322
        anchors.centerIn: parent
        radius: 10
        color: "white"
        border.color: "#d0d4d8"

        Column {
            anchors.fill: parent
            anchors.margins: 30
            spacing: 12
            Label {
                objectName: "msgTitulo"
                width: parent.width
                text: layer.msg.msgTitulo
                font.pixelSize: 20
                font.bold: true
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
            }
            Label {
                objectName: "msgCaption"
                width: parent.width
                height: parent.height - 75 - 24 - 20 - 12
                text: layer.msg.msgCaption
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                font.pixelSize: 15
                elide: Text.ElideRight
            }
            Item {
                width: parent.width
                height: 75
                MsgPicture { objectName: "MsgImg2"; source: "qrc:/Korvel/Shell/icons/msg-error.svg"; visible: layer.msg.msgKind === 0; spins: true }
                MsgPicture { objectName: "MsgImg1"; source: "qrc:/Korvel/Shell/icons/msg-ok.svg"; visible: layer.msg.msgKind === 1; spins: true }
                MsgPicture { objectName: "MsgImg3"; source: "qrc:/Korvel/Shell/icons/msg-warning.svg"; visible: layer.msg.msgKind === 2 }
            }
        }
    }
}
