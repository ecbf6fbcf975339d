import QtQuick

// The TabEntrega page; its screen arrives with its feature.
Item {
    objectName: "TabEntrega"
}
