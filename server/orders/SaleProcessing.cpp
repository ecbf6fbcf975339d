#include "server/orders/SaleProcessing.h"

#include "server/Access.h"
#include "server/SandboxFault.h"
#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/collections/FiscalStamp.h"
#include "server/orders/Company.h"
#include "server/orders/OrderMath.h"
#include "server/orders/OrderRecords.h"
#include "server/orders/OrderWriter.h"
#include "server/orders/ProductInfo.h"
#include "server/orders/Refusal.h"
#include "server/orders/StoreValues.h"

#include <QDateTime>
#include <QMap>
#include <QSqlQuery>

namespace korvel::sandbox {
namespace {

const QString kRfcPublicoGeneral = QStringLiteral("XAXX010101000");

struct OrderHead {
    int paso = 0;
    int folioVenta = 0;
    int nuCliente = 0;
    int nuMoneda = 1;
    double tipoCambio = 1;
    int nuAlmacen = 0;
    int nuChofer = 0;
    QString metodoPago;
    QString formaPago;
    QString usoCfdi;
    QString notas;
    QString cteCalles;
    QString cteReferencia;
    QString cteCorreo;
    QString cteTelefono;
    QString tokenPago;
    QString urlPago;
};

std::optional<OrderHead> loadHead(Store& store, int nuEmpresa, int nuCarro)
{
    QSqlQuery q = store.exec(
        QStringLiteral("SELECT NuPaso, FolioVenta, NuCliente, NuMoneda, TipoCambio, NuAlmacen, NuChofer, MetodoPago,"
                       " FormaPago, UsoCFDI, Notas, CteCalles, CteReferencia, CteCorreo, CteTelefono, TokenPago, URLPago"
                       " FROM carros WHERE NuCarro = ? AND NuEmpresa = ?"),
        {nuCarro, nuEmpresa});
    if (!q.next())
        return std::nullopt;
    OrderHead h;
    h.paso = q.value(0).toInt();
    h.folioVenta = q.value(1).toInt();
    h.nuCliente = q.value(2).toInt();
    h.nuMoneda = q.value(3).toInt();
    h.tipoCambio = q.value(4).toDouble();
    h.nuAlmacen = q.value(5).toInt();
    h.nuChofer = q.value(6).toInt();
    h.metodoPago = q.value(7).toString();
    h.formaPago = q.value(8).toString();
    h.usoCfdi = q.value(9).toString();
    h.notas = q.value(10).toString();
    h.cteCalles = q.value(11).toString();
    h.cteReferencia = q.value(12).toString();
    h.cteCorreo = q.value(13).toString();
    h.cteTelefono = q.value(14).toString();
    h.tokenPago = q.value(15).toString();
    h.urlPago = q.value(16).toString();
    return h;
}

QString stepText(int paso)
{
    switch (paso) {
    case 0: return QStringLiteral("en captura");
    case 1: return QStringLiteral("en proceso");
    case 2: return QStringLiteral("facturado");
    case 3: return QStringLiteral("denegado");
    case 4: return QStringLiteral("con error");
    case 5:
    case 6:
    case 7: return QStringLiteral("cancelado");
    case 8: return QStringLiteral("en captura local");
    case 9: return QStringLiteral("en cotización");
    default: return QStringLiteral("en el paso %1").arg(paso);
    }
}

struct Folio {
    QString serie;
    int folio = 0;
};

Folio nextFolio(Store& store, int nuEmpresa, const QString& documento, const QString& serieInicial)
{
    store.exec(QStringLiteral("INSERT OR IGNORE INTO folios (NuEmpresa, Documento, Serie, Ultimo) VALUES (?, ?, ?, 0)"),
               notNull({nuEmpresa, documento, serieInicial}));
    store.exec(QStringLiteral("UPDATE folios SET Ultimo = Ultimo + 1 WHERE NuEmpresa = ? AND Documento = ?"),
               {nuEmpresa, documento});
    QSqlQuery q = store.exec(QStringLiteral("SELECT Serie, Ultimo FROM folios WHERE NuEmpresa = ? AND Documento = ?"),
                             {nuEmpresa, documento});
    q.next();
    return {q.value(0).toString(), q.value(1).toInt()};
}

QString address(const TCliente& c)
{
    QStringList parts;
    QString street = QStringList{c.Calle.trimmed(), c.Numero.trimmed()}.join(QLatin1Char(' ')).trimmed();
    if (!c.Interior.trimmed().isEmpty())
        street += QStringLiteral(" Int. ") + c.Interior.trimmed();
    for (const QString& p : {street, c.Colonia.trimmed(), c.Ciudad.trimmed(), c.Estado.trimmed()}) {
        if (!p.isEmpty())
            parts.append(p);
    }
    if (!c.CP.trimmed().isEmpty())
        parts.append(QStringLiteral("C.P. ") + c.CP.trimmed());
    return parts.join(QStringLiteral(", "));
}

ProcessOutcome refuse(int code, const QString& reason)
{
    ProcessOutcome o;
    o.code = code;
    o.reason = reason;
    return o;
}

} // namespace

ProcessOutcome procesarCarro(Store& store, const SessionUser& user, int nuCarro, int proceso)
{
    if (!user.hasModule(kModuloPedidos))
        return refuse(ProcesarSinAcceso, QStringLiteral("El usuario %1 no tiene acceso a pedidos").arg(user.login));
    const std::optional<OrderHead> head = loadHead(store, user.company, nuCarro);
    if (!head)
        return refuse(ProcesarNoExiste, QStringLiteral("No existe el pedido %1").arg(nuCarro));

    // Moving the order between capture, process and quotation.
    if (proceso == 0 || proceso == 1 || proceso == 9) {
        const bool movable = head->folioVenta == 0 &&
                             (head->paso == 0 || head->paso == 1 || head->paso == 8 || head->paso == 9);
        if (!movable)
            return refuse(ProcesarNoEnProceso,
                          QStringLiteral("El pedido %1 está %2 y no puede cambiar de paso").arg(nuCarro).arg(stepText(head->paso)));
        if (proceso == 1 && !loadDetalles(store, nuCarro).size())
            return refuse(ProcesarIncompleto, QStringLiteral("El pedido %1 no tiene productos").arg(nuCarro));
        store.transaction([&] {
            store.exec(QStringLiteral("UPDATE carros SET NuPaso = ?, Modificado = ? WHERE NuCarro = ?"),
                       {proceso, storeDateTime(QDateTime::currentDateTime()), nuCarro});
        });
        ProcessOutcome o;
        o.code = ProcesarExitoso;
        return o;
    }
    if (proceso != VentaFactura && proceso != VentaTicket && proceso != VentaRemision)
        return refuse(ProcesarIncompleto, QStringLiteral("Proceso desconocido: %1").arg(proceso));
    if (head->paso != 1 || head->folioVenta > 0)
        return refuse(ProcesarNoEnProceso, QStringLiteral("El pedido %1 está %2").arg(nuCarro).arg(stepText(head->paso)));

    // A sale is a fiscal document: its amounts are in cents, each line rounded
    // and the totals the sums of the rounded lines, so the CFDI adds up.
    std::vector<TDetalle> lines = loadDetalles(store, nuCarro);
    for (TDetalle& d : lines) {
        d.SubTotal = roundToCents(d.SubTotal);
        d.IVA = roundToCents(d.IVA);
        d.IEPS = roundToCents(d.IEPS);
        d.Total_Tasa2 = roundToCents(d.Total_Tasa2);
        d.Total = roundToCents(d.SubTotal + d.IVA + d.IEPS + d.Total_Tasa2);
    }
    if (lines.empty())
        return refuse(ProcesarIncompleto, QStringLiteral("El pedido %1 no tiene productos").arg(nuCarro));
    for (const TDetalle& d : lines) {
        if (d.REQ_AUTH == u"R")
            return refuse(ProcesarIncompleto,
                          QStringLiteral("El pedido %1 tiene precios pendientes de autorización").arg(nuCarro));
    }
    const std::optional<TCliente> cliente = loadCliente(store, user.company, head->nuCliente, head->nuMoneda);
    if (!cliente)
        return refuse(ProcesarIncompleto, QStringLiteral("El cliente %1 del pedido no existe").arg(head->nuCliente));
    const CompanyInfo company = loadCompany(store, user.company);
    const int almacen = head->nuAlmacen > 0 ? head->nuAlmacen : user.nuAlmacen;

    QMap<QString, double> needed;
    for (const TDetalle& d : lines)
        needed[d.NuProducto.toUpper()] += d.Cantidad * d.VUnidades;
    // The goods leave the warehouse with the sale (selling beyond the counted
    // stock is allowed: the inventory count corrects it); the sale goes on
    // the road to the client's delivery address, and without one it waits.
    const bool delivered = !cliente->DomicilioEntrega.trimmed().isEmpty() || !cliente->Calle.trimmed().isEmpty();
    const QString noAddress = QStringLiteral("El cliente %1 no tiene domicilio de entrega").arg(head->nuCliente);
    if (!delivered && proceso == VentaRemision)
        return refuse(ProcesarNoEntregado, noAddress);

    ProcessOutcome outcome;
    try {
        store.transaction([&] {
            const QDateTime now = QDateTime::currentDateTime();
            Totals totals = sumLines(lines);
            for (double* t : {&totals.subTotal, &totals.iva, &totals.ieps, &totals.tasa2, &totals.total})
                *t = roundToCents(*t);
            const QString documento = proceso == VentaFactura   ? QStringLiteral("FACTURA")
                                      : proceso == VentaTicket ? QStringLiteral("TICKET")
                                                               : QStringLiteral("REMISION");
            const QString serieInicial = proceso == VentaFactura   ? QStringLiteral("A")
                                         : proceso == VentaTicket ? QStringLiteral("T")
                                                                  : QStringLiteral("R");
            const Folio folio = nextFolio(store, user.company, documento, serieInicial);
            const QString rfcReceptor = cliente->RFC.trimmed().isEmpty() ? kRfcPublicoGeneral
                                                                          : cliente->RFC.trimmed().toUpper();
            const QString metodo = head->metodoPago.isEmpty() ? QStringLiteral("PUE") : head->metodoPago;
            const QString forma = metodo == u"PPD" || head->formaPago.isEmpty() ? QStringLiteral("99") : head->formaPago;
            QString uso = head->usoCfdi;
            if (uso.isEmpty())
                uso = store.scalar(QStringLiteral("SELECT UsoCFDI FROM clientes WHERE NuClienteKorvel = ?"),
                                   {head->nuCliente}, QStringLiteral("G03")).toString();
            const QString moneda = currencyCode(head->nuMoneda);
            const double tipoCambio = head->nuMoneda == 1 ? 1.0 : (head->tipoCambio > 0 ? head->tipoCambio : 1.0);

            QVariant nuTimbre;
            if (proceso == VentaFactura) {
                StampRequest in;
                in.serie = folio.serie;
                in.folio = QString::number(folio.folio);
                in.fecha = now;
                in.formaPago = forma;
                in.rfcEmisor = company.rfc;
                in.rfcReceptor = rfcReceptor;
                in.nuCertificado = company.nuCertificado;
                in.moneda = moneda;
                in.subTotal = totals.subTotal;
                in.total = totals.total;
                nuTimbre = insertStamp(store, in);
            }
            const QString domicilio = address(*cliente);
            const QString entrega = cliente->DomicilioEntrega.trimmed().isEmpty() ? domicilio : cliente->DomicilioEntrega;
            QSqlQuery sale = store.exec(
                QStringLiteral("INSERT INTO ventas (NuEmpresa, NuAlmacen, NuCarro, NuCliente, NuUser, Tipo, Origen, Serie,"
                               " Folio, Fecha, NuMoneda, TipoCambio, SubTotal, Descuento, IVA, IEPS, Tasa2, Total, Credito,"
                               " MetodoPago, FormaPago, UsoCFDI, NuTimbre, Receptor, RFCReceptor, PedNotas, PedEntrega,"
                               " PedDomicilio, PedEntreCalles, PedReferencia, PedCorreo, PedTelefono, PedURLPago,"
                               " PedTokenPago, Latitud, Longitud, NuChofer, EstatusEntrega)"
                               " VALUES (?, ?, ?, ?, ?, ?, 'ADM', ?, ?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?,"
                               " ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                notNull({user.company, almacen, nuCarro, head->nuCliente, user.nuUser, proceso, folio.serie, folio.folio,
                 storeDateTime(now), head->nuMoneda, tipoCambio, totals.subTotal, totals.iva, totals.ieps, totals.tasa2,
                 totals.total, metodo == u"PPD" ? 1 : 0, metodo, forma, uso, nuTimbre, cliente->Nombre, rfcReceptor, head->notas, entrega,
                 domicilio, head->cteCalles, head->cteReferencia,
                 head->cteCorreo.isEmpty() ? cliente->Email : head->cteCorreo,
                 head->cteTelefono.isEmpty() ? cliente->Telefono : head->cteTelefono, head->urlPago, head->tokenPago,
                 cliente->Latitud, cliente->Longitud, head->nuChofer, delivered ? 1 : 0}));
            const int folioVenta = sale.lastInsertId().toInt();

            QSqlQuery lineKeys = store.exec(
                QStringLiteral("SELECT NuCarro_Mov FROM carros_mov WHERE NuCarro = ? ORDER BY NuCarro_Mov"), {nuCarro});
            for (const TDetalle& d : lines) {
                lineKeys.next();
                const std::optional<ProductInfo> product = loadProduct(store, d.NuProducto);
                const double costo = product ? product->costo * d.VUnidades * (product->nuMoneda == 2 ? company.tcVenta : 1.0)
                                             : 0.0;
                store.exec(QStringLiteral("INSERT INTO ventas_mov (FolioVenta, NuCarro_Mov, ID, ClaveProdServ, ClaveUnidad,"
                                          " Unidad, VUnidades, Descripcion, Cantidad, CantidadEnt, ValorUnitario, Importe,"
                                          " Descuento, TasaIVA, IVA, TasaIEPS, IEPS, Tasa2, Total_Tasa2, Total, Costo)"
                                          " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, ?, 0, ?, ?, ?, ?, ?, ?, ?, ?)"),
                           notNull({folioVenta, lineKeys.value(0).toInt(), d.NuProducto,
                            product ? product->claveProdServ : QString(), claveUnidad(store, d.VNuMedida), d.Unidad,
                            d.VUnidades, d.Producto, d.Cantidad, d.Precio, d.SubTotal, d.TasaIVA, d.IVA, d.TasaIEPS,
                            d.IEPS, d.TasaTasa2, d.Total_Tasa2, d.Total, costo}));
            }

            // Every sale of an order is a document of the client's account
            // until its payment is registered: a cash sale (PUE) is due at
            // once, a credit sale (PPD) after the client's credit days.
            const int dias = metodo == u"PPD"
                                 ? store.scalar(QStringLiteral("SELECT DiasCredito FROM clientes WHERE NuClienteKorvel = ?"),
                                                {head->nuCliente}, 0).toInt()
                                 : 0;
            const QString kindText = proceso == VentaFactura   ? QStringLiteral("Factura")
                                     : proceso == VentaTicket ? QStringLiteral("Ticket")
                                                              : QStringLiteral("Remisión");
            const QString folioText = folio.serie.isEmpty() ? QString::number(folio.folio)
                                                            : folio.serie + QLatin1Char('-') + QString::number(folio.folio);
            const QString uuid = nuTimbre.isValid()
                                     ? store.scalar(QStringLiteral("SELECT UUID FROM timbres WHERE NuTimbre = ?"), {nuTimbre}).toString()
                                     : QString();
            store.exec(QStringLiteral("INSERT INTO cliente_movs (NuEmpresa, NuCliente, Tipo, FolioVenta, NuPedido, Fecha,"
                                      " FechaVence, NuMoneda, TipoCambio, Descripcion, FolioUnico, SerieFactura, FolioFactura,"
                                      " SerieTicket, FolioTicket, SerieRemision, FolioRemision, ImporteOriginal, ImporteDeuda,"
                                      " UUID) VALUES (?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                       notNull({user.company, head->nuCliente, folioVenta, nuCarro, storeDate(now.date()),
                        storeDate(now.date().addDays(dias)), head->nuMoneda, tipoCambio,
                        kindText + QLatin1Char(' ') + folioText + QStringLiteral(" del pedido ") + QString::number(nuCarro),
                        folioText, proceso == VentaFactura ? folio.serie : QString(),
                        proceso == VentaFactura ? folio.folio : 0, proceso == VentaTicket ? folio.serie : QString(),
                        proceso == VentaTicket ? folio.folio : 0, proceso == VentaRemision ? folio.serie : QString(),
                        proceso == VentaRemision ? folio.folio : 0, totals.total, totals.total, uuid}));

            for (auto it = needed.cbegin(); it != needed.cend(); ++it) {
                store.exec(QStringLiteral("INSERT OR IGNORE INTO existencias (NuAlmacen, ID, Existencia) VALUES (?, ?, 0)"),
                           {almacen, it.key()});
                store.exec(QStringLiteral("UPDATE existencias SET Existencia = Existencia - ? WHERE NuAlmacen = ? AND ID = ?"),
                           {it.value(), almacen, it.key()});
            }
            store.exec(QStringLiteral("UPDATE carros SET NuPaso = 2, FolioVenta = ?, Modificado = ? WHERE NuCarro = ?"),
                       {folioVenta, storeDateTime(now), nuCarro});
            outcome.folioVenta = folioVenta;
        });
    } catch (const SandboxFault& f) {
        return refuse(ProcesarIncompleto, f.text());
    }
    outcome.code = delivered ? ProcesarExitoso : ProcesarGeneradoSinEntrega;
    if (!delivered)
        outcome.reason = QStringLiteral("La venta %1 se generó, pero no puede enviarse: ").arg(outcome.folioVenta) + noAddress;
    return outcome;
}

} // namespace korvel::sandbox
