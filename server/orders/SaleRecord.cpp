#include "server/orders/SaleRecord.h"

#include "server/Store.h"
#include "server/TextHelpers.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace korvel::sandbox {

OperationFolio readOperationFolio(const QString& text)
{
    OperationFolio out;
    const QString t = text.trimmed();
    static const QRegularExpression uuid(
        QStringLiteral("[0-9A-Fa-f]{8}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{4}-[0-9A-Fa-f]{12}"));
    const QRegularExpressionMatch m = uuid.match(t);
    if (m.hasMatch()) {
        out.kind = OperationFolio::Uuid;
        out.uuid = m.captured(0).toUpper();
        return out;
    }
    static const QRegularExpression number(QStringLiteral("^0*([0-9]{1,9})(&.*)?$"));
    const QRegularExpressionMatch n = number.match(t);
    if (n.hasMatch()) {
        bool ok = false;
        const int v = n.captured(1).toInt(&ok);
        if (ok && v > 0) {
            out.kind = OperationFolio::Number;
            out.folioVenta = v;
        }
    }
    return out;
}

std::optional<SaleHead> findSale(Store& store, const OperationFolio& folio)
{
    QString where;
    QVariant key;
    if (folio.kind == OperationFolio::Number) {
        where = QStringLiteral("v.FolioVenta = ?");
        key = folio.folioVenta;
    } else if (folio.kind == OperationFolio::Uuid) {
        where = QStringLiteral("t.UUID = ?");
        key = folio.uuid;
    } else {
        return std::nullopt;
    }
    QSqlQuery q = store.exec(QStringLiteral("SELECT v.FolioVenta, v.NuEmpresa, v.Tipo, v.Origen, v.EstatusEntrega,"
                                            " v.Cancelada, v.NuTimbre IS NOT NULL, v.NuCarro"
                                            " FROM ventas v LEFT JOIN timbres t ON t.NuTimbre = v.NuTimbre WHERE ") +
                                 where,
                             {key});
    if (!q.next())
        return std::nullopt;
    SaleHead s;
    s.folioVenta = q.value(0).toInt();
    s.nuEmpresa = q.value(1).toInt();
    s.tipo = q.value(2).toInt();
    s.origen = q.value(3).toString();
    s.estatusEntrega = q.value(4).toInt();
    s.cancelada = q.value(5).toInt() != 0;
    s.timbrada = q.value(6).toInt() != 0;
    s.nuCarro = q.value(7).toInt();
    return s;
}

} // namespace korvel::sandbox
