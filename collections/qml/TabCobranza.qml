import QtQuick

// The TabCobranza page; its screen arrives with its feature.
Item {
    objectName: "TabCobranza"
}
