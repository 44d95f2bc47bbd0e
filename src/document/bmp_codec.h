// BMP files: every depth a Windows BMP can hold in, 8, 24 and 32 bpp out.
#pragma once

#include "decode_result.h"
#include "large_buffer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tavlo {

// The largest BMP file an image within kMaxPixels can need: four bytes a pixel (32-bit rows, and
// RLE at its worst, two bytes a pixel and two more at each row's end), with room for the headers,
// the palette and a trailing colour profile.
inline constexpr std::uint64_t kMaxBmpFileBytes = 4 * kMaxPixels + (std::uint64_t{16} << 20);

// Decodes a whole BMP file held in memory. The pixel format follows the file: 1, 4 and 8 bpp
// keep their palette (RLE4 and RLE8 included); 16 bpp is Bit15 without masks, Bit16 with 5-6-5
// masks and Custom with any other masks; 24 bpp is Bit24; 32 bpp is Bit32 without masks and
// Custom with masks (held as B,G,R,X). Malformed or oversized files are refused; throws
// std::bad_alloc when memory runs out.
DecodeResult decodeBmp(std::span<const std::uint8_t> file);
// The same, but a plain bottom-up file lends its pixel block to the bitmap instead of copying it:
// the file buffer lives on as the bitmap's pixels until one is changed.
DecodeResult decodeBmp(std::shared_ptr<ByteBuffer> file);

// A BMP file as two pieces: the headers (and palette), then the bitmap's own pixel block, which
// already has the file's row order and padding. Written with a 40-byte header; the bitmap must
// be Bit8 (palette written), Bit24 or Bit32.
struct BmpFileParts {
    std::string header;
    std::span<const std::uint8_t> pixels;
};
BmpFileParts encodeBmp(const Bitmap& bitmap);

} // namespace tavlo
