#include "server/orders/DocumentPdfs.h"

#include "server/PdfDocument.h"
#include "server/Store.h"
#include "server/TextHelpers.h"
#include "server/collections/CfdiRecords.h"
#include "server/collections/DocumentPdf.h"
#include "server/orders/Company.h"
#include "server/orders/OrderRecords.h"
#include "server/orders/SaleRecord.h"

#include <cmath>

namespace korvel::sandbox {
namespace {

QString stepName(int paso)
{
    static const char* const names[] = {"En Captura", "En Proceso", "Facturado", "Denegado", "Con Error",
                                        "Cancelado X A", "Cancelado X V", "Cancelado X C", "En Cap/Local",
                                        "Cotización"};
    return paso >= 0 && paso <= 9 ? QString::fromUtf8(names[paso]) : QString::fromUtf8(names[0]);
}

QString clientAddress(const TCliente& c)
{
    QStringList parts;
    const QString street = (c.Calle.trimmed() + QLatin1Char(' ') + c.Numero.trimmed()).trimmed();
    for (const QString& p : {street, c.Colonia.trimmed(), c.Ciudad.trimmed(), c.Estado.trimmed()}) {
        if (!p.isEmpty())
            parts.append(p);
    }
    if (!c.CP.trimmed().isEmpty())
        parts.append(QStringLiteral("C.P. ") + c.CP.trimmed());
    return parts.join(QStringLiteral(", "));
}

void companyHeader(PdfDocument& pdf, const CompanyInfo& company)
{
    pdf.addHeaderLine(company.nombre, true);
    if (!company.comercial.isEmpty())
        pdf.addHeaderLine(company.comercial);
    pdf.addHeaderLine(QStringLiteral("RFC: ") + company.rfc);
    if (!company.domicilio.isEmpty())
        pdf.addHeaderLine(company.domicilio);
    QStringList contact;
    if (!company.telefono.isEmpty())
        contact.append(QStringLiteral("Tel. ") + company.telefono);
    if (!company.correo.isEmpty())
        contact.append(company.correo);
    if (!contact.isEmpty())
        pdf.addHeaderLine(contact.join(QStringLiteral("  ")));
}

QString money(double amount, const QString& moneda)
{
    return moneyText(amount) + QLatin1Char(' ') + moneda;
}

} // namespace

QString quantityText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    QString t = QString::number(value, 'f', 6);
    while (t.endsWith(QLatin1Char('0')))
        t.chop(1);
    if (t.endsWith(QLatin1Char('.')))
        t.chop(1);
    return t == u"-0" ? QStringLiteral("0") : t;
}

QByteArray orderPdf(Store& store, int nuEmpresa, int nuCarro, QString* reason)
{
    const std::optional<TPedido> p = loadPedido(store, nuEmpresa, nuCarro, true);
    if (!p) {
        *reason = QStringLiteral("No existe el pedido %1").arg(nuCarro);
        return {};
    }
    const CompanyInfo company = loadCompany(store, nuEmpresa);
    const bool quotation = p->NuPaso == 9;
    const QString moneda = currencyCode(p->NuMoneda);
    PdfDocument pdf((quotation ? QStringLiteral("Cotización ") : QStringLiteral("Pedido ")) + QString::number(p->NuPedido));
    companyHeader(pdf, company);
    pdf.addHeaderLine(QString());
    pdf.addHeaderLine(QStringLiteral("Cliente %1: %2").arg(p->Cliente.NuClienteKorvel).arg(p->Cliente.Nombre), true);
    if (!p->Cliente.RFC.isEmpty())
        pdf.addHeaderLine(QStringLiteral("RFC: ") + p->Cliente.RFC);
    const QString domicilio = clientAddress(p->Cliente);
    if (!domicilio.isEmpty())
        pdf.addHeaderLine(domicilio);
    if (!p->Cliente.DomicilioEntrega.trimmed().isEmpty())
        pdf.addHeaderLine(QStringLiteral("Entregar en: ") + p->Cliente.DomicilioEntrega.trimmed());
    pdf.addHeaderLine(QStringLiteral("Fecha: %1 %2   Entrega: %3   Estado: %4   Moneda: %5")
                          .arg(dayText(p->Fecha.date), p->Hora.time.toString(QStringLiteral("HH:mm")),
                               dayText(p->Fecha_Entrega.date), stepName(p->NuPaso), moneda));
    pdf.addHeaderLine(QStringLiteral("Método de pago: %1   Forma de pago: %2   Uso de CFDI: %3")
                          .arg(p->MetodoPago, p->FormaPago, p->UsoCFDI));
    pdf.setColumns({{QStringLiteral("Cant."), 45, PdfDocument::Align::Right},
                    {QStringLiteral("Unidad"), 55},
                    {QStringLiteral("Clave"), 70},
                    {QStringLiteral("Descripción"), 230},
                    {QStringLiteral("Precio"), 75, PdfDocument::Align::Right},
                    {QStringLiteral("Importe"), 80, PdfDocument::Align::Right}});
    for (const TDetalle& d : p->ArrayDetalle) {
        QString text = d.Producto;
        if (d.REQ_AUTH == u"R")
            text += QStringLiteral(" (precio por autorizar)");
        pdf.addRow({quantityText(d.Cantidad), d.Unidad, d.NuProducto, text, moneyText(d.Precio), moneyText(d.SubTotal)});
    }
    pdf.addTotal(QStringLiteral("Subtotal"), money(p->SubTotal, moneda));
    pdf.addTotal(QStringLiteral("IVA"), money(p->IVA, moneda));
    if (std::fabs(p->IEPS) >= 0.005)
        pdf.addTotal(QStringLiteral("IEPS"), money(p->IEPS, moneda));
    if (std::fabs(p->TASA2) >= 0.005)
        pdf.addTotal(QStringLiteral("Otros impuestos"), money(p->TASA2, moneda));
    pdf.addTotal(QStringLiteral("Total"), money(p->Total, moneda), true);
    if (!p->Notas.trimmed().isEmpty())
        pdf.addNote(QStringLiteral("Notas: ") + p->Notas.trimmed());
    if (quotation)
        pdf.addNote(QStringLiteral("Precios sujetos a cambio sin previo aviso y a la existencia de los productos. "
                                   "Esta cotización es válida por 15 días."));
    pdf.setFooter(company.nombre);
    return pdf.toPdf();
}

QByteArray invoicePdf(Store& store, int nuEmpresa, int folioVenta, QString* reason)
{
    const std::optional<SaleHead> sale = findSale(store, OperationFolio{OperationFolio::Number, folioVenta, {}});
    if (!sale || sale->nuEmpresa != nuEmpresa) {
        *reason = QStringLiteral("No existe la venta %1").arg(folioVenta);
        return {};
    }
    if (sale->cancelada) {
        *reason = QStringLiteral("La venta %1 está cancelada").arg(folioVenta);
        return {};
    }
    if (sale->tipo != 2) {
        *reason = QStringLiteral("La venta %1 no es una factura").arg(folioVenta);
        return {};
    }
    if (!sale->timbrada) {
        *reason = QStringLiteral("La factura de la venta %1 aún no está timbrada").arg(folioVenta);
        return {};
    }
    // The same printed form as the invoice history's.
    return saleDocumentPdf(saleCfdi(store, folioVenta));
}

} // namespace korvel::sandbox
