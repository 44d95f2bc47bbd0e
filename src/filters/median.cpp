#include "median.h"

#include "document/invalid_bitmap_size_error.h"
#include "document/worker_pool.h"
#include "median_row.h"
#include "neighbourhood.h"

namespace tavlo {

namespace {

inline void order(std::uint8_t& a, std::uint8_t& b) {
    const std::uint8_t low = std::min(a, b);
    b = std::max(a, b);
    a = low;
}

// A 19-exchange network that leaves the median of nine in p4, for the first and last pixel of a
// row, whose windows are cut by the edge.
inline std::uint8_t medianOfNine(std::uint8_t p0, std::uint8_t p1, std::uint8_t p2, std::uint8_t p3,
                                 std::uint8_t p4, std::uint8_t p5, std::uint8_t p6, std::uint8_t p7,
                                 std::uint8_t p8) {
    order(p1, p2), order(p4, p5), order(p7, p8);
    order(p0, p1), order(p3, p4), order(p6, p7);
    order(p1, p2), order(p4, p5), order(p7, p8);
    order(p0, p3), order(p5, p8), order(p4, p7);
    order(p3, p6), order(p1, p4), order(p2, p5);
    order(p4, p7), order(p4, p2), order(p6, p4);
    order(p4, p2);
    return p4;
}

std::uint8_t windowMedian(const WindowRows& rows, int x, int width, int channel) {
    const auto p = windowBytes(rows, x, width, channel);
    auto b = [&](int i) { return static_cast<std::uint8_t>(p[static_cast<std::size_t>(i)]); };
    return medianOfNine(b(0), b(1), b(2), b(3), b(4), b(5), b(6), b(7), b(8));
}

void medianBand(const Bitmap& source, const WritableRows& to, int first, int last) {
    const int width = source.width();
    for (int y = first; y < last; ++y) {
        const WindowRows rows = windowRows(source, y);
        std::uint8_t* out = to[y];
        medianInnerBytes(rows.above, rows.own, rows.below, out, width);
        for (const int x : {0, width - 1})
            for (int c = 0; c < 3; ++c)
                out[3 * x + c] = windowMedian(rows, x, width, c);
    }
}

} // namespace

Bitmap medianFiltered(const Bitmap& image) {
    requireNonEmpty(image);
    const Bitmap source = as24Bit(image);
    Bitmap result = newResult24(source.width(), source.height());
    const WritableRows to(result);
    forEachBand(source.height(), kRowsPerBand,
                [&](int first, int last) { medianBand(source, to, first, last); });
    return result;
}

} // namespace tavlo
