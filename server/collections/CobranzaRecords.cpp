#include "server/collections/CobranzaRecords.h"

#include "server/SandboxFault.h"
#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/collections/PaymentForms.h"

#include <QSqlQuery>

#include <algorithm>

namespace korvel::sandbox {
namespace {

std::optional<XsDateTime> dateTimeValue(const QString& stored)
{
    if (stored.trimmed().isEmpty())
        return std::nullopt;
    const QDateTime value = dateTimeFromStore(stored);
    if (!value.isValid())
        return std::nullopt;
    return XsDateTime{value.date(), value.time(), XsZone::none()};
}

void finish(TListaCobranza& list)
{
    list.Count = qint32(list.ArrayCobranza.size());
}

// Columns of cliente_movs read by movementRecord, prefixed by `m.`.
const char* const kMovementColumns =
    "m.NuCliente_Mov, m.Tipo, m.NuPedido, m.Fecha, m.FechaVence, m.Descripcion, m.FolioUnico,"
    " m.SerieFactura, m.FolioFactura, m.SerieTicket, m.FolioTicket, m.SerieRemision, m.FolioRemision,"
    " m.ImporteOriginal, m.ImporteDeuda, m.UUID, m.Facilidad271, m.PagoFacilidad271";

TCobranza movementRecord(const QSqlQuery& q, int first = 0)
{
    TCobranza c;
    c.NuCliente_Mov = q.value(first + 0).toInt();
    c.Tipo = q.value(first + 1).toInt();
    c.NuPedido = q.value(first + 2).toInt();
    c.Fecha = dateTimeValue(q.value(first + 3).toString());
    c.FechaVence = dateTimeValue(q.value(first + 4).toString());
    c.Descripcion = q.value(first + 5).toString();
    c.FolioUnico = q.value(first + 6).toString();
    c.SerieFactura = q.value(first + 7).toString();
    c.FolioFactura = q.value(first + 8).toInt();
    c.SerieTicket = q.value(first + 9).toString();
    c.FolioTicket = q.value(first + 10).toInt();
    c.SerieRemision = q.value(first + 11).toString();
    c.FolioRemision = q.value(first + 12).toInt();
    c.ImporteOriginal = q.value(first + 13).toDouble();
    c.ImporteDeuda = q.value(first + 14).toDouble();
    c.UUID = q.value(first + 15).toString();
    c.Facilidad271 = q.value(first + 16).toString();
    c.PagoFacilidad271 = dateTimeValue(q.value(first + 17).toString());
    return c;
}

QString saleKindText(int tipo)
{
    switch (tipo) {
    case 5:
        return QStringLiteral("Ticket");
    case 6:
        return QStringLiteral("Remisión");
    default:
        return QStringLiteral("Factura");
    }
}

} // namespace

void requireClient(Store& store, int company, int client)
{
    const int found = store.scalar(QStringLiteral("SELECT COUNT(*) FROM clientes WHERE NuClienteKorvel = ? AND NuEmpresa = ?"),
                                   {client, company})
                          .toInt();
    if (found == 0)
        throw SandboxFault(QStringLiteral("El cliente %1 no existe").arg(client));
}

QString documentFolioText(const TCobranza& d)
{
    if (d.FolioFactura > 0)
        return QStringLiteral("F %1%2").arg(d.SerieFactura).arg(d.FolioFactura);
    if (d.FolioTicket > 0)
        return QStringLiteral("T %1%2").arg(d.SerieTicket).arg(d.FolioTicket);
    if (d.FolioRemision > 0)
        return QStringLiteral("R %1%2").arg(d.SerieRemision).arg(d.FolioRemision);
    return d.FolioUnico.isEmpty() ? QStringLiteral("Mov %1").arg(d.NuCliente_Mov) : d.FolioUnico;
}

TListaCobranza openDocuments(Store& store, int company, int client, int currency)
{
    TListaCobranza list;
    QSqlQuery q = store.exec(QStringLiteral("SELECT %1 FROM cliente_movs m"
                                            " WHERE m.NuEmpresa = ? AND m.NuCliente = ? AND m.NuMoneda = ?"
                                            " AND m.ImporteDeuda >= 0.005"
                                            " ORDER BY m.FechaVence, m.Fecha, m.NuCliente_Mov")
                                 .arg(QLatin1String(kMovementColumns)),
                             {company, client, currency});
    while (q.next())
        list.ArrayCobranza.push_back(movementRecord(q));
    finish(list);
    return list;
}

TListaCobranza saleDocuments(Store& store, int company, int client)
{
    TListaCobranza list;
    // Sales, with their account document when they were sold on account.
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT v.FolioVenta, v.Tipo, v.Serie, v.Folio, v.Fecha, v.Total, v.Credito,"
                       " IFNULL(t.UUID, ''), IFNULL(m.NuCliente_Mov, 0), IFNULL(m.FechaVence, ''),"
                       " IFNULL(m.ImporteDeuda, 0), IFNULL(m.Descripcion, ''), IFNULL(m.FolioUnico, ''),"
                       " IFNULL(m.Facilidad271, ''), IFNULL(m.PagoFacilidad271, '')"
                       " FROM ventas v LEFT JOIN timbres t ON t.NuTimbre = v.NuTimbre"
                       " LEFT JOIN cliente_movs m ON m.FolioVenta = v.FolioVenta AND m.NuEmpresa = v.NuEmpresa"
                       " WHERE v.NuEmpresa = ? AND v.NuCliente = ? AND v.Cancelada = 0"),
        {company, client});
    struct Dated {
        QString fecha;
        TCobranza record;
    };
    QList<Dated> rows;
    while (q.next()) {
        TCobranza c;
        const int tipo = q.value(1).toInt();
        const QString serie = q.value(2).toString();
        const int folio = q.value(3).toInt();
        if (tipo == 5) {
            c.SerieTicket = serie;
            c.FolioTicket = folio;
        } else if (tipo == 6) {
            c.SerieRemision = serie;
            c.FolioRemision = folio;
        } else {
            c.SerieFactura = serie;
            c.FolioFactura = folio;
        }
        c.NuPedido = q.value(0).toInt();
        c.Tipo = 1;
        const QString fecha = q.value(4).toString();
        c.Fecha = dateTimeValue(fecha);
        const QString vence = q.value(9).toString();
        c.FechaVence = dateTimeValue(vence.isEmpty() ? fecha : vence);
        c.ImporteOriginal = q.value(5).toDouble();
        c.UUID = q.value(7).toString();
        c.NuCliente_Mov = q.value(8).toInt();
        c.ImporteDeuda = q.value(10).toDouble();
        const QString descripcion = q.value(11).toString();
        c.Descripcion = descripcion.isEmpty()
                            ? saleKindText(tipo) + (q.value(6).toInt() ? QStringLiteral(" a crédito") : QStringLiteral(" de contado"))
                            : descripcion;
        c.FolioUnico = q.value(12).toString();
        c.Facilidad271 = q.value(13).toString();
        c.PagoFacilidad271 = dateTimeValue(q.value(14).toString());
        rows.append({fecha, c});
    }
    // Opening balances and account documents whose sale is not on file.
    QSqlQuery o = store.exec(QStringLiteral("SELECT %1 FROM cliente_movs m"
                                            " WHERE m.NuEmpresa = ? AND m.NuCliente = ? AND (m.FolioVenta = 0 OR NOT EXISTS"
                                            " (SELECT 1 FROM ventas v WHERE v.FolioVenta = m.FolioVenta))")
                                 .arg(QLatin1String(kMovementColumns)),
                             {company, client});
    while (o.next()) {
        TCobranza c = movementRecord(o);
        c.NuPedido = 0;
        rows.append({o.value(3).toString(), c});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Dated& a, const Dated& b) {
        if (a.fecha != b.fecha)
            return a.fecha > b.fecha;
        return a.record.NuPedido > b.record.NuPedido;
    });
    for (const Dated& d : rows)
        list.ArrayCobranza.push_back(d.record);
    finish(list);
    return list;
}

