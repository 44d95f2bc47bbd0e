#include "tone_steps.h"

#include "colour_tone.h"
#include "contrast.h"
#include "gamma.h"
#include "tone_curve.h"
#include "vividness.h"

#include <utility>

namespace tavlo {

OperationStatus runToneCurve(Document& document, const ToneCurve& curve) {
    document.takeUndoCopy();
    return applyKernel(document, toneCurveBitmap(std::as_const(document.workImage), curve));
}

OperationStatus runColourTone(Document& document, const std::array<std::int32_t, 3>& offsets) {
    return applyKernel(document, colourToneBitmap(std::as_const(document.workImage), offsets));
}

OperationStatus runContrast(Document& document, const ContrastSettings& settings) {
    document.takeUndoCopy();
    return applyKernel(document, contrastBitmap(std::as_const(document.workImage), settings));
}

OperationStatus runVividness(Document& document, std::int32_t amount) {
    document.takeUndoCopy();
    return applyKernel(document, vividBitmap(std::as_const(document.workImage), amount));
}

OperationStatus runGamma(Document& document, std::int32_t amount) {
    document.takeUndoCopy();
    return applyKernel(document, gammaBitmap(std::as_const(document.workImage), amount));
}

} // namespace tavlo
