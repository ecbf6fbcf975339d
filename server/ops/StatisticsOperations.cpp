#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerStatisticsOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
