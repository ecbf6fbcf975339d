#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerAuthorizationOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
