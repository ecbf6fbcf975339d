import QtQuick

// The TabAuth page; its screen arrives with its feature.
Item {
    objectName: "TabAuth"
}
