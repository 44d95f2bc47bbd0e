#include "widgets/image_view.h"

#include "widgets/view_image.h"

#include <QPaintEvent>
#include <QPainter>

#include <new>

namespace tavlo {

namespace {

// Rows converted at a time: a band of a wide screen stays well under a megabyte.
constexpr int kBandRows = 64;

} // namespace

ImageView::ImageView(QWidget* parent) : QWidget(parent) {}

void ImageView::showImage(const tavlo::Bitmap& image, QSize viewSize) {
    image_ = image;
    viewSize_ = viewSize;
    outOfMemoryReported_ = false;
    const QMargins margins = contentsMargins();
    resize(viewSize.width() + margins.left() + margins.right(),
           viewSize.height() + margins.top() + margins.bottom());
    update();
}

void ImageView::clear() {
    image_ = {};
    viewSize_ = {};
    update();
}

void ImageView::paintEvent(QPaintEvent* event) {
    // Around and behind the picture the parent's background shows.
    const QRect picture(contentsRect().topLeft(), viewSize_);
    const QRect shown = event->rect().intersected(picture);
    if (isBlank() || shown.isEmpty()) return;
    try {
        paintPicture(shown, picture.topLeft());
    } catch (const std::bad_alloc&) { // the band or the column table
        if (!outOfMemoryReported_) emit outOfMemory();
        outOfMemoryReported_ = true;
    }
}

void ImageView::paintPicture(QRect shown, QPoint origin) {
    if (band_.width() < shown.width()) {
        band_ = QImage(shown.width(), kBandRows, QImage::Format_RGB32);
        if (band_.isNull()) throw std::bad_alloc();
    }
    QPainter painter(this);
    for (int top = shown.top(); top <= shown.bottom(); top += kBandRows) {
        const QRect band(shown.left(), top, shown.width(),
                         std::min(kBandRows, shown.bottom() + 1 - top));
        convertViewRect(image_, viewSize_, band.translated(-origin), band_);
        painter.drawImage(band.topLeft(), band_, QRect(QPoint(0, 0), band.size()));
    }
}

} // namespace tavlo
