#include "server/statistics/Movements.h"

#include "server/Store.h"
#include "server/TextHelpers.h"

#include <QSqlQuery>

#include <cmath>

namespace korvel::sandbox {
namespace {

const char* const kSalesLines =
    "SELECT v.NuEmpresa, v.NuAlmacen, v.Fecha, IFNULL(p.NuCategoria, 0), m.ID, IFNULL(p.Descripcion, m.Descripcion),"
    " (m.Importe - m.Descuento) * (CASE WHEN v.NuMoneda = 1 THEN 1 ELSE v.TipoCambio END),"
    " m.Total * (CASE WHEN v.NuMoneda = 1 THEN 1 ELSE v.TipoCambio END),"
    " v.Credito, m.Cantidad * m.VUnidades, v.FormaPago, v.FolioVenta"
    " FROM ventas_mov m JOIN ventas v ON v.FolioVenta = m.FolioVenta LEFT JOIN productos p ON p.ID = m.ID"
    " WHERE v.Cancelada = 0 AND v.Fecha >= ? AND v.Fecha < ?";

const char* const kPurchaseLines =
    "SELECT v.NuEmpresa, v.NuAlmacen, v.Fecha, IFNULL(p.NuCategoria, 0), m.ID, IFNULL(p.Descripcion, m.ID),"
    " m.SubTotal * (CASE WHEN v.NuMoneda = 1 THEN 1 ELSE v.TC END),"
    " m.Total * (CASE WHEN v.NuMoneda = 1 THEN 1 ELSE v.TC END),"
    " v.Credito, m.Cant * m.VUnidades, '', v.NuCompra"
    " FROM compras_mov m JOIN compras v ON v.NuCompra = m.NuCompra LEFT JOIN productos p ON p.ID = m.ID"
    " WHERE v.Fecha >= ? AND v.Fecha < ?";

qint64 cents(double amount)
{
    return std::isfinite(amount) ? qint64(std::llround(amount * 100.0)) : 0;
}

} // namespace

QList<MovementLine> movementLines(Store& store, Flow flow, const MovementFilter& f)
{
    QString sql = QString::fromLatin1(flow == Flow::Sales ? kSalesLines : kPurchaseLines);
    QVariantList values{storeDate(f.from), storeDate(f.to.addDays(1))};
    if (f.company >= 0) {
        sql += QStringLiteral(" AND v.NuEmpresa = ?");
        values.append(f.company);
    }
    if (f.almacen > 0) {
        sql += QStringLiteral(" AND v.NuAlmacen = ?");
        values.append(f.almacen);
    }
    if (!f.product.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND m.ID = ?");
        values.append(f.product.trimmed());
    }
    QList<MovementLine> out;
    QSqlQuery q = store.exec(sql, values);
    while (q.next()) {
        MovementLine l;
        l.company = q.value(0).toInt();
        l.almacen = q.value(1).toInt();
        const QDateTime when = dateTimeFromStore(q.value(2).toString());
        l.date = when.date();
        l.time = when.time();
        l.category = q.value(3).toInt();
        l.product = q.value(4).toString();
        l.descripcion = q.value(5).toString();
        l.netCents = cents(q.value(6).toDouble());
        l.grossCents = cents(q.value(7).toDouble());
        l.credit = q.value(8).toInt() != 0;
        l.baseUnits = q.value(9).toDouble();
        l.formaPago = q.value(10).toString();
        l.document = q.value(11).toInt();
        if (l.date.isValid())
            out.append(l);
    }
    return out;
}

QHash<int, QString> categoryNames(Store& store)
{
    QHash<int, QString> names;
    QSqlQuery q = store.exec(QStringLiteral("SELECT NuCategoria, Descripcion FROM categorias"));
    while (q.next())
        names.insert(q.value(0).toInt(), q.value(1).toString());
    return names;
}

QString categoryName(const QHash<int, QString>& names, int category)
{
    const auto it = names.constFind(category);
    return it == names.constEnd() ? QStringLiteral("Sin categoría") : it.value();
}

} // namespace korvel::sandbox
