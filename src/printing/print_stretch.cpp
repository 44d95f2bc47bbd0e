#include "printing/print_stretch.h"

#include "document/stretch_table.h"

#include <stdexcept>
#include <vector>

namespace tavlo {

Bitmap stretchedRegion(const Bitmap& source, std::int64_t stretchWidth, std::int64_t stretchHeight,
                       std::int64_t left, std::int64_t top, int regionWidth, int regionHeight) {
    if (source.format() != PixelFormat::Bit24 || source.empty())
        throw std::invalid_argument("stretchedRegion needs a 24-bit image");
    if (left < 0 || top < 0 || regionWidth < 0 || regionHeight < 0 ||
        left + regionWidth > stretchWidth || top + regionHeight > stretchHeight)
        throw std::invalid_argument("stretchedRegion outside the stretched image");

    const std::vector<int> sourceColumn =
        stretchTable(left, regionWidth, source.width(), stretchWidth);

    Bitmap region = Bitmap::uninitialised(regionWidth, regionHeight, PixelFormat::Bit24);
    for (int j = 0; j < regionHeight; ++j) {
        const std::uint8_t* from =
            source.row(stretchSource(top + j, source.height(), stretchHeight));
        std::uint8_t* to = region.row(j);
        for (int i = 0; i < regionWidth; ++i) {
            const std::uint8_t* pixel = from + 3 * sourceColumn[i];
            to[3 * i] = pixel[0];
            to[3 * i + 1] = pixel[1];
            to[3 * i + 2] = pixel[2];
        }
    }
    return region;
}

} // namespace tavlo
