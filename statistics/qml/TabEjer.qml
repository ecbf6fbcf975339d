import QtQuick

// The TabEjer page; its screen arrives with its feature.
Item {
    objectName: "TabEjer"
}
