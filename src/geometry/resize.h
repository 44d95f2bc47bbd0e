// Resizing by a fixed divisor or to a typed size: the colour-on-colour stretch, nothing averaged.
#pragma once

#include "document/bitmap.h"
#include "geometry_parameters.h"

#include <string_view>

namespace tavlo {

// The size the size menu asks for: the current size divided by `divisor` (remainder dropped),
// or `target` when the divisor is 0.
ImageSize resizedSize(ImageSize current, int divisor, ImageSize target);

// Why a size cannot be made (a side below 1, or more pixels than a bitmap may hold); empty when
// it can.
std::string_view resizeRefusal(ImageSize size);

// The source stretched to the size, keeping its format and palette; every format is accepted.
// The size must pass resizeRefusal.
Bitmap resizeBitmap(const Bitmap& source, ImageSize size);

inline constexpr std::string_view kResizeTooSmallMessage =
    "変更後の画像の幅または高さが０になるため、サイズ変更できません。";
inline constexpr std::string_view kResizeTooLargeMessage =
    "変更後の画像が大き過ぎるため、サイズ変更できません。";

} // namespace tavlo
