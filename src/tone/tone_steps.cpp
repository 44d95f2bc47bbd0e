#include "tone_steps.h"

#include "colour_tone.h"
#include "contrast.h"
#include "gamma.h"
#include "tone_curve.h"
#include "vividness.h"

#include <utility>

namespace tavlo {

namespace {

// With no undo copy to keep (the batch tool), a 24-bit working image is mapped where it lies, so
// that a chain of table operations costs their passes and no new image each; otherwise the
// kernel builds a new one, converting or refusing other formats as it does.
template <class Tables, class Kernel>
OperationStatus mapWorkImage(Document& document, Tables&& tables, Kernel&& kernel) {
    Bitmap& image = document.workImage;
    if (document.keepsUndoCopy || image.empty() || image.format() != PixelFormat::Bit24)
        return applyKernel(document, kernel(std::as_const(image)));
    mapChannelRows(image, image, tables());
    return OperationStatus::Done;
}

} // namespace

OperationStatus runToneCurve(Document& document, const ToneCurve& curve) {
    document.takeUndoCopy();
    return mapWorkImage(
        document, [&] { return toneCurveTables(curve); },
        [&](const Bitmap& image) { return toneCurveBitmap(image, curve); });
}

OperationStatus runColourTone(Document& document, const ColourToneParameters& parameters) {
    const auto& offsets = parameters.offsets;
    return mapWorkImage(
        document, [&] { return colourToneTables(offsets); },
        [&](const Bitmap& image) { return colourToneBitmap(image, offsets); });
}

OperationStatus runContrast(Document& document, const ContrastParameters& parameters) {
    const std::int32_t c = parameters.contrast, b = parameters.brightness;
    const ContrastSettings settings{.contrast = {c, c, c}, .brightness = {b, b, b}};
    document.takeUndoCopy();
    return mapWorkImage(
        document, [&] { return contrastTables(settings); },
        [&](const Bitmap& image) { return contrastBitmap(image, settings); });
}

OperationStatus runVividness(Document& document, const VividParameters& parameters) {
    document.takeUndoCopy();
    return applyKernel(document, vividBitmap(std::as_const(document.workImage), parameters.amount));
}

OperationStatus runGamma(Document& document, const GammaParameters& parameters) {
    const std::int32_t amount = parameters.amount;
    document.takeUndoCopy();
    return mapWorkImage(
        document, [&] { return gammaTables(amount); },
        [&](const Bitmap& image) { return gammaBitmap(image, amount); });
}

} // namespace tavlo
