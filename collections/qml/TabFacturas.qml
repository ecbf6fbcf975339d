import QtQuick

// The TabFacturas page; its screen arrives with its feature.
Item {
    objectName: "TabFacturas"
}
