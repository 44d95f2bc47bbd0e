#include "geometry_steps.h"

#include "deform.h"
#include "rotate.h"
#include "trim.h"
#include "turn.h"

#include <new>
#include <utility>

namespace tavlo {

namespace {

// The undo copy comes first, as in every command. Should the kernel refuse the size of its result
// or run out of memory, the previous copy comes back, so that the refused command changes nothing.
template <class Kernel> OperationStatus withUndoCopy(Document& document, Kernel&& kernel) {
    Bitmap previous = document.undoImage; // shares its pixels
    document.takeUndoCopy();
    try {
        return applyKernel(document, kernel(std::as_const(document.workImage)));
    } catch (const PixelLimitError&) {
        document.undoImage = std::move(previous);
        throw;
    } catch (const std::bad_alloc&) {
        document.undoImage = std::move(previous);
        throw;
    }
}

} // namespace

OperationStatus runQuarterTurn(Document& document, TurnMode mode) {
    const OperationStatus status =
        withUndoCopy(document, [&](const Bitmap& image) { return turnBitmap(image, mode); });
    if (status == OperationStatus::Done) document.setChangeCaption(kRotatedGroupCaption);
    return status;
}

ImageSize requestedSize(const Document& document, int divisor, ImageSize target) {
    return resizedSize({document.workImage.width(), document.workImage.height()}, divisor, target);
}

void runResize(Document& document, ImageSize size) {
    Bitmap resized = resizeBitmap(std::as_const(document.workImage), size);
    document.takeUndoCopy();
    document.imageWidth = size.width;
    document.imageHeight = size.height;
    document.workImage = std::move(resized);
    document.setChangeCaption(kResizedGroupCaption);
}

bool rotationApplies(int degrees) {
    return degrees != 0 && degrees >= RotationParameters::kAngle.minimum &&
           degrees <= RotationParameters::kAngle.maximum;
}

OperationStatus runRotation(Document& document, int degrees) {
    if (!rotationApplies(degrees)) return OperationStatus::Done;
    return withUndoCopy(document,
                        [&](const Bitmap& image) { return rotateBitmap(image, degrees); });
}

bool deformationApplies(DeformMode mode, float amount) {
    const bool knownMode = mode == DeformMode::KeystoneBoth || mode == DeformMode::KeystoneRight ||
                           mode == DeformMode::KeystoneLeft || mode == DeformMode::Shear;
    return knownMode && amount != 0 && amount >= -1 && amount <= 1;
}

OperationStatus runDeformation(Document& document, DeformMode mode, float amount) {
    if (!deformationApplies(mode, amount)) return OperationStatus::Done;
    return withUndoCopy(document, [&](const Bitmap& image) {
        return mode == DeformMode::Shear ? shearBitmap(image, amount)
                                         : keystoneBitmap(image, mode, amount);
    });
}

OperationStatus runTrim(Document& document, const TrimRect& rect) {
    const OperationStatus status =
        withUndoCopy(document, [&](const Bitmap& image) { return trimBitmap(image, rect); });
    if (status == OperationStatus::Done) document.setChangeCaption(kTrimmedGroupCaption);
    return status;
}

} // namespace tavlo
