#include "server/collections/PaymentRegistration.h"

#include "server/Access.h"
#include "server/SandboxFault.h"
#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/collections/FiscalStamp.h"
#include "server/collections/PaymentAllocation.h"
#include "server/collections/PaymentForms.h"

#include <QDateTime>
#include <QSqlQuery>

#include <cmath>

namespace korvel::sandbox {
namespace {

constexpr int kMaxOperacion = 60;
constexpr int kMaxDescripcion = 200;

struct DocumentRow {
    DebtToPay debt;
    int company = 0;
    int client = 0;
    QString uuid;
    bool saleCancelled = false;
};

[[noreturn]] void refuse(const QString& text)
{
    throw SandboxFault(text);
}

// Next folio of a document kind of the company, with its series. The first
// write of the transaction, so concurrent payments queue here.
QPair<QString, int> nextFolio(Store& store, int company, const QString& kind, const QString& defaultSerie)
{
    store.exec(QStringLiteral("INSERT OR IGNORE INTO folios (NuEmpresa, Documento, Serie, Ultimo) VALUES (?, ?, ?, 0)"),
               {company, kind, defaultSerie});
    store.exec(QStringLiteral("UPDATE folios SET Ultimo = Ultimo + 1 WHERE NuEmpresa = ? AND Documento = ?"),
               {company, kind});
    QSqlQuery q = store.exec(QStringLiteral("SELECT Serie, Ultimo FROM folios WHERE NuEmpresa = ? AND Documento = ?"),
                             {company, kind});
    if (!q.next())
        refuse(QStringLiteral("No hay folios de %1").arg(kind));
    return {q.value(0).toString(), q.value(1).toInt()};
}

DocumentRow loadDocument(Store& store, int movement)
{
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT m.NuEmpresa, m.NuCliente, m.NuMoneda, m.ImporteDeuda, m.UUID,"
                       " IFNULL(v.Cancelada, 0) FROM cliente_movs m LEFT JOIN ventas v"
                       " ON v.FolioVenta = m.FolioVenta AND m.FolioVenta > 0 WHERE m.NuCliente_Mov = ?"),
        {movement});
    DocumentRow d;
    d.debt.nuClienteMov = movement;
    if (!q.next()) {
        d.company = -1;
        return d;
    }
    d.company = q.value(0).toInt();
    d.client = q.value(1).toInt();
    d.debt.nuMoneda = q.value(2).toInt();
    d.debt.balance = q.value(3).toDouble();
    d.uuid = q.value(4).toString();
    d.saleCancelled = q.value(5).toInt() != 0;
    return d;
}

void checkRequest(const PaymentRequest& rq, const MovementList& list)
{
    if (!list.error.isEmpty())
        refuse(list.error);
    if (rq.currency != 1 && rq.currency != 2)
        refuse(QStringLiteral("La moneda del abono no es válida: %1 (1 pesos, 2 dólares)").arg(rq.currency));
    if (!std::isfinite(rq.amount) || rq.amount < 0.005)
        refuse(QStringLiteral("El importe del abono debe ser mayor a cero"));
    if (rq.currency == 2 && (!std::isfinite(rq.exchangeRate) || rq.exchangeRate <= 0))
        refuse(QStringLiteral("Falta el tipo de cambio del abono en dólares"));
    if (std::isfinite(rq.exchangeRate) && rq.exchangeRate > 1000)
        refuse(QStringLiteral("El tipo de cambio no es válido: %1").arg(rq.exchangeRate));
    if (!collectionMethod(rq.method))
        refuse(QStringLiteral("La forma de pago \"%1\" no existe").arg(rq.method.left(10)));
    const QString operacion = rq.operacion.trimmed();
    if (operacion.isEmpty())
        refuse(QStringLiteral("Falta el número de operación del abono"));
    if (operacion.size() > kMaxOperacion)
        refuse(QStringLiteral("El número de operación no puede pasar de %1 caracteres").arg(kMaxOperacion));
    if (rq.descripcion.size() > kMaxDescripcion)
        refuse(QStringLiteral("La descripción no puede pasar de %1 caracteres").arg(kMaxDescripcion));
    if (!rq.fechaPago.isValid())
        refuse(QStringLiteral("Falta la fecha del pago"));
    if (rq.fechaPago > QDate::currentDate().addDays(1))
        refuse(QStringLiteral("La fecha del pago (%1) no puede ser posterior a hoy").arg(dayText(rq.fechaPago)));
    if (rq.fechaPago.year() < 2000)
        refuse(QStringLiteral("La fecha del pago (%1) no es válida").arg(dayText(rq.fechaPago)));
    if (rq.nuCorte < 0)
        refuse(QStringLiteral("El corte %1 no es válido").arg(rq.nuCorte));
}

int warehouseOf(Store& store, const SessionUser& user, int requested)
{
    if (requested <= 0)
        return user.nuAlmacen;
    const int found = store.scalar(QStringLiteral("SELECT COUNT(*) FROM almacenes WHERE NuAlmacen = ? AND NuEmpresa = ?"),
                                   {requested, user.company}).toInt();
    if (found == 0)
        refuse(QStringLiteral("El almacén %1 no existe").arg(requested));
    return requested;
}

} // namespace

