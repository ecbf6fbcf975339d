#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerHistoryOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