TListaCobranza payments(Store& store, int company, int client)
{
    TListaCobranza list;
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT a.NuAbono, a.SerieCobranza, a.FolioAbono, a.FolioInterno, a.FechaPago, a.Importe,"
                       " a.MetodoPagoCob, a.Descripcion, a.NumOperacion, a.Cancelado, IFNULL(t.UUID, ''), a.NuMoneda"
                       " FROM abonos a LEFT JOIN timbres t ON t.NuTimbre = a.NuTimbre"
                       " WHERE a.NuEmpresa = ? AND a.NuCliente = ?"
                       " ORDER BY a.FechaPago DESC, a.NuAbono DESC"),
        {company, client});
    while (q.next()) {
        TCobranza c;
        c.NuCliente_Mov = q.value(0).toInt();
        c.SerieFactura = q.value(1).toString();
        c.FolioFactura = q.value(2).toInt();
        c.SerieCobranza = c.SerieFactura;
        c.FolioCobranza = c.FolioFactura;
        c.FolioUnico = QString::number(q.value(3).toInt());
        c.Fecha = dateTimeValue(q.value(4).toString());
        c.FechaVence = c.Fecha;
        c.ImporteOriginal = q.value(5).toDouble();
        c.Tipo = 3;
        c.UUID = q.value(10).toString();
        const auto method = collectionMethod(q.value(6).toString());
        QString text = q.value(7).toString();
        if (method)
            text += QStringLiteral(" ") + collectionMethodName(*method);
        if (q.value(11).toInt() != 1)
            text += QStringLiteral(" USD");
        const QString operacion = q.value(8).toString();
        if (!operacion.isEmpty())
            text += QStringLiteral(" Op. ") + operacion;
        if (q.value(9).toInt() != 0)
            text += QStringLiteral(" (CANCELADO)");
        c.Descripcion = text.trimmed();
        list.ArrayCobranza.push_back(c);
    }
    finish(list);
    return list;
}

} // namespace korvel::sandbox
