import QtQuick

// The TabRevisa page; its screen arrives with its feature.
Item {
    objectName: "TabRevisa"
}
