#include "server/Operations.h"
#include "server/Sandbox.h"

namespace korvel::sandbox {

void registerCollectionOperations(Sandbox&)
{
}

} // namespace korvel::sandbox
