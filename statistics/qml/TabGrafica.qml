import QtQuick

// The TabGrafica page; its screen arrives with its feature.
Item {
    objectName: "TabGrafica"
}
