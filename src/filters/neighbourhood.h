// The 3×3 window shared by the convolution and the median: three source rows (above, own,
// below) whose addresses move down one row per output row, and edge replication, so a pixel
// beyond an edge reads as the edge pixel itself.
#pragma once

#include "document/bitmap.h"
#include "document/pixel_convert.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tavlo {

struct WindowRows {
    const std::uint8_t* above;
    const std::uint8_t* own;
    const std::uint8_t* below;
};

inline WindowRows windowRows(const Bitmap& source, int y) {
    return {source.row(std::max(y - 1, 0)), source.row(y),
            source.row(std::min(y + 1, source.height() - 1))};
}

// The nine bytes of one channel around 24-bit pixel x, in kernel order (row above left to right,
// own row, row below). `channel` is the byte within the pixel: 0 blue, 1 green, 2 red.
inline std::array<int, 9> windowBytes(const WindowRows& rows, int x, int width, int channel) {
    const int left = 3 * std::max(x - 1, 0) + channel;
    const int centre = 3 * x + channel;
    const int right = 3 * std::min(x + 1, width - 1) + channel;
    return {rows.above[left], rows.above[centre], rows.above[right],
            rows.own[left],   rows.own[centre],   rows.own[right],
            rows.below[left], rows.below[centre], rows.below[right]};
}

// The source as 24 bits per pixel: the image itself when it already is, else a converted copy.
inline Bitmap as24Bit(const Bitmap& source) {
    return source.format() == PixelFormat::Bit24 ? source : convertedTo(source, PixelFormat::Bit24);
}

// A 24-bit result to be filled pixel by pixel (the bitmap zeroes the row padding itself).
inline Bitmap newResult24(int width, int height) {
    return Bitmap::uninitialised(width, height, PixelFormat::Bit24);
}

} // namespace tavlo
