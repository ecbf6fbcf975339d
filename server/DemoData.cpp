#include "server/DemoData.h"
#include "server/Store.h"

namespace korvel::sandbox {

void fillDemoData(Store&)
{
}

} // namespace korvel::sandbox
