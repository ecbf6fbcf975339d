import QtQuick

// The TabEstadisticaMenu page; its screen arrives with its feature.
Item {
    objectName: "TabEstadisticaMenu"
}
