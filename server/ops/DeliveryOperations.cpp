#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerDeliveryOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
