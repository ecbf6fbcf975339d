import QtQuick

// The TabListaPro page; its screen arrives with its feature.
Item {
    objectName: "TabListaPro"
}
