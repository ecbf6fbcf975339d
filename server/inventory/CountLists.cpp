#include "server/inventory/CountLists.h"

#include "server/Access.h"
#include "server/Store.h"
#include "server/TextHelpers.h"

#include <QDateTime>
#include <QSqlQuery>

#include <cmath>

namespace korvel::sandbox {
namespace {

constexpr int kMaxDescripcion = 50;
constexpr double kMaxQuantity = 1e9;

CountAnswer refused(const QString& reason)
{
    CountAnswer a;
    a.reason = reason;
    return a;
}

struct ListRow {
    bool exists = false;
    bool open = false;
    QString descripcion;
};

ListRow listRow(Store& store, int company, int folio)
{
    ListRow r;
    QSqlQuery q = store.exec(QStringLiteral("SELECT Descripcion, Abierta FROM listas_inv WHERE NuListaInv = ? AND NuEmpresa = ?"),
                             {folio, company});
    if (q.next()) {
        r.exists = true;
        r.descripcion = q.value(0).toString();
        r.open = q.value(1).toInt() == 1;
    }
    return r;
}

// The list is there and takes changes, or the reason why not.
QString changeRefusal(const ListRow& list, int folio)
{
    if (!list.exists)
        return QStringLiteral("No existe la lista de inventario %1").arg(folio);
    if (!list.open)
        return QStringLiteral("La lista de inventario %1 está cerrada y no acepta cambios").arg(folio);
    return {};
}

} // namespace

CountAnswer newCountList(Store& store, const SessionUser& user, const QString& descripcion)
{
    const QString text = descripcion.simplified();
    if (text.isEmpty())
        return refused(QStringLiteral("Debe indicar la descripción de la lista"));
    if (text.size() > kMaxDescripcion)
        return refused(QStringLiteral("La descripción no puede pasar de %1 caracteres").arg(kMaxDescripcion));
    CountAnswer a;
    store.transaction([&] {
        store.exec(QStringLiteral("INSERT INTO listas_inv (NuEmpresa, NuAlmacen, Descripcion, Fecha, NuUser, Abierta)"
                                  " VALUES (?, ?, ?, ?, ?, 1)"),
                   {user.company, user.nuAlmacen, text, storeDateTime(QDateTime::currentDateTime()), user.nuUser});
        a.number = store.scalar(QStringLiteral("SELECT last_insert_rowid()")).toInt();
    });
    a.ok = true;
    a.nombre = text;
    return a;
}

CountAnswer countListStatus(Store& store, const SessionUser& user, int folio)
{
    const ListRow list = listRow(store, user.company, folio);
    CountAnswer a;
    a.nombre = list.descripcion;
    a.reason = changeRefusal(list, folio);
    a.ok = a.reason.isEmpty();
    a.number = folio;
    return a;
}

CountAnswer addCount(Store& store, const SessionUser& user, int folio, const QString& product, double quantity,
                     double factor, int unit)
{
    if (!std::isfinite(quantity) || quantity < 0 || quantity > kMaxQuantity)
        return refused(QStringLiteral("La cantidad contada no es válida"));
    if (!std::isfinite(factor) || factor <= 0 || factor > kMaxQuantity)
        return refused(QStringLiteral("El factor de la unidad debe ser mayor a cero"));
    const QString id = product.trimmed();
    CountAnswer a;
    store.transaction([&] {
        const ListRow list = listRow(store, user.company, folio);
        a.reason = changeRefusal(list, folio);
        if (!a.reason.isEmpty())
            return;
        QSqlQuery p = store.exec(QStringLiteral("SELECT ID, NuUnidadMedida, NuUnidadMedida2, NuUnidadMedida3, NuUnidadMedida4,"
                                                " NuUnidadMedida5, UXC2, UXC3, UXC4, UXC5 FROM productos WHERE ID = ?"),
                                 {id});
        if (id.isEmpty() || !p.next()) {
            a.reason = QStringLiteral("No existe el producto %1").arg(id.left(40));
            return;
        }
        // The unit counted must be one of the product's, with its factor
        // (the base unit counts one by one).
        bool unitMatches = false;
        for (int k = 1; k <= 5 && !unitMatches; ++k) {
            const double unitFactor = k == 1 ? 1.0 : p.value(4 + k).toDouble();
            unitMatches = p.value(k).toInt() == unit && std::fabs(unitFactor - factor) < 1e-6;
        }
        if (!unitMatches) {
            a.reason = QStringLiteral("La unidad %1 con factor %2 no es una unidad del producto %3")
                           .arg(unit)
                           .arg(factor)
                           .arg(p.value(0).toString());
            return;
        }
        store.exec(QStringLiteral("INSERT INTO listas_inv_mov (NuListaInv, ID, Cantidad, UXC, NuUnidad, Fecha, NuUser)"
                                  " VALUES (?, ?, ?, ?, ?, ?, ?)"),
                   {folio, p.value(0).toString(), quantity, factor, unit, storeDateTime(QDateTime::currentDateTime()),
                    user.nuUser});
        a.number = store.scalar(QStringLiteral("SELECT last_insert_rowid()")).toInt();
        a.ok = true;
        a.nombre = list.descripcion;
    });
    return a;
}

CountAnswer deleteCount(Store& store, const SessionUser& user, int folio, int movement)
{
    CountAnswer a;
    store.transaction([&] {
        const ListRow list = listRow(store, user.company, folio);
        a.reason = changeRefusal(list, folio);
        if (!a.reason.isEmpty())
            return;
        QSqlQuery q = store.exec(QStringLiteral("SELECT Eliminado FROM listas_inv_mov WHERE NuListaInv_Mov = ? AND NuListaInv = ?"),
                                 {movement, folio});
        if (!q.next()) {
            a.reason = QStringLiteral("El movimiento %1 no es de la lista %2").arg(movement).arg(folio);
            return;
        }
        if (q.value(0).toInt() != 0) {
            a.reason = QStringLiteral("El movimiento %1 ya fue eliminado").arg(movement);
            return;
        }
        store.exec(QStringLiteral("UPDATE listas_inv_mov SET Eliminado = 1 WHERE NuListaInv_Mov = ?"), {movement});
        a.ok = true;
        a.number = movement;
        a.nombre = list.descripcion;
    });
    return a;
}

TListaTomaInv countLines(Store& store, const SessionUser& user, int folio)
{
    TListaTomaInv out;
    if (!listRow(store, user.company, folio).exists)
        return out;
    out.NuListaInv = folio;
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT m.NuListaInv_Mov, m.ID, m.Cantidad, m.UXC, m.NuUnidad, m.Eliminado,"
                       " IFNULL(p.Descripcion, ''), IFNULL(p.Modelo, ''), IFNULL(p.Fabricante, ''), IFNULL(p.Detalle, ''),"
                       " p.NuUnidadMedida, p.NuUnidadMedida2, p.NuUnidadMedida3, p.NuUnidadMedida4, p.NuUnidadMedida5,"
                       " p.Unidad, p.Unidad2, p.Unidad3, p.Unidad4, p.Unidad5,"
                       " p.Barcode1, p.Barcode2, p.Barcode3, p.Barcode4, p.Barcode5,"
                       " p.UXC2, p.UXC3, p.UXC4, p.UXC5, IFNULL(u.Nombre, '')"
                       " FROM listas_inv_mov m LEFT JOIN productos p ON p.ID = m.ID"
                       " LEFT JOIN unidades u ON u.NuUnidadMedida = m.NuUnidad"
                       " WHERE m.NuListaInv = ? ORDER BY m.NuListaInv_Mov"),
        {folio});
    while (q.next()) {
        TTomaInv t;
        const int movement = q.value(0).toInt();
        t.NuListaInv_Mov = q.value(5).toInt() != 0 ? -movement : movement;
        t.N123 = q.value(1).toString();
        t.Cantidad = q.value(2).toDouble();
        t.UXC = q.value(3).toDouble();
        t.NuUnidad = q.value(4).toInt();
        t.Descripcion = q.value(6).toString().isEmpty() ? t.N123 : q.value(6).toString();
        t.Modelo = q.value(7).toString();
        t.Fabricante = q.value(8).toString();
        t.Detalle = q.value(9).toString();
        // The product's own name and barcode of the unit counted (same number and factor).
        for (int k = 1; k <= 5; ++k) {
            const double unitFactor = k == 1 ? 1.0 : q.value(23 + k).toDouble();
            if (q.value(9 + k).toInt() == t.NuUnidad && std::fabs(unitFactor - t.UXC) < 1e-6) {
                t.Unidad = q.value(14 + k).toString();
                t.BarCode = q.value(19 + k).toString();
                break;
            }
        }
        if (t.Unidad.isEmpty())
            t.Unidad = q.value(29).toString();
        out.ArrayTomaInv.push_back(t);
    }
    out.Count = qint32(out.ArrayTomaInv.size());
    return out;
}

} // namespace korvel::sandbox
