import QtQuick

// The TabCompra page; its screen arrives with its feature.
Item {
    objectName: "TabCompra"
}
