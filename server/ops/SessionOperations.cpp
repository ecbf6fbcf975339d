#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerSessionOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
