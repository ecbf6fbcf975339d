import QtQuick

// The TabTI page; its screen arrives with its feature.
Item {
    objectName: "TabTI"
}
