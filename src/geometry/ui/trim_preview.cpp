#include "geometry/ui/trim_preview.h"

#include "document/pixel_convert.h"
#include "document/text_format.h"
#include "widgets/view_image.h"

namespace tavlo {

namespace {

int roundToInt(long double value) {
    return static_cast<int>(tavlo::roundHalfEven(value));
}

} // namespace

void TrimPreview::setUp(const tavlo::Bitmap& image, QColor background) {
    const int w = image.width();
    const int h = image.height();
    scale_ = 1.0;
    if (h < w && w > 400)
        scale_ = w / 400.0;
    else if (h >= w && h > 400)
        scale_ = h / 400.0;
    width_ = roundToInt(w / scale_);
    height_ = roundToInt(h / scale_);
    lastX_ = roundToInt((w - 1) / scale_);
    lastY_ = roundToInt((h - 1) / scale_);
    picture_ =
        viewImage(tavlo::stretched(image, width_, height_)).convertToFormat(QImage::Format_RGB32);
    const QRgb black = qRgb(0, 0, 0);
    for (int y = 0; y < picture_.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture_.scanLine(y));
        for (int x = 0; x < picture_.width(); ++x)
            if (line[x] == black) line[x] = background.rgb();
    }
}

int TrimPreview::imageCoordinate(int dialogCoordinate) const {
    return roundToInt(static_cast<long double>(dialogCoordinate) * scale_);
}

void TrimPreview::paint(QPainter& painter, const tavlo::TrimRect& rect, bool blackLines) const {
    if (picture_.isNull()) return;
    painter.drawImage(QPoint(0, 0), picture_, QRect(0, 0, lastX_ + 1, lastY_ + 1));
    const int a = roundToInt(rect.left / scale_);
    const int b = roundToInt(rect.top / scale_);
    const int c = roundToInt(rect.bottom / scale_);
    const int d = roundToInt(rect.right / scale_);
    const QColor line = blackLines ? Qt::black : Qt::white;
    painter.fillRect(QRect(a, b, 1, c - b), line); // left
    painter.fillRect(QRect(a, b, d - a, 1), line); // top
    painter.fillRect(QRect(d, b, 1, c - b), line); // right
    painter.fillRect(QRect(a, c, d - a, 1), line); // bottom
}

} // namespace tavlo
