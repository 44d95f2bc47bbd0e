// What the in-process benches share: a minimum timer, a guard against dropped work, and loading
// the bench image.
#pragma once

#include "document/bmp_codec.h"
#include "document/file_io.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavlo::bench {

// Stops the compiler from dropping work whose result is never read.
inline void keep(const void* p) {
    asm volatile("" : : "r"(p) : "memory");
}

// One untimed run first, so that every timed run finds the code and the pages warm; then the
// fastest of the runs, the one least disturbed by whatever else the machine was doing.
inline double minimumMs(int runs, const std::function<void()>& body) {
    body();
    double best = 0;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        body();
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
        best = i == 0 ? ms : std::min(best, ms);
    }
    return best;
}

inline Bitmap loadBmp(const char* path) {
    ByteBuffer bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error, kMaxBmpFileBytes)) throw std::runtime_error(error);
    DecodeResult decoded = decodeBmp(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
    if (!decoded) throw std::runtime_error(decoded.error);
    return std::move(*decoded.image);
}

} // namespace tavlo::bench
