import QtQuick

// The TabEstadistica page; its screen arrives with its feature.
Item {
    objectName: "TabEstadistica"
}
