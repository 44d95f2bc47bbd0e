#include "widgets/clipboard.h"

#include "widgets/view_image.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include <cstring>

namespace tavlo {

bool clipboardHasBitmap() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

void copyToClipboard(const tavlo::Bitmap& image) {
    QApplication::clipboard()->setImage(viewImage(image));
}

std::optional<tavlo::Bitmap> bitmapFromClipboard() {
    const QImage pasted = QApplication::clipboard()->image();
    if (pasted.isNull()) return std::nullopt;
    const QImage rgb = pasted.convertToFormat(QImage::Format_RGB32); // B, G, R, X in memory
    tavlo::Bitmap bitmap =
        tavlo::Bitmap::uninitialised(rgb.width(), rgb.height(), tavlo::PixelFormat::Device);
    for (int y = 0; y < rgb.height(); ++y) {
        std::uint8_t* row = bitmap.row(y);
        std::memcpy(row, rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * 4);
        for (int x = 0; x < rgb.width(); ++x)
            row[4 * x + 3] = 0;
    }
    return bitmap;
}

} // namespace tavlo
