// Pixel-format conversions and the colour-on-colour stretch.
#pragma once

#include "bitmap.h"

namespace tavlo {

// The fixed 256-colour palette used for 8-bit conversion: a 6×6×6 colour cube followed by 40
// greys that the cube lacks.
const std::vector<PaletteEntry>& halftonePalette();

// Index of the halftone entry nearest to the colour (exact nearest, the first of equals).
std::uint8_t halftoneIndex(Rgb colour);

// A copy of the bitmap in the requested format: 24 bits expands palettes and masks and drops the
// fourth byte; 32 bits does the same with a fourth byte of 0; 8 bits maps every pixel to the
// nearest halftone colour. Converting to the format the bitmap already has returns an exact copy
// (an 8-bit image keeps its own palette). Only Bit8, Bit24 and Bit32 are valid targets.
Bitmap convertedTo(const Bitmap& source, PixelFormat target);

// Converts in place; does nothing when the bitmap already has that format.
void setPixelFormat(Bitmap& bitmap, PixelFormat target);

// Colour-on-colour stretch: destination pixel i takes source pixel i × srcSize div dstSize on each
// axis; nothing is averaged. The result keeps the source's format and palette.
Bitmap stretched(const Bitmap& source, int width, int height);

} // namespace tavlo
