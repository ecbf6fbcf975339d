#include "server/collections/CfdiRecords.h"

#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/collections/FiscalStamp.h"

#include <QSqlQuery>

namespace korvel::sandbox {
namespace {

const QString kPublicoGeneralRfc = QStringLiteral("XAXX010101000");

struct Issuer {
    QString nombre, rfc, regimen, lugar, certificado;
};

Issuer issuer(Store& store, int company)
{
    Issuer i;
    QSqlQuery q = store.exec(QStringLiteral("SELECT Nombre, RFC, RegimenFiscal, LugarExpedicion, NuCertificado"
                                            " FROM empresas WHERE NuEmpresa = ?"),
                             {company});
    if (q.next()) {
        i.nombre = q.value(0).toString();
        i.rfc = q.value(1).toString();
        i.regimen = q.value(2).toString();
        i.lugar = q.value(3).toString();
        i.certificado = q.value(4).toString();
    }
    return i;
}

struct Receiver {
    QString nombre, rfc;
};

Receiver receiver(Store& store, int client)
{
    Receiver r;
    QSqlQuery q = store.exec(QStringLiteral("SELECT Nombre, RFC FROM clientes WHERE NuClienteKorvel = ?"), {client});
    if (q.next()) {
        r.nombre = q.value(0).toString();
        r.rfc = q.value(1).toString();
    }
    return r;
}

// Fills the stamp fields from `timbres`; false when the row is missing.
bool applyStamp(Store& store, const QVariant& nuTimbre, TCFDI& c)
{
    if (nuTimbre.isNull())
        return false;
    QSqlQuery q = store.exec(QStringLiteral("SELECT UUID, Version, VersionTim, Fecha, FechaTimbrado, TipoDeComprobante,"
                                            " NuCertificado, NuCertificadoSAT, RFCPAC, Sello, SelloSAT, SelloCFD, Cadena,"
                                            " CadenaTim, QRCode, QRCodeMin FROM timbres WHERE NuTimbre = ?"),
                             {nuTimbre});
    if (!q.next())
        return false;
    c.UUID = q.value(0).toString();
    c.Version = q.value(1).toString();
    c.VersionTim = q.value(2).toString();
    if (!q.value(3).toString().isEmpty())
        c.Fecha = q.value(3).toString();
    c.FechaTimbrado = q.value(4).toString();
    c.TipoDeComprobante = q.value(5).toString();
    if (!q.value(6).toString().isEmpty())
        c.NuCertificado = q.value(6).toString();
    c.NuCertificadoSAT = q.value(7).toString();
    c.RFCPAC = q.value(8).toString();
    c.Sello = q.value(9).toString();
    c.SelloSAT = q.value(10).toString();
    c.SelloCFD = q.value(11).toString().isEmpty() ? c.Sello : q.value(11).toString();
    c.Cadena = q.value(12).toString();
    c.CadenaTim = q.value(13).toString();
    c.QRCode = q.value(14).toString();
    c.QRCodeMin = q.value(15).toString();
    // Stamps loaded from elsewhere may come without their QR text.
    if (c.QRCode.isEmpty())
        c.QRCode = verificationAddress(c.UUID, c.RFCEMISOR, c.RFCRECEPTOR, c.Total, c.Sello);
    if (c.QRCodeMin.isEmpty())
        c.QRCodeMin = c.QRCode;
    return true;
}

QString currencyText(int nuMoneda)
{
    return nuMoneda == 1 ? QStringLiteral("MXN") : QStringLiteral("USD");
}

} // namespace

std::optional<int> findSaleDocument(Store& store, int company, const QString& serie, int folio)
{
    if (folio <= 0)
        return std::nullopt;
    QVariant found;
    if (serie.trimmed().compare(u"NUPEDIDO", Qt::CaseInsensitive) == 0) {
        found = store.scalar(QStringLiteral("SELECT FolioVenta FROM ventas WHERE NuEmpresa = ? AND FolioVenta = ?"),
                             {company, folio});
        if (found.isNull())
            found = store.scalar(QStringLiteral("SELECT FolioVenta FROM ventas WHERE NuEmpresa = ? AND NuCarro = ?"
                                                " ORDER BY Cancelada, FolioVenta DESC LIMIT 1"),
                                 {company, folio});
    } else {
        found = store.scalar(QStringLiteral("SELECT FolioVenta FROM ventas WHERE NuEmpresa = ? AND Serie = ? COLLATE NOCASE"
                                            " AND Folio = ? ORDER BY (Tipo = 2) DESC, Cancelada, FolioVenta DESC LIMIT 1"),
                             {company, serie.trimmed(), folio});
    }
    if (found.isNull())
        return std::nullopt;
    return found.toInt();
}

std::optional<int> findReceiptDocument(Store& store, int company, const QString& serie, int folio)
{
    if (folio <= 0)
        return std::nullopt;
    QVariant found;
    if (serie.trimmed().compare(u"NUCLIENTE_MOV", Qt::CaseInsensitive) == 0)
        found = store.scalar(QStringLiteral("SELECT NuAbono FROM abonos WHERE NuEmpresa = ? AND NuAbono = ?"),
                             {company, folio});
    else
        found = store.scalar(QStringLiteral("SELECT NuAbono FROM abonos WHERE NuEmpresa = ? AND SerieCobranza = ? COLLATE NOCASE"
                                            " AND FolioAbono = ? ORDER BY Cancelado, NuAbono DESC LIMIT 1"),
                             {company, serie.trimmed(), folio});
    if (found.isNull())
        return std::nullopt;
    return found.toInt();
}

TCFDI saleCfdi(Store& store, int folioVenta)
{
    TCFDI c;
    QSqlQuery v = store.exec(
        QStringLiteral("SELECT NuEmpresa, NuCliente, Tipo, Serie, Folio, Fecha, NuMoneda, TipoCambio, SubTotal, Descuento,"
                       " IVA, IEPS, Tasa2, Total, MetodoPago, FormaPago, UsoCFDI, NuTimbre, Receptor, RFCReceptor,"
                       " PedNotas, PedEntrega, PedDomicilio, PedEntreCalles, PedReferencia, PedCorreo, PedTelefono,"
                       " PedURLPago, PedTokenPago, NuWeb, Latitud, Longitud, NuCarro, EstatusEntrega"
                       " FROM ventas WHERE FolioVenta = ?"),
        {folioVenta});
    if (!v.next())
        return c;
    const int company = v.value(0).toInt();
    const int client = v.value(1).toInt();
    const int tipo = v.value(2).toInt();
    const Issuer e = issuer(store, company);
    const Receiver r = receiver(store, client);

    c.Fecha = v.value(5).toString();
    c.Serie = v.value(3).toString();
    c.Folio = QString::number(v.value(4).toInt());
    c.Version = QStringLiteral("4.0");
    c.LugarExpedicion = e.lugar;
    c.FormaPago = v.value(15).toString();
    c.MetodoPago = v.value(14).toString();
    c.NuMoneda = v.value(6).toInt();
    c.Moneda = currencyText(c.NuMoneda);
    c.TipoCambio = c.NuMoneda == 1 ? 1.0 : v.value(7).toDouble();
    c.TipoDeComprobante = QStringLiteral("I");
    c.NuCertificado = e.certificado;
    c.EMISOR = e.nombre;
    c.RFCEMISOR = e.rfc;
    c.RegimenFiscal = e.regimen;
    c.RECEPTOR = v.value(18).toString().isEmpty() ? r.nombre : v.value(18).toString();
    c.RFCRECEPTOR = v.value(19).toString().isEmpty() ? r.rfc : v.value(19).toString();
    if (c.RFCRECEPTOR.isEmpty())
        c.RFCRECEPTOR = kPublicoGeneralRfc;
    c.USOCFDI = v.value(16).toString();
    c.SubTotal = v.value(8).toDouble();
    c.Descuento = v.value(9).toDouble();
    c.IVA = v.value(10).toDouble();
    c.IEPS = v.value(11).toDouble();
    c.Impuestos = c.IVA + c.IEPS + v.value(12).toDouble();
    c.Total = v.value(13).toDouble();
    c.NuPedido = folioVenta;
    c.NuCliente = client;
    c.PedNotas = v.value(20).toString();
    c.PedEntrega = v.value(21).toString();
    c.PedDomicilio = v.value(22).toString();
    c.PedEntreCalles = v.value(23).toString();
    c.PedReferencia = v.value(24).toString();
    c.PedCorreo = v.value(25).toString();
    c.PedTelefono = v.value(26).toString();
    c.PedURLPago = v.value(27).toString();
    c.PedTokenPago = v.value(28).toString();
    c.NuWeb = v.value(29).toInt();
    c.Latitud = v.value(30).toDouble();
    c.Longitud = v.value(31).toDouble();
    c.NuCarro = v.value(32).toInt();
    c.PedNuEstado = v.value(33).toInt();
    c.NuCliente_Mov = store.scalar(QStringLiteral("SELECT NuCliente_Mov FROM cliente_movs WHERE FolioVenta = ?"
                                                  " ORDER BY NuCliente_Mov LIMIT 1"),
                                   {folioVenta}, 0)
                          .toInt();
    if (tipo == 5)
        c.FechaTimbrado = QStringLiteral("TICKET");
    else if (tipo == 6)
        c.FechaTimbrado = QStringLiteral("REMISION");
    else
        applyStamp(store, v.value(17), c);

    QSqlQuery m = store.exec(
        QStringLiteral("SELECT m.ClaveProdServ, m.ID, m.Cantidad, m.CantidadEnt, m.ClaveUnidad, m.Unidad, m.Descripcion,"
                       " m.ValorUnitario, m.Importe, m.Descuento, m.NuCarro_Mov, IFNULL(p.Barcode1, ''),"
                       " IFNULL(p.Barcode2, ''), IFNULL(p.Barcode3, ''), IFNULL(p.Barcode4, ''), IFNULL(p.ClaveProdServ, '')"
                       " FROM ventas_mov m LEFT JOIN productos p ON p.ID = m.ID"
                       " WHERE m.FolioVenta = ? ORDER BY m.NuVenta_Mov"),
        {folioVenta});
    while (m.next()) {
        TConcepto k;
        k.ClaveProdServ = m.value(0).toString().isEmpty() ? m.value(15).toString() : m.value(0).toString();
        k.NoIdentificacion = m.value(1).toString();
        k.Cantidad = m.value(2).toDouble();
        k.CantidadEnt = m.value(3).toDouble();
        k.ClaveUnidad = m.value(4).toString();
        k.Unidad = m.value(5).toString();
        k.Descripcion = m.value(6).toString();
        k.ValorUnitario = m.value(7).toDouble();
        k.Importe = m.value(8).toDouble();
        k.Descuento = m.value(9).toDouble();
        k.NuPedido_Mov = m.value(10).toInt();
        k.Barcode1 = m.value(11).toString();
        k.Barcode2 = m.value(12).toString();
        k.Barcode3 = m.value(13).toString();
        k.Barcode4 = m.value(14).toString();
        c.ArrayConcepto.push_back(k);
    }
    c.Count = qint32(c.ArrayConcepto.size());
    if (!c.ArrayConcepto.empty())
        c.PrimerConcepto = c.ArrayConcepto.front().Descripcion;
    return c;
}

TCFDI receiptCfdi(Store& store, int nuAbono)
{
    TCFDI c;
    QSqlQuery a = store.exec(QStringLiteral("SELECT NuEmpresa, NuCliente, SerieCobranza, FolioAbono, Fecha, FechaPago,"
                                            " NuMoneda, TipoCambio, Importe, FormaPago, NumOperacion, NuTimbre, Descripcion"
                                            " FROM abonos WHERE NuAbono = ?"),
                             {nuAbono});
    if (!a.next())
        return c;
    const int company = a.value(0).toInt();
    const int client = a.value(1).toInt();
    const Issuer e = issuer(store, company);
    const Receiver r = receiver(store, client);

    c.Fecha = a.value(4).toString();
    c.Serie = a.value(2).toString();
    c.Folio = QString::number(a.value(3).toInt());
    c.Version = QStringLiteral("4.0");
    c.LugarExpedicion = e.lugar;
    c.FormaPago = a.value(9).toString();
    c.NuMoneda = a.value(6).toInt();
    c.Moneda = currencyText(c.NuMoneda);
    c.TipoCambio = a.value(7).toDouble();
    c.TipoDeComprobante = QStringLiteral("P");
    c.NuCertificado = e.certificado;
    c.EMISOR = e.nombre;
    c.RFCEMISOR = e.rfc;
    c.RegimenFiscal = e.regimen;
    c.RECEPTOR = r.nombre;
    c.RFCRECEPTOR = r.rfc.isEmpty() ? kPublicoGeneralRfc : r.rfc;
    c.USOCFDI = QStringLiteral("CP01");
    c.Total = a.value(8).toDouble();
    c.SubTotal = c.Total;
    c.Monto = c.Total;
    c.FechaPago = a.value(5).toString() + QStringLiteral("T12:00:00");
    c.FormaDePagoP = c.FormaPago;
    c.MonedaP = c.Moneda;
    c.TipoCambioP = c.TipoCambio;
    c.NumOperacion = a.value(10).toString();
    c.NuCliente_Mov = nuAbono;
    c.NuCliente = client;
    applyStamp(store, a.value(11), c);

    QSqlQuery m = store.exec(
        QStringLiteral("SELECT d.UUID, d.SerieFactura, d.FolioFactura, d.SerieTicket, d.FolioTicket, d.SerieRemision,"
                       " d.FolioRemision, d.FolioUnico, d.NuMoneda, m.NumParcialidad, m.ImpSaldoAnt, m.Importe,"
                       " m.ImpSaldoInsoluto, IFNULL(v.MetodoPago, 'PPD'), d.Descripcion, m.ImporteAbono, d.NuCliente_Mov"
                       " FROM abonos_mov m JOIN cliente_movs d ON d.NuCliente_Mov = m.NuCliente_Mov"
                       " LEFT JOIN ventas v ON v.FolioVenta = d.FolioVenta AND d.FolioVenta > 0"
                       " WHERE m.NuAbono = ? ORDER BY m.NuAbono_Mov"),
        {nuAbono});
    while (m.next()) {
        TConcepto k;
        k.ClaveProdServ = QStringLiteral("84111506");
        k.ClaveUnidad = QStringLiteral("ACT");
        k.Unidad = QStringLiteral("Actividad");
        k.Cantidad = 1;
        k.IdDocumento = m.value(0).toString();
        if (m.value(2).toInt() > 0) {
            k.Serie = m.value(1).toString();
            k.Folio = QString::number(m.value(2).toInt());
        } else if (m.value(4).toInt() > 0) {
            k.Serie = m.value(3).toString();
            k.Folio = QString::number(m.value(4).toInt());
        } else if (m.value(6).toInt() > 0) {
            k.Serie = m.value(5).toString();
            k.Folio = QString::number(m.value(6).toInt());
        } else {
            k.Folio = m.value(7).toString();
        }
        const int docCurrency = m.value(8).toInt();
        k.MonedaDR = currencyText(docCurrency);
        // Units of the document currency per unit of the payment currency.
        k.TipoCambioDR = (docCurrency == 1) == (c.NuMoneda == 1) ? 1.0
                         : c.NuMoneda == 1 && c.TipoCambio > 0 ? 1.0 / c.TipoCambio
                                                                : c.TipoCambio;
        k.MetodoDePagoDR = m.value(13).toString().isEmpty() ? QStringLiteral("PPD") : m.value(13).toString();
        k.NumParcialidad = m.value(9).toInt();
        k.ImpSaldoAnt = m.value(10).toDouble();
        k.ImpPagado = m.value(11).toDouble();
        k.ImpSaldoInsoluto = m.value(12).toDouble();
        k.Descripcion = m.value(14).toString().isEmpty() ? QStringLiteral("Pago") : m.value(14).toString();
        k.ValorUnitario = m.value(15).toDouble();
        k.Importe = m.value(15).toDouble();
        k.NuPedido_Mov = m.value(16).toInt();
        c.ArrayConcepto.push_back(k);
    }
    c.Count = qint32(c.ArrayConcepto.size());
    if (!c.ArrayConcepto.empty())
        c.PrimerConcepto = QStringLiteral("Pago de ") + c.ArrayConcepto.front().Serie + c.ArrayConcepto.front().Folio;
    return c;
}

} // namespace korvel::sandbox
