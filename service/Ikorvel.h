#pragma once
// The service as the rest of the program sees it: records, operations and the
// typed proxy `Ikorvel`.

#include "IkorvelOperations.h"
#include "IkorvelProxy.h"
#include "IkorvelRecords.h"
#include "service/RecordHelpers.h"
#include "service/ServiceError.h"
