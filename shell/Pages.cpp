#include "shell/Pages.h"

#include <QMetaEnum>

namespace korvel {

QString pageObjectName(Page page)
{
    return QString::fromLatin1(QMetaEnum::fromType<Page>().valueToKey(page));
}

Page pageFromObjectName(const QString& name)
{
    bool ok = false;
    const int v = QMetaEnum::fromType<Page>().keyToValue(name.toLatin1().constData(), &ok);
    return ok && v >= 0 && v < Pages::PageCount ? Page(v) : Pages::PageCount;
}

QString pageTitle(Page page)
{
    switch (page) {
    case Pages::TabItem1: return QStringLiteral("Korvel - Inicio de Sesión");
    case Pages::TabEmpresa: return QStringLiteral("Menú Principal");
    case Pages::TabCobranza: return QStringLiteral("Cobranza");
    case Pages::TabListaPedido: return QStringLiteral("Lista Pedidos");
    case Pages::TabURL: return QStringLiteral("Configurar");
    case Pages::TabTI: return QStringLiteral("Toma Inventario");
    case Pages::TabEstadisticaMenu: return QStringLiteral("Estadísticas");
    case Pages::TabCompra: return QStringLiteral("Compras");
    case Pages::TabAuth: return QStringLiteral("Autorización de Precios");
    case Pages::TabEntrega: return QStringLiteral("Registro de Entrega");
    case Pages::TabRevisa: return QStringLiteral("Revision de Cuenta");
    default: return {};
    }
}

} // namespace korvel
