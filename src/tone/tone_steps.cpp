#include "tone_steps.h"

#include "colour_tone.h"
#include "contrast.h"
#include "gamma.h"
#include "tone_curve.h"
#include "vividness.h"

#include <utility>

namespace tavlo {

namespace {

OperationStatus finish(Document& document, KernelResult result) {
    return document.applyKernelResult(std::move(result)) ? OperationStatus::Done
                                                         : OperationStatus::UnsupportedFormat;
}

} // namespace

OperationStatus runToneCurve(Document& document, const ToneCurve& curve) {
    document.takeUndoCopy();
    return finish(document, toneCurveBitmap(std::as_const(document.workImage), curve));
}

OperationStatus runColourTone(Document& document, const std::array<std::int32_t, 3>& offsets) {
    return finish(document, colourToneBitmap(std::as_const(document.workImage), offsets));
}

OperationStatus runContrast(Document& document, const ContrastSettings& settings) {
    document.takeUndoCopy();
    return finish(document, contrastBitmap(std::as_const(document.workImage), settings));
}

OperationStatus runVividness(Document& document, std::int32_t amount) {
    document.takeUndoCopy();
    return finish(document, vividBitmap(std::as_const(document.workImage), amount));
}

OperationStatus runGamma(Document& document, std::int32_t amount) {
    document.takeUndoCopy();
    return finish(document, gammaBitmap(std::as_const(document.workImage), amount));
}

} // namespace tavlo
