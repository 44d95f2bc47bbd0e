#include "operations/tone_operations.h"

#include "tone/tone_entries.h"

namespace tavlo {

std::vector<OperationSpec> toneOperations() {
    return {batchOperation(kToneCurveEntry), batchOperation(kColourToneEntry),
            batchOperation(kContrastEntry), batchOperation(kVividnessEntry),
            batchOperation(kGammaEntry)};
}

} // namespace tavlo
