import QtQuick

// The TabPedido page; its screen arrives with its feature.
Item {
    objectName: "TabPedido"
}
