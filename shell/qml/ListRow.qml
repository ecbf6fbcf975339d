import QtQuick
import QtQuick.Controls
import Korvel.Shell

// The row every list shows: text (list font + 2, bold) over detail (list
// font + 1), both as wide as the list minus 120.
ItemDelegate {
    id: row
    property string itemText
    property string itemDetail
    property int detailExtra: 1
    property int widthReserve: 120
    readonly property int fontSize: Shell.session.listFontSize
    width: ListView.view ? ListView.view.width : implicitWidth
    contentItem: Column {
        spacing: 2
        Label {
            width: row.width - row.widthReserve
            text: row.itemText
            font.pixelSize: row.fontSize + 2
            font.bold: true
            elide: Text.ElideRight
        }
        Label {
            width: row.width - row.widthReserve
            text: row.itemDetail
            font.pixelSize: row.fontSize + row.detailExtra
            color: Theme.secondary
            elide: Text.ElideRight
            visible: text.length > 0
        }
    }
}
