import QtQuick
import QtQuick.Controls
import Korvel.Shell

// The header of a list: list font + 6.
Label {
    objectName: "ListHeader"
    width: ListView.view ? ListView.view.width : implicitWidth
    padding: 8
    font.pixelSize: Shell.session.listFontSize + 6
    font.bold: true
    elide: Text.ElideRight
}
