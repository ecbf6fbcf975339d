#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerInventoryOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
