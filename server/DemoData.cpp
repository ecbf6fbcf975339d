#include "server/DemoData.h"

#include "server/Store.h"
#include "server/demo/DemoWriter.h"

namespace korvel::sandbox {

void fillDemoData(Store& store)
{
    demo::DemoContext ctx(store);
    ctx.today = QDate::currentDate();
    ctx.historyStart = QDate(ctx.today.year() - 1, 1, 1);
    demo::writeCompanies(ctx);
    demo::writeCatalogue(ctx);
    demo::writeClients(ctx);
    demo::writeHistory(ctx);
    demo::writeRecentOrders(ctx);
    demo::writeInventoryCounts(ctx);
    demo::writeFolios(ctx);
}

} // namespace korvel::sandbox
