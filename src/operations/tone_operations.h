// The tone operations the batch tool runs by name.
#pragma once

#include "operations/operation_table.h"
#include "tone/tone_parameters.h"

#include <string_view>
#include <vector>

namespace tavlo {

std::vector<OperationSpec> toneOperations();

// "CH,P2,P3,L0,L1,L2,L3" within the dialog's limits (1 ≤ P2 < P3 ≤ 254), or the name of a .tvl
// file. Throws OperationArgumentError naming the faulty word or file.
ToneCurve parseToneCurveArgument(std::string_view argument);

} // namespace tavlo
