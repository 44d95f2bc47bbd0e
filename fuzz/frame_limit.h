// Keeps the JPEG fuzz targets on inputs they can work through quickly.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tavlo::fuzz {

// The decoder accepts up to 2^28 pixels, which a few bytes can claim; decoding that much grey
// fill takes seconds and near a gigabyte, so such inputs would only slow the search down.
inline constexpr std::uint64_t kFuzzMaxPixels = std::uint64_t{1} << 22;

// True when any byte pair that could be a frame header (SOF0..SOF15 but DHT, JPG and DAC)
// declares more pixels than kFuzzMaxPixels. Looking at every candidate, not just the one the
// library will use, errs on the side of skipping.
inline bool declaresHugeFrame(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i + 9 <= size; ++i) {
        if (data[i] != 0xFF || (data[i + 1] & 0xF0) != 0xC0) continue;
        if (data[i + 1] == 0xC4 || data[i + 1] == 0xC8 || data[i + 1] == 0xCC) continue;
        const std::uint64_t height = data[i + 5] << 8 | data[i + 6];
        const std::uint64_t width = data[i + 7] << 8 | data[i + 8];
        if (width * height > kFuzzMaxPixels) return true;
    }
    return false;
}

} // namespace tavlo::fuzz
