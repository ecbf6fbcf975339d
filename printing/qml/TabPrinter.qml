import QtQuick

// The TabPrinter page; its screen arrives with its feature.
Item {
    objectName: "TabPrinter"
}
