// The filter operations the batch tool runs by name.
#pragma once

#include "filters/filter_entries.h"
#include "operations/operation_table.h"

#include <vector>

namespace tavlo {

std::vector<OperationSpec> filterOperations();

} // namespace tavlo
