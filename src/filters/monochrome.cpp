#include "monochrome.h"

#include "document/emboss_error.h"
#include "document/vector_clones.h"
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

TAVLO_VECTOR_CLONES Bitmap greyed(const Bitmap& image) {
    requireNonEmpty(image);
    const Bitmap source = as24Bit(image);
    Bitmap result = newResult24(source.width(), source.height());
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const std::uint8_t* in = source.row(y);
        std::uint8_t* out = result.row(y);
        for (int x = 0; x < width; ++x, in += 3, out += 3)
            out[0] = out[1] = out[2] = greyLevel(in[2], in[1], in[0]);
    }
    return result;
}

} // namespace tavlo
