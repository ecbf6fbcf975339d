// The price authorization queue: the requests of a kind and day, and the
// manager's decision on one of them.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/SandboxFault.h"
#include "server/orders/PriceAuthorization.h"

namespace korvel::sandbox {

void registerAuthorizationOperations(Sandbox& sandbox)
{
    Sandbox* sb = &sandbox;
    auto& ops = sandbox.operations();

    ops.on<ops::Lista_AutorizaPrecioXTipo>([sb](const ops::Lista_AutorizaPrecioXTipo::Request& rq,
                                                ops::Lista_AutorizaPrecioXTipo::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        if (rq.Tipo < 1 || rq.Tipo > 3)
            throw SandboxFault(QStringLiteral("Tipo de lista inválido: %1 (1 requieren, 2 denegados, 3 autorizados)").arg(rq.Tipo));
        const QDate day = dateFromMonthFirst(rq.FechaMDY);
        if (rq.Tipo != 1 && !day.isValid())
            throw SandboxFault(QStringLiteral("Fecha inválida: \"%1\" (mm/dd/aaaa)").arg(rq.FechaMDY.left(40)));
        rs.result = listAuthorizations(sb->store(), user.company, rq.Tipo, day);
    });

    ops.on<ops::AutorizarPrecio>([sb](const ops::AutorizarPrecio::Request& rq, ops::AutorizarPrecio::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        QString reason;
        rs.result = decidePrice(sb->store(), user, rq.NuCarro, rq.NuCarro_Mov, rq.Auth, &reason);
        if (!rs.result)
            sb->setLastError(reason);
    });
}

} // namespace korvel::sandbox
