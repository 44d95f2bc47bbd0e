// The document steps of each tone and colour command, shared by the main window and the batch
// tool: the undo copy (all but colour tone), the kernel, and the new working image.
#pragma once

#include "document/operation_status.h"
#include "tone_parameters.h"

#include <array>
#include <cstdint>

namespace tavlo {

OperationStatus runToneCurve(Document& document, const ToneCurve& curve);
// Takes no undo copy: undo goes back past colour-tone steps to the last other operation.
OperationStatus runColourTone(Document& document, const std::array<std::int32_t, 3>& offsets);
OperationStatus runContrast(Document& document, const ContrastSettings& settings);
OperationStatus runVividness(Document& document, std::int32_t amount);
OperationStatus runGamma(Document& document, std::int32_t amount);

} // namespace tavlo
