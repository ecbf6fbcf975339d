import QtQuick

// The TabCte page; its screen arrives with its feature.
Item {
    objectName: "TabCte"
}
