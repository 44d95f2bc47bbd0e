#include "monochrome.h"

#include "document/invalid_bitmap_size_error.h"
#include "document/worker_pool.h"
#include "grey_row.h"
#include "neighbourhood.h"

namespace tavlo {

std::uint8_t greyLevel(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    // Y is s / 1000 exactly, and a float holds it to within 8e-6, far closer than the 0.001 that
    // parts a non-half s / 1000 from the next half. The exact halves all come out of the float
    // rounding at or above the half, so integer rounding half up gives the same value for every
    // colour (the tests go through all of them).
    const int s = 299 * red + 587 * green + 114 * blue;
    return static_cast<std::uint8_t>((s + 500) / 1000);
}

Bitmap greyed(const Bitmap& image) {
    requireNonEmpty(image);
    const Bitmap source = as24Bit(image);
    Bitmap result = newResult24(source.width(), source.height());
    const WritableRows to(result);
    forEachBand(source.height(), kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            greyRow(source.row(y), to[y], source.width());
    });
    return result;
}

} // namespace tavlo
