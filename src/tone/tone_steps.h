// The document steps of each tone and colour command, shared by the main window and the batch
// tool: the undo copy (all but colour tone), the kernel, and the new working image.
#pragma once

#include "document/operation_status.h"
#include "tone_parameters.h"

namespace tavlo {

OperationStatus runToneCurve(Document& document, const ToneCurve& curve);
// Takes no undo copy: undo goes back past colour-tone steps to the last other operation.
OperationStatus runColourTone(Document& document, const ColourToneParameters& parameters);
OperationStatus runContrast(Document& document, const ContrastParameters& parameters);
OperationStatus runVividness(Document& document, const VividParameters& parameters);
OperationStatus runGamma(Document& document, const GammaParameters& parameters);

} // namespace tavlo
