#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerOrderOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
