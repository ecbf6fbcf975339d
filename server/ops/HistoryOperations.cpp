// A product's recent purchases at one branch and its recent sales to one
// client, newest first, at most Max records.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"
#include "server/TextHelpers.h"
#include "server/collections/CobranzaRecords.h"
#include "server/statistics/Branches.h"

#include <QSqlQuery>

#include <algorithm>

namespace korvel::sandbox {
namespace {

constexpr int kMaxRecords = 500;

int boundedMax(int max)
{
    if (max < 1)
        throw SandboxFault(QStringLiteral("El número de registros debe ser mayor a cero"));
    return std::min(max, kMaxRecords);
}

std::optional<XsDateTime> when(const QString& stored)
{
    const QDateTime value = dateTimeFromStore(stored);
    if (!value.isValid())
        return std::nullopt;
    return XsDateTime{value.date(), value.time(), XsZone::none()};
}

void finish(TListaCompras& list)
{
    list.Count = qint32(list.ArrayCompras.size());
}

QString saleFolio(int tipo, const QString& serie, int folio)
{
    const QString letter = tipo == 5 ? QStringLiteral("T") : tipo == 6 ? QStringLiteral("R") : QStringLiteral("F");
    return letter + u' ' + serie + QString::number(folio);
}

} // namespace

void registerHistoryOperations(Sandbox& sandbox)
{
    Sandbox* sb = &sandbox;
    auto& registry = sandbox.operations();

    registry.on<ops::GM_HistorialComprasXSuc>(
        [sb](const ops::GM_HistorialComprasXSuc::Request& rq, ops::GM_HistorialComprasXSuc::Response& rs) {
            requireUser(*sb, rq.User, rq.Pass);
            const int max = boundedMax(rq.Max);
            const Branch& branch = branchAt(branches(*sb), rq.Sucursal);
            QSqlQuery q = sb->store().exec(
                QStringLiteral("SELECT c.NuCompra, c.NuMoneda, c.Folio, c.Fecha, IFNULL(p.Nombre, ''), m.Unidad, m.Costo,"
                               " m.CostoImp, m.SubTotal, m.Cant, c.TC"
                               " FROM compras_mov m JOIN compras c ON c.NuCompra = m.NuCompra"
                               " LEFT JOIN proveedores p ON p.NuProveedor = c.NuProveedor"
                               " WHERE c.NuEmpresa = ? AND m.ID = ? ORDER BY c.Fecha DESC, m.NuCompra_Mov DESC LIMIT ?"),
                {branch.company, rq.N123.trimmed(), max});
            while (q.next()) {
                TCompras c;
                c.NuCompra = q.value(0).toInt();
                c.NuMoneda = q.value(1).toInt();
                c.Folio = q.value(2).toString();
                c.Fecha = when(q.value(3).toString());
                c.Proveedor = q.value(4).toString();
                c.Unidad = q.value(5).toString();
                c.Costo = q.value(6).toDouble();
                c.CostoImp = q.value(7).toDouble();
                c.SubTotal = q.value(8).toDouble();
                c.Cant = q.value(9).toDouble();
                c.TC = c.NuMoneda == 1 ? 1.0 : q.value(10).toDouble();
                rs.result.ArrayCompras.push_back(c);
            }
            finish(rs.result);
        });

    // Sales records use the purchase record: the client in Proveedor, the
    // sale document in Folio, the unit price before taxes in Costo and with
    // taxes in CostoImp, the sale folio in NuCompra.
    registry.on<ops::GM_HistorialVentas>(
        [sb](const ops::GM_HistorialVentas::Request& rq, ops::GM_HistorialVentas::Response& rs) {
            const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
            const int max = boundedMax(rq.Max);
            if (rq.NuCliente == 0) {
                finish(rs.result);
                return;
            }
            requireClient(sb->store(), user.company, rq.NuCliente);
            QSqlQuery q = sb->store().exec(
                QStringLiteral("SELECT v.FolioVenta, v.NuMoneda, v.Tipo, v.Serie, v.Folio, v.Fecha, c.Nombre, m.Unidad,"
                               " m.ValorUnitario, m.Importe, m.Descuento, m.Total, m.Cantidad, v.TipoCambio"
                               " FROM ventas_mov m JOIN ventas v ON v.FolioVenta = m.FolioVenta"
                               " JOIN clientes c ON c.NuClienteKorvel = v.NuCliente"
                               " WHERE v.NuEmpresa = ? AND v.NuCliente = ? AND v.Cancelada = 0 AND m.ID = ?"
                               " ORDER BY v.Fecha DESC, m.NuVenta_Mov DESC LIMIT ?"),
                {user.company, rq.NuCliente, rq.N123.trimmed(), max});
            while (q.next()) {
                TCompras c;
                c.NuCompra = q.value(0).toInt();
                c.NuMoneda = q.value(1).toInt();
                c.Folio = saleFolio(q.value(2).toInt(), q.value(3).toString(), q.value(4).toInt());
                c.Fecha = when(q.value(5).toString());
                c.Proveedor = q.value(6).toString();
                c.Unidad = q.value(7).toString();
                const double cantidad = q.value(12).toDouble();
                const double neto = q.value(9).toDouble() - q.value(10).toDouble();
                c.Costo = cantidad > 0 ? neto / cantidad : q.value(8).toDouble();
                c.CostoImp = cantidad > 0 ? q.value(11).toDouble() / cantidad : c.Costo;
                c.SubTotal = neto;
                c.Cant = cantidad;
                c.TC = c.NuMoneda == 1 ? 1.0 : q.value(13).toDouble();
                rs.result.ArrayCompras.push_back(c);
            }
            finish(rs.result);
        });
}

} // namespace korvel::sandbox
