import QtQuick

// `LayoutBarCode`: the camera scanner overlay, hidden until a scan starts.
Item {
    objectName: "LayoutBarCode"
    anchors.fill: parent
    visible: false
}
