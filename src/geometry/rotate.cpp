#include "rotate.h"

#include "document/worker_pool.h"
#include "pixel_rows.h"

#include <hwy/cache_control.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <type_traits>
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

// Fractional bits that make the float an integer once scaled by 2^bits.
int fractionBits(float value) {
    return value == 0 ? 0 : std::max(0, 23 - std::ilogb(value));
}

// A thread renders the result in tiles of this many rows and columns in a scratch that stays in
// the core's cache: the source pixels landing in a tile lie in a turned rectangle, each is
// written twice into the scratch, and the tile is then copied out once.
constexpr int kTileRows = 64;
constexpr int kTileColumns = 1024;
// Scratch rows and pixels around the tile that take the writes falling just outside it, so that
// the pixel loop need not tell which of its two writes the tile owns; the runs are widened by
// less than this.
constexpr int kGuard = 6;
// Fractional bits of the fixed-point positions, known to the compiler, which makes the loop
// cheaper than a variable shift: 32 whenever the sine and cosine are zero or above 2^-9 in
// magnitude (its rounding constant fits in an instruction), else 40, enough above 2^-17, which
// holds for every whole degree from −179 to 179 (the least is the cosine at ±90°, about
// 4.6 · 10^-5). Positions then stay below 2^62 for images up to 2^21 pixels across.
constexpr int kShortShift = 32, kLongShift = 40;

// Round half to even of value / 2^Shift, without branches: a remainder above the half, or equal
// to it with an odd quotient, carries into the quotient.
template <int Shift> std::int64_t roundShifted(std::int64_t value) {
    constexpr std::int64_t halfLess = (std::int64_t{1} << (Shift - 1)) - 1;
    return (value + halfLess + ((value >> Shift) & 1)) >> Shift;
}

// A pixel held in registers, loaded once for its two stores: an array of bytes would be kept on
// the stack.
template <int Bytes> struct Pixel {
    explicit Pixel(const std::uint8_t* from) { std::memcpy(&value, from, Bytes); }
    void store(std::uint8_t* to) const { std::memcpy(to, &value, Bytes); }
    std::conditional_t<Bytes == 1, std::uint8_t, std::uint32_t> value = 0;
};
template <> struct Pixel<3> {
    explicit Pixel(const std::uint8_t* from) : high(from[2]) { std::memcpy(&low, from, 2); }
    void store(std::uint8_t* to) const {
        std::memcpy(to, &low, 2);
        to[2] = high;
    }
    std::uint16_t low;
    std::uint8_t high;
};

// The x, as reals, at which start + x · slope lies within [low, high]; everything when the slope
// is zero and start is within reach, nothing when it is not.
struct Span {
    double lower, upper;
};
inline Span spanWithin(double start, double slope, double low, double high) {
    if (slope == 0) {
        if (start < low - 1 || start > high + 1) return {1, 0};
        return {-HUGE_VAL, HUGE_VAL};
    }
    const double a = (low - start) / slope, b = (high - start) / slope;
    return {std::min(a, b), std::max(a, b)};
}

// The rotation in integers scaled by 2^Shift, one band of result rows at a time.
struct IntegerRotation {
    RotationFrame f;
    std::int64_t scaledSine, scaledCosine; // · 2^Shift
    std::vector<const std::uint8_t*> from;
    std::vector<std::uint8_t*> to;
    int sourceWidth, sourceHeight, resultWidth;
    std::vector<std::uint8_t> whiteRow; // kTileColumns + 2 · kGuard white pixels

    template <int Bytes, int Shift> void band(int first, int last) const {
        std::vector<std::uint8_t> scratch((kTileRows + 2 * kGuard) * whiteRow.size());
        for (int top = first; top < last; top += kTileRows)
            for (int left = 0; left < resultWidth; left += kTileColumns)
                tile<Bytes, Shift>(top, std::min(last, top + kTileRows), left,
                                   std::min(resultWidth, left + kTileColumns), scratch.data());
    }

