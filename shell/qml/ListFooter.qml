import QtQuick
import QtQuick.Controls
import Korvel.Shell

// The footer of a list (totals, counts): list font + 4.
Label {
    objectName: "ListFooter"
    width: ListView.view ? ListView.view.width : implicitWidth
    padding: 8
    font.pixelSize: Shell.session.listFontSize + 4
    horizontalAlignment: Text.AlignRight
    elide: Text.ElideLeft
}
