import QtQuick

// The TabListaCte page; its screen arrives with its feature.
Item {
    objectName: "TabListaCte"
}
