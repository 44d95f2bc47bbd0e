// The tone operations the batch tool runs by name.
#pragma once

#include "operations/operation_table.h"

#include <vector>

namespace tavlo {

std::vector<OperationSpec> toneOperations();

} // namespace tavlo
