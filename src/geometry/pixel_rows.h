// What the geometry kernels share: the formats they accept, the row tables they walk, and a
// pixel copy of fixed size so that the inner loops compile to plain moves.
#pragma once

#include "document/bitmap.h"
#include "document/kernel_result.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace tavlo::geometry {

// 8, 24 and 32 bits per pixel are moved as they lie; everything else is refused.
inline bool movablePixels(const Bitmap& bitmap) {
    return isOneOf(bitmap.format(), {PixelFormat::Bit8, PixelFormat::Bit24, PixelFormat::Bit32});
}

inline std::vector<const std::uint8_t*> rowTable(const Bitmap& bitmap) {
    std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(bitmap.height()));
    for (int y = 0; y < bitmap.height(); ++y)
        rows[y] = bitmap.row(y);
    return rows;
}

inline std::vector<std::uint8_t*> writableRowTable(Bitmap& bitmap) {
    std::vector<std::uint8_t*> rows(static_cast<std::size_t>(bitmap.height()));
    std::uint8_t* const bottom = bitmap.bottomUpData();
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(bitmap.stride());
    for (int y = 0; y < bitmap.height(); ++y)
        rows[y] = bottom + (bitmap.height() - 1 - y) * stride;
    return rows;
}

// A result of the source's format and palette whose every pixel the kernel writes (the bitmap
// itself zeroes the row padding).
inline Bitmap resultFor(const Bitmap& source, int width, int height) {
    return Bitmap::uninitialised(width, height, source.format(), source.palette());
}

// A white result of the source's format and palette, for kernels that leave pixels unreached.
inline Bitmap whiteResultFor(const Bitmap& source, int width, int height) {
    return Bitmap(width, height, source.format(), source.palette());
}

template <int Bytes> inline void copyPixel(std::uint8_t* to, const std::uint8_t* from) {
    std::memcpy(to, from, Bytes);
}

// Calls body.template operator()<Bytes>() with the pixel size of a movable format.
template <typename Body> decltype(auto) withPixelSize(PixelFormat format, Body&& body) {
    switch (format) {
    case PixelFormat::Bit8:
        return body.template operator()<1>();
    case PixelFormat::Bit24:
        return body.template operator()<3>();
    default:
        return body.template operator()<4>();
    }
}

} // namespace tavlo::geometry
