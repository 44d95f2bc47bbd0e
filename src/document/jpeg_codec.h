// JPEG through libjpeg-turbo, full size only.
#pragma once

#include "decode_result.h"

#include <cstdint>
#include <span>
#include <string>

namespace tavlo {

// The largest JPEG file an image within kMaxPixels can need: four components at the longest
// Huffman code for every coefficient take about 13 bytes a pixel, twice that with every byte
// stuffed, and markers take little.
inline constexpr std::uint64_t kMaxJpegFileBytes = 32 * kMaxPixels;

// Decodes a whole JPEG file held in memory: colour (YCbCr, RGB, CMYK, YCCK) to Bit24, greyscale to
// Bit8 with a grey palette. Every library error refuses the file; the library never prints.
// Throws std::bad_alloc when memory runs out.
DecodeResult decodeJpeg(std::span<const std::uint8_t> file);

// Encodes a 24-bit copy of the bitmap with the library's defaults and its standard quality
// scaling at `quality` (1..100, clamped), baseline tables forced; sequential, colour.
// Throws std::bad_alloc when memory runs out, std::runtime_error if the library fails otherwise.
std::string encodeJpeg(const Bitmap& bitmap, int quality);

} // namespace tavlo
