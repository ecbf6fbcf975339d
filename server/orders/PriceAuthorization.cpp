#include "server/orders/PriceAuthorization.h"

#include "server/Access.h"
#include "server/SandboxFault.h"
#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/orders/Company.h"
#include "server/orders/OrderMath.h"
#include "server/orders/OrderRecords.h"
#include "server/orders/OrderWriter.h"

#include <QDateTime>
#include <QSqlQuery>

namespace korvel::sandbox {

QDate dateFromMonthFirst(const QString& text)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3)
        return {};
    bool okM = false, okD = false, okY = false;
    const int m = parts[0].toInt(&okM);
    const int d = parts[1].toInt(&okD);
    const int y = parts[2].toInt(&okY);
    if (!okM || !okD || !okY || parts[2].size() != 4)
        return {};
    return QDate(y, m, d);
}

TListaAutorizaPrecio listAuthorizations(Store& store, int nuEmpresa, int tipo, const QDate& day)
{
    QString where;
    QVariantList values{nuEmpresa};
    if (tipo == 1) {
        where = QStringLiteral(" AND a.Estado = 'R' AND c.NuPaso NOT IN (5, 6, 7)");
    } else {
        where = tipo == 2 ? QStringLiteral(" AND a.Estado IN ('D', 'd')") : QStringLiteral(" AND a.Estado = 'A'");
        where += QStringLiteral(" AND substr(a.Resolucion, 1, 10) = ?");
        values.append(storeDate(day));
    }
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT a.Solicitud, IFNULL(cl.Nombre, ''), IFNULL(p.Descripcion, a.NuProducto), a.NuProducto,"
                       " IFNULL(u.Nombre, ''), a.Precio, a.Pacto, a.NuMoneda, a.Unidad, IFNULL(p.Unidad, ''),"
                       " a.Cantidad, a.VUnidades, a.NuCarro, a.NuCarro_Mov"
                       " FROM autorizaciones_precio a JOIN carros c ON c.NuCarro = a.NuCarro"
                       " LEFT JOIN clientes cl ON cl.NuClienteKorvel = c.NuCliente"
                       " LEFT JOIN productos p ON p.ID = a.NuProducto"
                       " LEFT JOIN usuarios u ON u.NuUser = a.NuUserSolicita"
                       " WHERE a.NuEmpresa = ?") +
            where + QStringLiteral(" ORDER BY a.Solicitud, a.NuAutorizacion"),
        values);
    TListaAutorizaPrecio list;
    while (q.next()) {
        TAutorizaPrecio a;
        a.Solicitud = xsDateTimeFromStore(q.value(0).toString());
        a.Cliente = q.value(1).toString();
        a.Producto = q.value(2).toString();
        a.N123 = q.value(3).toString();
        a.Vendedor = q.value(4).toString();
        a.Precio = q.value(5).toDouble();
        a.Pacto = q.value(6).toDouble();
        a.Moneda = currencyCode(q.value(7).toInt());
        a.Unidad = q.value(8).toString();
        a.UnidadPpal = q.value(9).toString();
        a.Cantidad = q.value(10).toDouble();
        a.VUnidades = q.value(11).toDouble();
        a.Piezas = a.Cantidad * a.VUnidades;
        a.NuCarro = q.value(12).toInt();
        a.NuCarro_Mov = q.value(13).toInt();
        list.ArrayAutorizaPrecio.push_back(std::move(a));
    }
    list.Count = qint32(list.ArrayAutorizaPrecio.size());
    return list;
}

bool decidePrice(Store& store, const SessionUser& user, int nuCarro, int nuCarroMov, const QString& auth, QString* reason)
{
    if (auth != u"A" && auth != u"D" && auth != u"d") {
        *reason = QStringLiteral("Decisión inválida: \"%1\" (A autoriza, D o d deniega)").arg(auth);
        return false;
    }
    if (!user.hasModule(kModuloPedidos)) {
        *reason = QStringLiteral("El usuario %1 no tiene acceso a la autorización de precios").arg(user.login);
        return false;
    }
    QSqlQuery q = store.exec(QStringLiteral("SELECT a.NuAutorizacion, a.PrecioLista, c.NuPaso FROM autorizaciones_precio a"
                                            " JOIN carros c ON c.NuCarro = a.NuCarro"
                                            " WHERE a.NuCarro = ? AND a.NuCarro_Mov = ? AND a.NuEmpresa = ?"
                                            " AND a.Estado = 'R' ORDER BY a.NuAutorizacion DESC"),
                             {nuCarro, nuCarroMov, user.company});
    if (!q.next()) {
        *reason = QStringLiteral("No hay una solicitud de precio pendiente del pedido %1, renglón %2").arg(nuCarro).arg(nuCarroMov);
        return false;
    }
    const int nuAutorizacion = q.value(0).toInt();
    const double precioLista = q.value(1).toDouble();
    const int paso = q.value(2).toInt();
    const QString now = storeDateTime(QDateTime::currentDateTime());
    const CompanyInfo company = loadCompany(store, user.company);
    store.transaction([&] {
        store.exec(QStringLiteral("UPDATE autorizaciones_precio SET Estado = ?, Resolucion = ?, NuUserResuelve = ?"
                                  " WHERE NuAutorizacion = ?"),
                   {auth, now, user.nuUser, nuAutorizacion});
        if (auth == u"A") {
            store.exec(QStringLiteral("UPDATE carros_mov SET REQ_AUTH = 'A', FECHA_AUTH = ?, NUUSER_AUTH = ?"
                                      " WHERE NuCarro_Mov = ?"),
                       {now, user.nuUser, nuCarroMov});
        } else {
            // The line goes back to the list price, its amounts with it.
            QSqlQuery l = store.exec(QStringLiteral("SELECT Precio, Cantidad, TasaIVA, TasaIEPS, TasaTasa2, IEPS"
                                                    " FROM carros_mov WHERE NuCarro_Mov = ?"),
                                     {nuCarroMov});
            if (l.next()) {
                TDetalle d;
                d.Precio = precioLista > 0 ? precioLista : l.value(0).toDouble();
                d.Cantidad = l.value(1).toDouble();
                d.TasaIVA = l.value(2).toDouble();
                d.TasaIEPS = l.value(3).toDouble();
                d.TasaTasa2 = l.value(4).toDouble();
                d.IEPS = l.value(5).toDouble();
                calcularDetalle(d, company.taxes);
                store.exec(QStringLiteral("UPDATE carros_mov SET REQ_AUTH = 'D', FECHA_AUTH = ?, NUUSER_AUTH = ?,"
                                          " Precio = ?, PrecioPacto = 0, SubTotal = ?, IVA = ?, IEPS = ?, Total_Tasa2 = ?,"
                                          " Total = ? WHERE NuCarro_Mov = ?"),
                           {now, user.nuUser, d.Precio, d.SubTotal, d.IVA, d.IEPS, d.Total_Tasa2, d.Total, nuCarroMov});
            }
            const bool open = paso == 1 || paso == 3 || paso == 4 || paso == 8 || paso == 9;
            if (auth == u"D" && open)
                store.exec(QStringLiteral("UPDATE carros SET NuPaso = 0 WHERE NuCarro = ?"), {nuCarro});
        }
        refreshOrderTotals(store, nuCarro);
    });
    return true;
}

} // namespace korvel::sandbox
