#include "server/collections/DocumentPdf.h"

#include "server/PdfDocument.h"
#include "server/TextHelpers.h"
#include "server/collections/PaymentForms.h"

namespace korvel::sandbox {
namespace {

using Align = PdfDocument::Align;

QString quantityText(double value)
{
    return QString::number(value, 'g', 15);
}

QString folioLine(const TCFDI& c)
{
    return (c.Serie.isEmpty() || c.Serie == u"0") ? c.Folio : c.Serie + u' ' + c.Folio;
}

bool stamped(const TCFDI& c)
{
    return !c.UUID.isEmpty();
}

void addIssuer(PdfDocument& pdf, const TCFDI& c)
{
    pdf.addHeaderLine(c.EMISOR, true);
    pdf.addHeaderLine(QStringLiteral("RFC: ") + c.RFCEMISOR + QStringLiteral("    Régimen fiscal: ") + c.RegimenFiscal);
    if (!c.LugarExpedicion.isEmpty())
        pdf.addHeaderLine(QStringLiteral("Lugar de expedición: ") + c.LugarExpedicion);
    pdf.addHeaderLine(QStringLiteral("Cliente: ") + c.RECEPTOR, true);
    pdf.addHeaderLine(QStringLiteral("RFC: ") + c.RFCRECEPTOR
                      + (c.USOCFDI.isEmpty() ? QString() : QStringLiteral("    Uso CFDI: ") + c.USOCFDI));
    pdf.addHeaderLine(QStringLiteral("Folio: ") + folioLine(c) + QStringLiteral("    Fecha: ") + c.Fecha);
    pdf.addHeaderLine(stamped(c) ? QStringLiteral("Folio fiscal: ") + c.UUID : QStringLiteral("Sin timbre fiscal"));
}

void addStamp(PdfDocument& pdf, const TCFDI& c)
{
    if (!stamped(c)) {
        pdf.addNote(QStringLiteral("Este documento no es un comprobante fiscal digital."));
        return;
    }
    pdf.addNote(QStringLiteral("Fecha de certificación: ") + c.FechaTimbrado + QStringLiteral("    Certificado SAT: ")
                + c.NuCertificadoSAT + QStringLiteral("    Certificado del emisor: ") + c.NuCertificado
                + QStringLiteral("    RFC del proveedor de certificación: ") + c.RFCPAC);
    pdf.addNote(QStringLiteral("Sello digital del CFDI: ") + c.Sello);
    pdf.addNote(QStringLiteral("Sello del SAT: ") + c.SelloSAT);
    pdf.addNote(QStringLiteral("Cadena original del complemento de certificación del SAT: ") + c.CadenaTim.trimmed());
    pdf.addNote(QStringLiteral("Verificación: ") + c.QRCode);
    pdf.addNote(QStringLiteral("Este documento es una representación impresa de un CFDI."));
}

} // namespace

QByteArray saleDocumentPdf(const TCFDI& c)
{
    QString kind = QStringLiteral("Factura");
    if (c.FechaTimbrado == u"TICKET")
        kind = QStringLiteral("Ticket");
    else if (c.FechaTimbrado == u"REMISION")
        kind = QStringLiteral("Remisión");
    PdfDocument pdf(kind + u' ' + folioLine(c));
    addIssuer(pdf, c);
    pdf.addHeaderLine(QStringLiteral("Moneda: ") + c.Moneda
                      + (c.NuMoneda == 1 ? QString() : QStringLiteral("    Tipo de cambio: ") + quantityText(c.TipoCambio))
                      + QStringLiteral("    Forma de pago: ") + c.FormaPago + u' ' + satPaymentFormName(c.FormaPago)
                      + QStringLiteral("    Método de pago: ") + c.MetodoPago);
    pdf.setColumns({{QStringLiteral("Cant"), 45, Align::Right},
                    {QStringLiteral("Unidad"), 55},
                    {QStringLiteral("Clave"), 70},
                    {QStringLiteral("Descripción"), 220},
                    {QStringLiteral("P. Unitario"), 75, Align::Right},
                    {QStringLiteral("Importe"), 75, Align::Right}});
    for (const TConcepto& k : c.ArrayConcepto)
        pdf.addRow({quantityText(k.Cantidad), k.Unidad, k.NoIdentificacion, k.Descripcion, moneyText(k.ValorUnitario),
                    moneyText(k.Importe)});
    pdf.addTotal(QStringLiteral("Subtotal"), moneyText(c.SubTotal));
    if (c.Descuento > 0.004)
        pdf.addTotal(QStringLiteral("Descuento"), moneyText(c.Descuento));
    pdf.addTotal(QStringLiteral("IVA"), moneyText(c.IVA));
    if (c.IEPS > 0.004)
        pdf.addTotal(QStringLiteral("IEPS"), moneyText(c.IEPS));
    const double other = c.Impuestos - c.IVA - c.IEPS;
    if (other > 0.004)
        pdf.addTotal(QStringLiteral("Otros impuestos"), moneyText(other));
    pdf.addTotal(QStringLiteral("Total ") + c.Moneda, moneyText(c.Total), true);
    addStamp(pdf, c);
    pdf.setFooter(c.EMISOR + QStringLiteral(" - ") + c.RFCEMISOR);
    return pdf.toPdf();
}

QByteArray receiptPdf(const TCFDI& c)
{
    PdfDocument pdf((stamped(c) ? QStringLiteral("Recibo electrónico de pago ") : QStringLiteral("Recibo de pago "))
                    + folioLine(c));
    addIssuer(pdf, c);
    pdf.addHeaderLine(QStringLiteral("Fecha de pago: ") + c.FechaPago.left(10) + QStringLiteral("    Forma de pago: ")
                      + c.FormaDePagoP + u' ' + satPaymentFormName(c.FormaDePagoP));
    pdf.addHeaderLine(QStringLiteral("Moneda: ") + c.MonedaP
                      + (c.NuMoneda == 1 ? QString() : QStringLiteral("    Tipo de cambio: ") + quantityText(c.TipoCambioP))
                      + QStringLiteral("    Num. operación: ") + c.NumOperacion);
    pdf.setColumns({{QStringLiteral("Documento"), 70},
                    {QStringLiteral("Folio fiscal"), 170},
                    {QStringLiteral("Parc."), 35, Align::Right},
                    {QStringLiteral("Saldo anterior"), 80, Align::Right},
                    {QStringLiteral("Pagado"), 80, Align::Right},
                    {QStringLiteral("Saldo insoluto"), 80, Align::Right}});
    for (const TConcepto& k : c.ArrayConcepto)
        pdf.addRow({k.Serie + k.Folio + u' ' + k.MonedaDR, k.IdDocumento, QString::number(k.NumParcialidad),
                    moneyText(k.ImpSaldoAnt), moneyText(k.ImpPagado), moneyText(k.ImpSaldoInsoluto)});
    pdf.addTotal(QStringLiteral("Total pagado ") + c.MonedaP, moneyText(c.Monto), true);
    addStamp(pdf, c);
    pdf.setFooter(c.EMISOR + QStringLiteral(" - ") + c.RFCEMISOR);
    return pdf.toPdf();
}

} // namespace korvel::sandbox
