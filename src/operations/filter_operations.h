// The filter operations the batch tool runs by name.
#pragma once

#include "operations/operation_table.h"

#include <string_view>
#include <vector>

namespace tavlo {

std::vector<OperationSpec> filterOperations();

// A histogram factor as the batch tool takes it: a positive finite decimal number.
float parseHistogramFactor(std::string_view word);

} // namespace tavlo
