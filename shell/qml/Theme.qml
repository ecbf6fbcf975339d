pragma Singleton
import QtQuick

// The light theme: the only one the window shows.
QtObject {
    readonly property color toolbar: "#2B2A38"
    readonly property color text: "black"
    readonly property color secondary: Qt.rgba(116 / 255, 123 / 255, 130 / 255, 1)
    readonly property color accent: Qt.rgba(59 / 255, 153 / 255, 253 / 255, 1)
    readonly property color panel: Qt.rgba(243 / 255, 243 / 255, 243 / 255, 1)
    readonly property color invoiceList: Qt.rgba(95 / 255, 106 / 255, 114 / 255, 1)
    readonly property color productSheet: Qt.rgba(63 / 255, 69 / 255, 75 / 255, 1)
    readonly property color tile: "#00C6F9"
    readonly property color background: "#EEF3F8"
    readonly property int toolbarHeight: 48
}
