#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerClientOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
