#pragma once
// The pages of the one window, in their fixed order (the index is the page
// number), with their objectNames and the title each shows when opened.

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace korvel {

namespace Pages {
Q_NAMESPACE
QML_ELEMENT

enum Page {
    TabItem1,           // start screen
    TabEmpresa,         // main menu
    TabCobranza,
    TabListaPedido,
    TabPedido,
    TabListaPro,
    TabURL,             // settings
    TabPro,
    TabListaCte,
    TabCte,
    TabTI,
    TabEstadistica,
    TabEstadisticaMenu,
    TabEjer,
    TabCompra,
    TabGrafica,
    TabAuth,
    TabEntrega,
    TabPrinter,
    TabFacturas,
    TabRevisa,
    TabPDF,
    PageCount
};
Q_ENUM_NS(Page)

} // namespace Pages

using Page = Pages::Page;

QString pageObjectName(Page page);
// The page with this objectName, or PageCount when there is none.
Page pageFromObjectName(const QString& name);
// Title shown when the page is opened; empty where the owning screen sets it.
QString pageTitle(Page page);

} // namespace korvel
