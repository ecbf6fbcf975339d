import QtQuick

// Keeps the page numbering; nothing opens it.
Item {
    objectName: "TabPDF"
}
