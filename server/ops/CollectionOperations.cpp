// Collections: a client's open documents, payments over several of them,
// the invoice and payment history, and the fiscal documents as records and
// PDFs.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"
#include "server/collections/CfdiRecords.h"
#include "server/collections/CobranzaRecords.h"
#include "server/collections/DocumentPdf.h"
#include "server/collections/PaymentRegistration.h"

namespace korvel::sandbox {
namespace {

// How a missing document is named in the refusal: by its series and folio,
// or by the internal number of the lookup.
QString missingDocument(const QString& serie, int folio, const QString& kind)
{
    const QString s = serie.trimmed();
    if (s.compare(u"NUPEDIDO", Qt::CaseInsensitive) == 0)
        return QStringLiteral("No existe la venta %1").arg(folio);
    if (s.compare(u"NUCLIENTE_MOV", Qt::CaseInsensitive) == 0)
        return QStringLiteral("No existe el abono %1").arg(folio);
    return QStringLiteral("No existe %1 %2").arg(kind, s.isEmpty() ? QString::number(folio) : s + u'-' + QString::number(folio));
}

} // namespace

void registerCollectionOperations(Sandbox& sandbox)
{
    auto& registry = sandbox.operations();
    Sandbox* sb = &sandbox;

    registry.on<ops::ListaCliente_Deuda>([sb](const ops::ListaCliente_Deuda::Request& rq, ops::ListaCliente_Deuda::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        if (rq.NuMoneda != 1 && rq.NuMoneda != 2)
            throw SandboxFault(QStringLiteral("La moneda %1 no existe (1 pesos, 2 dólares)").arg(rq.NuMoneda));
        requireClient(sb->store(), user.company, rq.NuCliente);
        rs.result = openDocuments(sb->store(), user.company, rq.NuCliente, rq.NuMoneda);
    });

    registry.on<ops::Cliente_AbonoMultiple>(
        [sb](const ops::Cliente_AbonoMultiple::Request& rq, ops::Cliente_AbonoMultiple::Response& rs) {
            const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
            PaymentRequest p;
            p.movements = rq.NUCLIENTE_MOVS;
            p.nuCorte = rq.NUCORTE;
            p.nuAlmacen = rq.NUALMACEN;
            p.currency = rq.PAGONUMONEDA;
            p.amount = rq.ABONO;
            p.exchangeRate = rq.TCCOBRO;
            p.fechaPago = rq.FECHAPAGO.date;
            p.method = rq.NUMETODOPAGOCOB;
            p.operacion = rq.NUMOPERACION;
            p.descripcion = rq.DESCRIPCION;
            const PaymentReceipt receipt = registerPayment(sb->store(), user, p);
            rs.result = true;
            rs.FOLIOABONO = receipt.folioAbono;
            rs.FOLIOINTERNO = receipt.folioInterno;
        });

    registry.on<ops::ListaCliente_Facturas>(
        [sb](const ops::ListaCliente_Facturas::Request& rq, ops::ListaCliente_Facturas::Response& rs) {
            const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
            requireClient(sb->store(), user.company, rq.NuCliente);
            rs.result = saleDocuments(sb->store(), user.company, rq.NuCliente);
        });

    registry.on<ops::ListaCliente_Pagos>([sb](const ops::ListaCliente_Pagos::Request& rq, ops::ListaCliente_Pagos::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        requireClient(sb->store(), user.company, rq.NuCliente);
        rs.result = payments(sb->store(), user.company, rq.NuCliente);
    });

    registry.on<ops::GeneraClass_Factura>(
        [sb](const ops::GeneraClass_Factura::Request& rq, ops::GeneraClass_Factura::Response& rs) {
            const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
            const std::optional<int> sale = findSaleDocument(sb->store(), user.company, rq.Serie, rq.Folio);
            if (!sale)
                throw SandboxFault(missingDocument(rq.Serie, rq.Folio, QStringLiteral("el documento")));
            rs.result = saleCfdi(sb->store(), *sale);
        });

    registry.on<ops::GeneraClass_Recibo>([sb](const ops::GeneraClass_Recibo::Request& rq, ops::GeneraClass_Recibo::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        const std::optional<int> receipt = findReceiptDocument(sb->store(), user.company, rq.Serie, rq.Folio);
        if (!receipt)
            throw SandboxFault(missingDocument(rq.Serie, rq.Folio, QStringLiteral("el recibo")));
        rs.result = receiptCfdi(sb->store(), *receipt);
    });

    // A PDF that cannot be made answers no bytes (the screens then say
    // "No hay Datos"); the reason is kept for UltimoError.
    registry.on<ops::GeneraPDF_Factura>([sb](const ops::GeneraPDF_Factura::Request& rq, ops::GeneraPDF_Factura::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        const std::optional<int> sale = findSaleDocument(sb->store(), user.company, rq.Serie, rq.Folio);
        if (!sale) {
            sb->setLastError(missingDocument(rq.Serie, rq.Folio, QStringLiteral("la factura")));
            return;
        }
        rs.result = saleDocumentPdf(saleCfdi(sb->store(), *sale));
    });

    registry.on<ops::GeneraPDF_Recibo>([sb](const ops::GeneraPDF_Recibo::Request& rq, ops::GeneraPDF_Recibo::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        const std::optional<int> receipt = findReceiptDocument(sb->store(), user.company, rq.Serie, rq.Folio);
        if (!receipt) {
            sb->setLastError(missingDocument(rq.Serie, rq.Folio, QStringLiteral("el recibo")));
            return;
        }
        rs.result = receiptPdf(receiptCfdi(sb->store(), *receipt));
    });
}

} // namespace korvel::sandbox
