// Trimming to an inclusive rectangle, and where the wallpaper frame first sits.
#pragma once

#include "document/kernel_result.h"
#include "geometry_parameters.h"

#include <optional>

namespace tavlo {

// True when the rectangle is non-empty and lies wholly inside the image. The dialogs that set a
// rectangle are modeless, so the image may have changed under it since.
bool trimRectFits(const Bitmap& image, const TrimRect& rect);

// The pixels inside the rectangle, in the source's format and palette. Refuses formats other than
// 8, 24 and 32 bits; throws InvalidBitmapSizeError for an empty image and std::out_of_range for a
// rectangle that does not fit.
KernelResult trimBitmap(const Bitmap& source, const TrimRect& rect);

// The wallpaper frame of the given size as the dialog first places it, centred with the
// dialog's rounding; nothing when the image is smaller than the frame.
std::optional<TrimRect> centredWallpaperRect(int imageWidth, int imageHeight, WallpaperSize size);

// The frame with its top-left corner at (left, top); nothing when it would leave the image.
std::optional<TrimRect> placedWallpaperRect(int imageWidth, int imageHeight, WallpaperSize size,
                                            int left, int top);

// The frame the parameters ask for, centred or placed; nothing when it does not fit.
std::optional<TrimRect> wallpaperRect(int imageWidth, int imageHeight,
                                      const WallpaperParameters& parameters);

} // namespace tavlo
