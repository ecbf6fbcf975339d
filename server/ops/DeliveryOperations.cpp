// Deliveries and sale review: the sale of an operation folio, the delivery
// registrations, the company's delivery endpoint and the sale review text.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/orders/Deliveries.h"

namespace korvel::sandbox {
namespace {

template <class Response>
void finish(Sandbox* sb, Response& rs, int code, const QString& reason)
{
    rs.result = code;
    if (code != EntregaRegistrada)
        sb->setLastError(reason);
}

} // namespace

void registerDeliveryOperations(Sandbox& sandbox)
{
    Sandbox* sb = &sandbox;
    auto& ops = sandbox.operations();

    ops.on<ops::BuscarFolioVentaCFDI>([sb](const ops::BuscarFolioVentaCFDI::Request& rq,
                                           ops::BuscarFolioVentaCFDI::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        int folioVenta = 0;
        int estatus = 0;
        rs.result = searchSale(sb->store(), user, rq.FolioOpera, &folioVenta, &estatus, &rs.CFDI, &reason);
        rs.FolioVenta = folioVenta;
        rs.Estatus = estatus;
        if (rs.result != BuscarEncontrado)
            sb->setLastError(reason);
    });

    ops.on<ops::RegistrarEntrega>([sb](const ops::RegistrarEntrega::Request& rq, ops::RegistrarEntrega::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        const int code = registerDelivery(sb->store(), user, {rq.FolioVenta, rq.Estatus, rq.Notas, {}, false, 0, 0}, &reason);
        finish(sb, rs, code, reason);
    });

    ops.on<ops::RegistrarEntregaFirma>([sb](const ops::RegistrarEntregaFirma::Request& rq,
                                            ops::RegistrarEntregaFirma::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        const int code =
            registerDelivery(sb->store(), user, {rq.FolioVenta, rq.Estatus, rq.Notas, rq.Firma, false, 0, 0}, &reason);
        finish(sb, rs, code, reason);
    });

    ops.on<ops::RegistrarEntregaFirmaCoord>([sb](const ops::RegistrarEntregaFirmaCoord::Request& rq,
                                                 ops::RegistrarEntregaFirmaCoord::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        const int code = registerDelivery(
            sb->store(), user, {rq.FolioVenta, rq.Estatus, rq.Notas, rq.Firma, true, rq.Latitud, rq.Longitud}, &reason);
        finish(sb, rs, code, reason);
    });

    ops.on<ops::RevisionVentaBasicoJSon>([sb](const ops::RevisionVentaBasicoJSon::Request& rq,
                                              ops::RevisionVentaBasicoJSon::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        rs.result = saleReviewText(sb->store(), user, rq.Folio, &rs.Msg);
        if (!rs.Msg.isEmpty())
            sb->setLastError(rs.Msg);
    });

    sandbox.addPost(QStringLiteral("/entregas/"), [sb](const QString& rest, const QByteArray& body) {
        return receiveDeliveryPost(sb->store(), rest, body);
    });
}

} // namespace korvel::sandbox
