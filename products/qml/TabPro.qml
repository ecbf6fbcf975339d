import QtQuick

// The TabPro page; its screen arrives with its feature.
Item {
    objectName: "TabPro"
}
