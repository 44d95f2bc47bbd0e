// The document steps of each geometry command, shared by the main window and the batch tool:
// the undo copy, the kernel, the new working image and the information window's caption.
// Cursor, redraw, beep and the modified flag are the caller's. A result above the pixel limit
// (PixelLimitError) or a lack of memory (std::bad_alloc) is thrown with the document unchanged.
#pragma once

#include "document/operation_status.h"
#include "geometry_parameters.h"
#include "resize.h"

namespace tavlo {

// Takes the undo copy also when the kernel then refuses the format.
OperationStatus runQuarterTurn(Document& document, TurnMode mode);

// The size the size menu asks for, from the working image's own size.
ImageSize requestedSize(const Document& document, int divisor, ImageSize target);
// The size must pass resizeRefusal. Every format is accepted and kept.
void runResize(Document& document, ImageSize size);

// Angles of 0 and beyond ±179 leave everything as it is.
bool rotationApplies(int degrees);
OperationStatus runRotation(Document& document, int degrees);

// A strength of 0, beyond ±1 or an unknown mode leaves everything as it is.
bool deformationApplies(DeformMode mode, float amount);
OperationStatus runDeformation(Document& document, DeformMode mode, float amount);

// The rectangle must fit the working image (trimRectFits) unless the image is empty.
OperationStatus runTrim(Document& document, const TrimRect& rect);

} // namespace tavlo
