// The system clipboard's bitmaps.
#pragma once

#include "document/bitmap.h"

#include <optional>

namespace tavlo {

bool clipboardHasBitmap();
// A copy of the image at full size, in its own pixel format where Qt has one (with its palette).
void copyToClipboard(const tavlo::Bitmap& image);
// The clipboard's bitmap in the device format, or nothing when it holds none.
std::optional<tavlo::Bitmap> bitmapFromClipboard();

} // namespace tavlo