PaymentReceipt registerPayment(Store& store, const SessionUser& user, const PaymentRequest& rq)
{
    const MovementList list = parseMovementList(rq.movements);
    checkRequest(rq, list);
    const CollectionMethod method = *collectionMethod(rq.method);
    const int almacen = warehouseOf(store, user, rq.nuAlmacen);

    PaymentReceipt receipt;
    store.transaction([&] {
        const auto [serie, folio] = nextFolio(store, user.company, QStringLiteral("RECIBO"), QStringLiteral("P"));
        const int interno = nextFolio(store, user.company, QStringLiteral("INTERNO"), QString()).second;

        QList<DocumentRow> rows;
        QList<DebtToPay> debts;
        for (const int movement : list.movements) {
            const DocumentRow d = loadDocument(store, movement);
            if (d.company != user.company)
                refuse(QStringLiteral("El documento %1 no existe").arg(movement));
            if (!rows.isEmpty() && d.client != rows.first().client)
                refuse(QStringLiteral("Los documentos %1 y %2 son de clientes distintos")
                           .arg(rows.first().debt.nuClienteMov)
                           .arg(movement));
            if (d.saleCancelled)
                refuse(QStringLiteral("El documento %1 es de una venta cancelada").arg(movement));
            if (d.debt.balance < 0.005)
                refuse(QStringLiteral("El documento %1 ya está pagado").arg(movement));
            rows.append(d);
            debts.append(d.debt);
        }
        const AllocationResult allocation = allocatePayment(debts, rq.currency, rq.amount, rq.exchangeRate);
        if (!allocation.refusal.isEmpty())
            refuse(allocation.refusal);

        bool converts = rq.currency == 2;
        bool paysCfdi = false;
        for (const DocumentRow& d : rows) {
            converts = converts || (d.debt.nuMoneda == 1) != (rq.currency == 1);
            paysCfdi = paysCfdi || !d.uuid.isEmpty();
        }
        const double rate = converts ? rq.exchangeRate : 1.0;
        const QDateTime now = QDateTime::currentDateTime();
        const QString descripcion = rq.descripcion.trimmed().isEmpty() ? QStringLiteral("Abono") : rq.descripcion.trimmed();
        const double amount = std::round(rq.amount * 100.0) / 100.0;
        const int client = rows.first().client;

        store.exec(QStringLiteral("INSERT INTO abonos (NuEmpresa, NuCliente, SerieCobranza, FolioAbono, FolioInterno, Fecha,"
                                  " FechaPago, NuUser, NuAlmacen, NuCorte, NuMoneda, TipoCambio, Importe, MetodoPagoCob,"
                                  " FormaPago, NumOperacion, Descripcion) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {user.company, client, serie, folio, interno, storeDateTime(now), storeDate(rq.fechaPago), user.nuUser,
                    almacen, rq.nuCorte, rq.currency, rate, amount, collectionMethodCode(method), satPaymentForm(method),
                    rq.operacion.trimmed(), descripcion});
        const int nuAbono = store.scalar(QStringLiteral("SELECT last_insert_rowid()")).toInt();

        for (const Allocation& a : allocation.lines) {
            const int parcialidad =
                1 + store.scalar(QStringLiteral("SELECT COUNT(*) FROM abonos_mov m JOIN abonos b ON b.NuAbono = m.NuAbono"
                                                " WHERE m.NuCliente_Mov = ? AND b.Cancelado = 0 AND b.NuAbono <> ?"),
                                 {a.nuClienteMov, nuAbono})
                        .toInt();
            store.exec(QStringLiteral("INSERT INTO abonos_mov (NuAbono, NuCliente_Mov, Importe, ImporteAbono, NumParcialidad,"
                                      " ImpSaldoAnt, ImpSaldoInsoluto) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                       {nuAbono, a.nuClienteMov, a.applied, a.appliedInPayment, parcialidad, a.before, a.after});
            // Only the balance this payment read may be replaced: a payment
            // that changed it meanwhile makes this one fail, never pay twice.
            QSqlQuery u = store.exec(
                QStringLiteral("UPDATE cliente_movs SET ImporteDeuda = ? WHERE NuCliente_Mov = ? AND ImporteDeuda = ?"),
                {a.after, a.nuClienteMov, a.before});
            if (u.numRowsAffected() != 1)
                refuse(QStringLiteral("El saldo del documento %1 cambió mientras se registraba el abono; intente de nuevo")
                           .arg(a.nuClienteMov));
        }

        if (paysCfdi) {
            QSqlQuery e = store.exec(QStringLiteral("SELECT e.RFC, e.NuCertificado, c.RFC FROM empresas e, clientes c"
                                                    " WHERE e.NuEmpresa = ? AND c.NuClienteKorvel = ?"),
                                     {user.company, client});
            if (e.next() && !e.value(0).toString().isEmpty()) {
                StampRequest s;
                s.tipoDeComprobante = QStringLiteral("P");
                s.serie = serie;
                s.folio = QString::number(folio);
                s.fecha = now;
                s.formaPago = satPaymentForm(method);
                s.moneda = rq.currency == 1 ? QStringLiteral("MXN") : QStringLiteral("USD");
                s.subTotal = 0;
                s.total = amount;
                s.rfcEmisor = e.value(0).toString();
                s.nuCertificado = e.value(1).toString();
                s.rfcReceptor = e.value(2).toString().isEmpty() ? QStringLiteral("XAXX010101000") : e.value(2).toString();
                const int timbre = insertStamp(store, s);
                store.exec(QStringLiteral("UPDATE abonos SET NuTimbre = ? WHERE NuAbono = ?"), {timbre, nuAbono});
                receipt.stamped = true;
            }
        }
        receipt.nuAbono = nuAbono;
        receipt.serie = serie;
        receipt.folioAbono = folio;
        receipt.folioInterno = interno;
    });
    return receipt;
}

} // namespace korvel::sandbox
