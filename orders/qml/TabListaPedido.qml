import QtQuick

// The TabListaPedido page; its screen arrives with its feature.
Item {
    objectName: "TabListaPedido"
}
