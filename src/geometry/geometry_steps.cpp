#include "geometry_steps.h"

#include "deform.h"
#include "rotate.h"
#include "trim.h"
#include "turn.h"

#include <utility>

namespace tavlo {

OperationStatus runQuarterTurn(Document& document, TurnMode mode) {
    document.takeUndoCopy();
    const OperationStatus status =
        applyKernel(document, turnBitmap(std::as_const(document.workImage), mode));
    if (status == OperationStatus::Done) document.setChangeCaption(kRotatedGroupCaption);
    return status;
}

ImageSize requestedSize(const Document& document, int divisor, ImageSize target) {
    return resizedSize({document.workImage.width(), document.workImage.height()}, divisor, target);
}

void runResize(Document& document, ImageSize size) {
    document.takeUndoCopy();
    document.imageWidth = size.width;
    document.imageHeight = size.height;
    document.workImage = resizeBitmap(std::as_const(document.workImage), size);
    document.setChangeCaption(kResizedGroupCaption);
}

bool rotationApplies(int degrees) {
    return degrees != 0 && degrees >= kRotationAngle.minimum && degrees <= kRotationAngle.maximum;
}

OperationStatus runRotation(Document& document, int degrees) {
    if (!rotationApplies(degrees)) return OperationStatus::Done;
    document.takeUndoCopy();
    return applyKernel(document, rotateBitmap(std::as_const(document.workImage), degrees));
}

bool deformationApplies(DeformMode mode, float amount) {
    const bool knownMode = mode == DeformMode::KeystoneBoth || mode == DeformMode::KeystoneRight ||
                           mode == DeformMode::KeystoneLeft || mode == DeformMode::Shear;
    return knownMode && amount != 0 && amount >= -1 && amount <= 1;
}

OperationStatus runDeformation(Document& document, DeformMode mode, float amount) {
    if (!deformationApplies(mode, amount)) return OperationStatus::Done;
    document.takeUndoCopy();
    const Bitmap& source = std::as_const(document.workImage);
    return applyKernel(document, mode == DeformMode::Shear ? shearBitmap(source, amount)
                                                      : keystoneBitmap(source, mode, amount));
}

OperationStatus runTrim(Document& document, const TrimRect& rect) {
    document.takeUndoCopy();
    const OperationStatus status =
        applyKernel(document, trimBitmap(std::as_const(document.workImage), rect));
    if (status == OperationStatus::Done) document.setChangeCaption(kTrimmedGroupCaption);
    return status;
}

} // namespace tavlo
