#include "rotate.h"

#include "document/worker_pool.h"
#include "pixel_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

namespace tavlo {

namespace {

int roundToInt(long double value) {
    return static_cast<int>(std::llrint(value));
}

// Writes a source pixel into (column, row) and (column, row − 1), skipping whatever falls
// outside the result or outside the band of rows [first, last) this writer owns.
template <int Bytes> struct TwoRowWriter {
    const std::vector<std::uint8_t*>& to;
    int width, first, last;

    void operator()(const std::uint8_t* pixel, std::int64_t column, std::int64_t row) const {
        if (column < 0 || column >= width) return;
        if (row >= first && row < last) geometry::copyPixel<Bytes>(to[row] + column * Bytes, pixel);
        if (row > first && row <= last)
            geometry::copyPixel<Bytes>(to[row - 1] + column * Bytes, pixel);
    }
};

struct Prepared {
    RotationFrame frame;
    Bitmap result;
};

Prepared prepare(const Bitmap& source, int degrees) {
    const RotationFrame frame = rotationFrame(source.width(), source.height(), degrees);
    return {frame, geometry::whiteResultFor(source, 2 * frame.u, 2 * frame.v)};
}

// Round half to even of value / 2^shift.
inline std::int64_t roundShifted(std::int64_t value, int shift, std::int64_t half,
                                 std::int64_t mask) {
    std::int64_t quotient = value >> shift;
    const std::int64_t remainder = value & mask;
    if (remainder > half || (remainder == half && (quotient & 1))) ++quotient;
    return quotient;
}

// Fractional bits that make the float an integer once scaled by 2^bits.
int fractionBits(float value) {
    return value == 0 ? 0 : std::max(0, 23 - std::ilogb(value));
}

// The rotation in integers scaled by 2^shift, one band of result rows at a time.
struct IntegerRotation {
    RotationFrame f;
    std::int64_t scaledSine, scaledCosine; // · 2^bits
    int bits;
    std::vector<const std::uint8_t*> from;
    std::vector<std::uint8_t*> to;
    int sourceWidth, sourceHeight, resultWidth;