    // Result rows [top, bottom) and columns [left, right), rendered in `scratch` and copied out.
    template <int Bytes, int Shift>
    void tile(int top, int bottom, int left, int right, std::uint8_t* scratch) const {
        const std::ptrdiff_t stride = (right - left + 2 * kGuard) * Bytes;
        const int scratchRows = bottom - top + 2 * kGuard;
        for (int r = 0; r < scratchRows; ++r)
            std::memcpy(scratch + r * stride, whiteRow.data(), static_cast<std::size_t>(stride));
        // Result pixel (column, row) lies at scratch row row − top + kGuard, pixel
        // column − left + kGuard.
        std::uint8_t* const base = scratch + kGuard * (stride + Bytes);
        // Locals, not members: the pixel stores could alias anything reached through `this`.
        const std::int64_t s = scaledSine, c = scaledCosine;
        const std::int64_t rowOffset = f.v - top, columnOffset = f.u - left;
        // Writes within the guard land in the scratch; wider ones, which the widened runs
        // never make, are dropped.
        const std::uint64_t rowSpan = scratchRows - 1;
        const std::uint64_t columnSpan = right - left + 2 * kGuard;
        // A pixel is written into the tile when its row, v + round(down / 2^Shift), lies in
        // [top, bottom] and its column, u + round(across / 2^Shift), in [left, right). Both grow
        // steadily along a source row, so those pixels form one run per row, found in double
        // precision and widened by two pixels, far more than its rounding error.
        const double sine = std::ldexp(static_cast<double>(s), -Shift);
        const double cosine = std::ldexp(static_cast<double>(c), -Shift);
        const double downLow = top - f.v - 0.5, downHigh = bottom - f.v + 0.5;
        const double acrossLow = left - f.u - 0.5, acrossHigh = right - f.u - 0.5;
        // The source rows the tile's corners come from, by the inverse turn.
        const double norm = sine * sine + cosine * cosine;
        double yLow = HUGE_VAL, yHigh = -HUGE_VAL;
        for (const double across : {acrossLow, acrossHigh})
            for (const double down : {downLow, downHigh}) {
                const double y = (cosine * down - sine * across) / norm + f.hh;
                yLow = std::min(yLow, y), yHigh = std::max(yHigh, y);
            }
        const int firstY = static_cast<int>(std::max(0.0, std::floor(yLow) - 2));
        const int lastY = static_cast<int>(std::min(sourceHeight - 1.0, std::ceil(yHigh) + 2));
        // The run of row y, empty (first > last) when the row misses the tile.
        struct Run {
            std::int64_t first, last;
        };
        const auto runOf = [&](int y) -> Run {
            const double dy = y - f.hh;
            const Span rows = spanWithin(-f.hw * sine + dy * cosine, sine, downLow, downHigh);
            const Span columns =
                spanWithin(-f.hw * cosine - dy * sine, cosine, acrossLow, acrossHigh);
            const double lower = std::max({rows.lower, columns.lower, -4.0});
            const double upper = std::min({rows.upper, columns.upper, sourceWidth + 4.0});
            if (lower > upper) return {1, 0};
            return {std::max<std::int64_t>(0, static_cast<std::int64_t>(lower) - 2),
                    std::min<std::int64_t>(sourceWidth - 1, static_cast<std::int64_t>(upper) + 2)};
        };
        // The next row's run is fetched into the cache while this one is written: the runs are
        // short and far apart, too scattered for the processor to foresee.
        Run next = runOf(firstY);
        for (int y = firstY; y <= lastY; ++y) {
            const Run run = next;
            if (y < lastY) {
                next = runOf(y + 1);
                for (std::int64_t at = next.first * Bytes; at <= next.last * Bytes; at += 64)
                    hwy::Prefetch(from[y + 1] + at);
            }
            if (run.first > run.last) continue;
            const std::int64_t dy = y - f.hh;
            const std::int64_t x0 = run.first, x1 = run.last;
            const std::int64_t dx0 = x0 - f.hw;
            std::int64_t across = dx0 * c - dy * s; // (dx·c − dy·s) · 2^Shift
            std::int64_t down = dx0 * s + dy * c;   // (dx·s + dy·c) · 2^Shift
            const std::uint8_t* pixel = from[y] + x0 * Bytes;
            for (std::int64_t x = x0; x <= x1; ++x, pixel += Bytes, across += c, down += s) {
                const std::int64_t column = columnOffset + roundShifted<Shift>(across);
                const std::int64_t row = rowOffset + roundShifted<Shift>(down);
                if ((static_cast<std::uint64_t>(row + kGuard - 1) >= rowSpan) |
                    (static_cast<std::uint64_t>(column + kGuard) >= columnSpan))
                    continue;
                std::uint8_t* const at = base + row * stride + column * Bytes;
                const Pixel<Bytes> value(pixel);
                value.store(at);
                value.store(at - stride);
            }
        }
        for (int row = top; row < bottom; ++row)
            std::memcpy(to[row] + left * Bytes, base + (row - top) * stride,
                        static_cast<std::size_t>(right - left) * Bytes);
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
    // extended precision, whenever the sine and cosine are whole multiples of 2^-shift and the
    // positions stay below 2^62. Other angles and sizes take the direct evaluation.
    const int bits = std::max(fractionBits(probe.sine), fractionBits(probe.cosine));
    const int shift = bits <= kShortShift ? kShortShift : kLongShift;
    const long double sine = std::ldexp(static_cast<long double>(probe.sine), shift);
    const long double cosine = std::ldexp(static_cast<long double>(probe.cosine), shift);
    const long double reach = static_cast<long double>(source.width()) + source.height() + 2;
    if (bits > shift || reach * (std::fabs(sine) + std::fabs(cosine)) >= std::ldexp(1.0L, 62))
        return rotateBitmapDirect(source, degrees);

    // The result is written tile by tile, each whitened in the scratch first, so that its pages
    // are first touched, and written once, by the thread that renders them.
    Bitmap result = geometry::resultFor(source, 2 * probe.u, 2 * probe.v);
    const Bitmap white(kTileColumns + 2 * kGuard, 1, source.format(), source.palette());
    const std::uint8_t* const whiteBytes = white.row(0);
    const IntegerRotation rotation{
        probe,
        static_cast<std::int64_t>(sine),
        static_cast<std::int64_t>(cosine),
        geometry::rowTable(source),
        geometry::writableRowTable(result),
        source.width(),
        source.height(),
        result.width(),
        {whiteBytes, whiteBytes + white.width() * bitsPerPixel(source.format()) / 8}};
    // Later pixels overwrite earlier ones, so each band of result rows is owned by one thread
    // that visits, in the serial order, every source pixel landing in it: the same bytes for any
    // number of threads.
    geometry::withPixelSize(source.format(), [&]<int Bytes>() {
        forEachBand(result.height(), kRowsPerBand, [&](int first, int last) {
            if (shift == kShortShift)
                rotation.band<Bytes, kShortShift>(first, last);
            else
                rotation.band<Bytes, kLongShift>(first, last);
        });
    });
    return result;
}

} // namespace tavlo
