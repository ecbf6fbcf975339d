#include "server/Schema.h"
#include "server/Store.h"

namespace korvel::sandbox {

void createSchema(Store&)
{
}

} // namespace korvel::sandbox
