#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerProductOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