    template <int Bytes> void band(int first, int last) const {
        // Locals, not members: the pixel stores could alias anything reached through `this`.
        const std::int64_t s = scaledSine, c = scaledCosine;
        const int shift = bits;
        const std::int64_t half = std::int64_t{1} << (shift - 1);
        const std::int64_t mask = (std::int64_t{1} << shift) - 1;
        const TwoRowWriter<Bytes> write{to, resultWidth, first, last};
        // A pixel lands in the band when its row, v + round(down / 2^shift), lies in
        // [first, last]; down grows by s per pixel, so those pixels form one run per row.
        const long double scale = std::ldexp(1.0L, shift);
        const long double low = (first - f.v - 0.5L) * scale;
        const long double high = (last - f.v + 0.5L) * scale;
        for (int y = 0; y < sourceHeight; ++y) {
            const std::int64_t dy = y - f.hh;
            const std::int64_t down0 = -std::int64_t{f.hw} * s + dy * c;
            std::int64_t x0 = 0, x1 = sourceWidth - 1;
            if (s != 0) {
                const long double a = (low - down0) / s, b = (high - down0) / s;
                x0 = std::max<std::int64_t>(x0, std::llround(std::floor(std::min(a, b))) - 1);
                x1 = std::min<std::int64_t>(x1, std::llround(std::ceil(std::max(a, b))) + 1);
            } else if (down0 < low || down0 > high) {
                continue;
            }
            const std::int64_t dx0 = x0 - f.hw;
            std::int64_t across = dx0 * c - dy * s; // (dx·c − dy·s) · 2^shift
            std::int64_t down = dx0 * s + dy * c;   // (dx·s + dy·c) · 2^shift
            const std::uint8_t* pixel = from[y] + x0 * Bytes;
            for (std::int64_t x = x0; x <= x1; ++x, pixel += Bytes, across += c, down += s)
                write(pixel, f.u + roundShifted(across, shift, half, mask),
                      f.v + roundShifted(down, shift, half, mask));
        }
    }
};

} // namespace

RotationFrame rotationFrame(int width, int height, int degrees) {
    RotationFrame f;
    f.hw = width / 2;
    f.hh = height / 2;
    const float radians = static_cast<float>(static_cast<long double>(degrees) * 3.1415L / 180.0L);
    const float hw = static_cast<float>(f.hw);
    const float hh = static_cast<float>(f.hh);
    const float sumOfSquares =
        static_cast<float>(static_cast<long double>(hw) * hw + static_cast<long double>(hh) * hh);
    const float r = static_cast<float>(std::sqrt(static_cast<long double>(sumOfSquares)));
    float phi = 0;
    if (f.hw > 0)
        phi = static_cast<float>(std::atan(static_cast<long double>(f.hh) / f.hw));
    else if (f.hh > 0)
        phi = static_cast<float>(std::numbers::pi_v<long double> / 2);
    float g = std::fabs(radians);
    if (static_cast<long double>(g) > 1.5708L) g = static_cast<float>(3.14159L - g);
    f.u = roundToInt(static_cast<float>(r * std::cos(static_cast<long double>(phi) - g))) + 1;
    f.v = roundToInt(static_cast<float>(r * std::sin(static_cast<long double>(phi) + g))) + 1;
    f.sine = static_cast<float>(std::sin(static_cast<long double>(radians)));
    f.cosine = static_cast<float>(std::cos(static_cast<long double>(radians)));
    return f;
}

KernelResult rotateBitmapDirect(const Bitmap& source, int degrees) {
    requireNonEmpty(source);
    if (!geometry::movablePixels(source)) return std::nullopt;
    // Named members rather than a structured binding: the lambda below captures them.
    Prepared prepared = prepare(source, degrees);
    const RotationFrame& f = prepared.frame;
    Bitmap& result = prepared.result;
    const auto from = geometry::rowTable(source);
    const auto to = geometry::writableRowTable(result);
    geometry::withPixelSize(source.format(), [&]<int Bytes>() {
        const TwoRowWriter<Bytes> write{to, result.width(), 0, result.height()};
        for (int y = 0; y < source.height(); ++y) {
            const long double dy = y - f.hh;
            for (int x = 0; x < source.width(); ++x) {
                const long double dx = x - f.hw;
                write(from[y] + x * Bytes, f.u + std::llrint(dx * f.cosine - dy * f.sine),
                      f.v + std::llrint(dx * f.sine + dy * f.cosine));
            }
        }
    });
    return std::move(result);
}

KernelResult rotateBitmap(const Bitmap& source, int degrees) {
    requireNonEmpty(source);
    if (!geometry::movablePixels(source)) return std::nullopt;
    const RotationFrame probe = rotationFrame(source.width(), source.height(), degrees);
    // Positions are multiples of 2^-shift: exact in 64-bit integers, and then also exact in
    // extended precision, whenever they stay below 2^62.
    const int shift = std::max({1, fractionBits(probe.sine), fractionBits(probe.cosine)});
    const long double sine = std::ldexp(static_cast<long double>(probe.sine), shift);
    const long double cosine = std::ldexp(static_cast<long double>(probe.cosine), shift);
    const long double reach = static_cast<long double>(source.width()) + source.height() + 2;
    if (shift > 60 || reach * (std::fabs(sine) + std::fabs(cosine)) >= std::ldexp(1.0L, 62))
        return rotateBitmapDirect(source, degrees);

    Prepared prepared = prepare(source, degrees);
    const IntegerRotation rotation{prepared.frame,
                                   static_cast<std::int64_t>(sine),
                                   static_cast<std::int64_t>(cosine),
                                   shift,
                                   geometry::rowTable(source),
                                   geometry::writableRowTable(prepared.result),
                                   source.width(),
                                   source.height(),
                                   prepared.result.width()};
    // Later pixels overwrite earlier ones, so each band of result rows is owned by one thread
    // that visits, in the serial order, every source pixel landing in it: the same bytes for any
    // number of threads.
    geometry::withPixelSize(source.format(), [&]<int Bytes>() {
        forEachBand(prepared.result.height(), kRowsPerBand,
                    [&](int first, int last) { rotation.band<Bytes>(first, last); });
    });
    return std::move(prepared.result);
}

} // namespace tavlo
