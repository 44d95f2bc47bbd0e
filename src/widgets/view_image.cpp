#include "widgets/view_image.h"

#include "document/pixel_convert.h"

#include <cstring>
#include <new>

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

} // namespace

QImage viewImage(const tavlo::Bitmap& bitmap) {
    if (bitmap.empty()) return {};
    switch (bitmap.format()) {
    case tavlo::PixelFormat::Bit24:
        return copyRows(bitmap, QImage::Format_BGR888, 3);
    case tavlo::PixelFormat::Bit8: {
        QImage image = copyRows(bitmap, QImage::Format_Indexed8, 1);
        QList<QRgb> colours;
        for (const tavlo::PaletteEntry& e : bitmap.palette())
            colours.append(qRgb(e.r, e.g, e.b));
        while (colours.size() < 256) // indices beyond a short palette show its last entry
            colours.append(colours.isEmpty() ? qRgb(0, 0, 0) : colours.constLast());
        image.setColorTable(colours);
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
