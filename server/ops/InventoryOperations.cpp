// Inventory count lists. Refusals (unknown or closed list, unknown product
// or line) answer false and keep the reason for UltimoError.

#include "server/Access.h"
#include "server/Operations.h"
#include "server/Sandbox.h"
#include "server/inventory/CountLists.h"

namespace korvel::sandbox {
namespace {

bool answer(Sandbox& sandbox, const CountAnswer& a)
{
    if (!a.ok)
        sandbox.setLastError(a.reason);
    return a.ok;
}

} // namespace

void registerInventoryOperations(Sandbox& sandbox)
{
    auto& registry = sandbox.operations();
    Sandbox* sb = &sandbox;

    registry.on<ops::TI_NuevaLista>([sb](const ops::TI_NuevaLista::Request& rq, ops::TI_NuevaLista::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        const CountAnswer a = newCountList(sb->store(), user, rq.Descripcion);
        rs.result = answer(*sb, a);
        rs.FolioLista = a.number;
    });

    registry.on<ops::TI_Folio>([sb](const ops::TI_Folio::Request& rq, ops::TI_Folio::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        const CountAnswer a = countListStatus(sb->store(), user, rq.FolioLista);
        rs.result = answer(*sb, a);
        rs.Nombre = a.nombre;
        rs.Msg = a.ok ? QStringLiteral("Lista abierta") : a.reason;
    });

    registry.on<ops::TI_NuevaConteo>([sb](const ops::TI_NuevaConteo::Request& rq, ops::TI_NuevaConteo::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        const CountAnswer a = addCount(sb->store(), user, rq.FolioLista, rq.N123, rq.CANTIDAD, rq.UXC, rq.NUMEDIDA);
        rs.result = answer(*sb, a);
        rs.NuMov = a.number;
    });

    registry.on<ops::TI_EliminaConteo>([sb](const ops::TI_EliminaConteo::Request& rq, ops::TI_EliminaConteo::Response& rs) {
        const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
        rs.result = answer(*sb, deleteCount(sb->store(), user, rq.FolioLista, rq.Mov));
    });

    registry.on<ops::TI_ListaTomaInventario>(
        [sb](const ops::TI_ListaTomaInventario::Request& rq, ops::TI_ListaTomaInventario::Response& rs) {
            const SessionUser user = requireUser(*sb, rq.User, rq.Pass);
            rs.result = countLines(sb->store(), user, rq.FolioLista);
        });
}

} // namespace korvel::sandbox
