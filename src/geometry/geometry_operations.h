// The geometry operations the batch tool runs by name.
#pragma once

#include "document/operations.h"

#include <vector>

namespace tavlo {

std::vector<OperationSpec> geometryOperations();

} // namespace tavlo
