// JPEG through libjpeg-turbo: full size, or reduced by the DCT for a quick first look.
#pragma once

#include "decode_result.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tavlo {

// The largest JPEG file an image within kMaxPixels can need: four components at the longest
// Huffman code for every coefficient take about 13 bytes a pixel, twice that with every byte
// stuffed, and markers take little.
inline constexpr std::uint64_t kMaxJpegFileBytes = 32 * kMaxPixels;

// The JFIF marker's pixel density: unit 0 gives only the aspect ratio, 1 dots per inch, 2 per cm.
struct JpegDensity {
    int unit = 0;
    int x = 1, y = 1;
    bool operator==(const JpegDensity&) const = default;
};

// What a decoded file says about its pixels besides the pixels themselves.
struct JpegFileFacts {
    std::vector<std::uint8_t> iccProfile; // the embedded profile, empty when there is none
    std::optional<JpegDensity> density;   // set when the file has a JFIF marker
    bool profileApplied = false;          // CMYK turned into sRGB through the profile
};

// How a decode runs. `scaleDenominator` 2, 4 or 8 has libjpeg reduce the picture in its inverse
// DCT to ceil(size / denominator), far faster than a full decode; any other value decodes at
// full size. A decode whose `stop` becomes true gives up between rows and returns `stopped`.
// `topRows` above 0 decodes only that many rows from the top: the image is that tall.
struct JpegDecodeOptions {
    int scaleDenominator = 1;
    const std::atomic<bool>* stop = nullptr;
    int topRows = 0;
};

// The stored picture's width and height, read from the headers alone; nullopt when they do not
// read.
std::optional<std::pair<int, int>> jpegStoredSize(std::span<const std::uint8_t> file);

// Decodes a whole JPEG file held in memory: colour (YCbCr, RGB, CMYK, YCCK) to Bit24, greyscale to
// Bit8 with a grey palette. CMYK goes through the file's CMYK profile to sRGB when it has one.
// Every library error refuses the file; the library never prints. `facts`, when given, receives the
// file's profile and density. Throws std::bad_alloc when memory runs out.
DecodeResult decodeJpeg(std::span<const std::uint8_t> file, JpegFileFacts* facts = nullptr,
                        JpegDecodeOptions options = {});

// Encodes a 24-bit copy of the bitmap with the library's defaults and its standard quality
// scaling at `quality` (1..100, clamped), baseline tables forced; sequential, colour. The JFIF
// marker carries `density` when given, else the library's 1:1.
// Throws std::bad_alloc when memory runs out, std::runtime_error if the library fails otherwise.
std::string encodeJpeg(const Bitmap& bitmap, int quality,
                       std::optional<JpegDensity> density = std::nullopt);

} // namespace tavlo
