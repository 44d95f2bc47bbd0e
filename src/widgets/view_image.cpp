#include "widgets/view_image.h"

#include "document/pixel_convert.h"
#include "document/stretch_table.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

namespace tavlo {

namespace {

QImage copyRows(const tavlo::Bitmap& bitmap, QImage::Format format, int bytesPerPixel) {
    QImage image(bitmap.width(), bitmap.height(), format);
    // Qt gives a null image, not an exception, when it cannot allocate one.
    if (image.isNull()) throw std::bad_alloc();
    const auto rowBytes = static_cast<std::size_t>(bitmap.width()) * bytesPerPixel;
    for (int y = 0; y < bitmap.height(); ++y)
        std::memcpy(image.scanLine(y), bitmap.row(y), rowBytes);
    return image;
}

// What palette indices show as: an index beyond a short palette shows its last entry, and an
// image without a palette shows black.
std::array<QRgb, 256> paletteColours(const tavlo::Bitmap& bitmap) {
    std::array<QRgb, 256> colours{};
    const auto& palette = bitmap.palette();
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (palette.empty()) {
            colours[i] = qRgb(0, 0, 0);
            continue;
        }
        const tavlo::PaletteEntry& e = palette[std::min(i, palette.size() - 1)];
        colours[i] = qRgb(e.r, e.g, e.b);
    }
    return colours;
}

} // namespace

void convertViewRect(const tavlo::Bitmap& bitmap, QSize viewSize, QRect rect, QImage& target) {
    const std::vector<int> columnOf =
        stretchTable(rect.left(), rect.width(), bitmap.width(), viewSize.width());
    const std::array<QRgb, 256> colours = bitmap.format() == tavlo::PixelFormat::Bit8
                                              ? paletteColours(bitmap)
                                              : std::array<QRgb, 256>{};
    for (int y = 0; y < rect.height(); ++y) {
        const int sourceY = stretchSource(rect.top() + y, bitmap.height(), viewSize.height());
        const std::uint8_t* in = bitmap.row(sourceY);
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        switch (bitmap.format()) {
        case tavlo::PixelFormat::Bit24:
            for (const int x : columnOf) {
                const std::uint8_t* p = in + 3 * static_cast<std::ptrdiff_t>(x);
                *out++ = qRgb(p[2], p[1], p[0]);
            }
            break;
        case tavlo::PixelFormat::Bit32:
        case tavlo::PixelFormat::Device:
        case tavlo::PixelFormat::Custom:
            for (const int x : columnOf) {
                const std::uint8_t* p = in + 4 * static_cast<std::ptrdiff_t>(x);
                *out++ = qRgb(p[2], p[1], p[0]);
            }
            break;
        case tavlo::PixelFormat::Bit8:
            for (const int x : columnOf)
                *out++ = colours[in[x]];
            break;
        default: // packed and 16-bit formats are rare; each pixel is read as it is seen
            for (const int x : columnOf) {
                const tavlo::Rgb c = bitmap.pixel(x, sourceY);
                *out++ = qRgb(c.r, c.g, c.b);
            }
        }
    }
}

QImage viewImage(const tavlo::Bitmap& bitmap) {
    if (bitmap.empty()) return {};
    switch (bitmap.format()) {
    case tavlo::PixelFormat::Bit24:
        return copyRows(bitmap, QImage::Format_BGR888, 3);
    case tavlo::PixelFormat::Bit8: {
        QImage image = copyRows(bitmap, QImage::Format_Indexed8, 1);
        const std::array<QRgb, 256> colours = paletteColours(bitmap);
        image.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
        return image;
    }
    case tavlo::PixelFormat::Bit32:
    case tavlo::PixelFormat::Device:
    case tavlo::PixelFormat::Custom:
        return copyRows(bitmap, QImage::Format_RGB32, 4);
    default:
        return viewImage(tavlo::convertedTo(bitmap, tavlo::PixelFormat::Bit24));
    }
}

} // namespace tavlo
