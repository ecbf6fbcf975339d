// Inventory count lists of the demo: open ones being counted, a closed one
// from last month, and one just created without lines.

#include "server/TextHelpers.h"
#include "server/demo/DemoWriter.h"

namespace korvel::sandbox::demo {

void writeInventoryCounts(DemoContext& ctx)
{
    // A sequence of its own, whatever the steps before drew (they depend on the clock).
    ctx.rnd = Random(0x434F4E544FULL);
    Random& rnd = ctx.rnd;
    Inserter listas(ctx.store, QStringLiteral("listas_inv"),
                    {"NuListaInv", "NuEmpresa", "NuAlmacen", "Descripcion", "Fecha", "NuUser", "Abierta"});
    Inserter lineas(ctx.store, QStringLiteral("listas_inv_mov"),
                    {"NuListaInv", "ID", "Cantidad", "UXC", "NuUnidad", "Fecha", "NuUser", "Eliminado"});
    struct L { int company; int almacen; const char* descripcion; int daysAgo; bool open; int lines; int category; };
    const L lists[] = {
        {0, 0, "Conteo cíclico pasillo 3 - Herramienta manual", 1, true, 18, 1},
        {0, 0, "Inventario anual bodega matriz", 34, false, 45, 0},
        {0, 1, "Conteo de abarrotes Celaya", 0, true, 9, 9},
        {0, 0, "Revisión de plomería", 0, true, 0, 3},
        {1, 0, "Conteo semanal bebidas", 2, true, 12, 10},
        {1, 0, "Inventario de cierre de mes", 40, false, 25, 0},
    };
    int folio = 1;
    for (const L& l : lists) {
        const DemoCompany& company = ctx.companies[size_t(l.company)];
        const int user = company.demoUser;
        const QDateTime when(ctx.today.addDays(-l.daysAgo), QTime(9, 15));
        listas.insert({folio, l.company, company.almacenes.value(l.almacen), QString::fromUtf8(l.descripcion),
                       storeDateTime(when), user, l.open ? 1 : 0});
        std::vector<int> candidates;
        for (size_t i = 0; i < ctx.products.size(); ++i)
            if (l.category == 0 || ctx.products[i].nuCategoria == l.category)
                candidates.push_back(int(i));
        for (int k = 0; k < l.lines && !candidates.empty(); ++k) {
            const DemoProduct& p = ctx.products[size_t(candidates[size_t(rnd.range(0, int(candidates.size()) - 1))])];
            const bool box = p.uxc[1] != 1 && rnd.chance(0.4);
            lineas.insert({folio, p.id, double(rnd.range(1, box ? 12 : 80)), box ? p.uxc[1] : 1.0,
                           box ? p.nuUnidad[1] : p.nuUnidad[0], storeDateTime(when.addSecs(90 * k)), user,
                           k == 4 ? 1 : 0});
        }
        ++folio;
    }
}

} // namespace korvel::sandbox::demo
