#include "widgets/image_view.h"

#include "widgets/view_image.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>
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
    takeSize();
    update();
}

void ImageView::takeSize() {
    const QMargins margins = contentsMargins();
    resize(pictureRect().size().grownBy(margins));
}

QRect ImageView::pictureRect() const {
    const qreal ratio = devicePixelRatioF();
    return {contentsRect().topLeft(),
            QSize(static_cast<int>(std::ceil(viewSize_.width() / ratio)),
                  static_cast<int>(std::ceil(viewSize_.height() / ratio)))};
}

void ImageView::setColourTransform(std::shared_ptr<const tavlo::DisplayTransform> transform) {
    colourTransform_ = std::move(transform);
    update();
}

void ImageView::clear() {
    image_ = {};
    viewSize_ = {};
    update();
}

void ImageView::paintEvent(QPaintEvent* event) {
    // Around and behind the picture the parent's background shows.
    const QRect picture = pictureRect();
    const QRect exposed = event->rect().intersected(picture).translated(-picture.topLeft());
    if (isBlank() || exposed.isEmpty()) return;
    const qreal ratio = devicePixelRatioF();
    const QPoint first(static_cast<int>(std::floor(exposed.left() * ratio)),
                       static_cast<int>(std::floor(exposed.top() * ratio)));
    const QPoint end(static_cast<int>(std::ceil((exposed.right() + 1) * ratio)),
                     static_cast<int>(std::ceil((exposed.bottom() + 1) * ratio)));
    const QRect shown = QRect(first, end - QPoint(1, 1)).intersected(QRect({0, 0}, viewSize_));
    if (shown.isEmpty()) return;
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
    // Drawn in physical pixels, so that each converted pixel lands on one pixel of the screen.
    painter.translate(origin);
    const qreal ratio = devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    for (int top = shown.top(); top <= shown.bottom(); top += kBandRows) {
        const QRect band(shown.left(), top, shown.width(),
                         std::min(kBandRows, shown.bottom() + 1 - top));
        convertViewRect(image_, viewSize_, band, band_);
        if (colourTransform_)
            for (int y = 0; y < band.height(); ++y)
                colourTransform_->convert(band_.scanLine(y), band.width());
        painter.drawImage(band.topLeft(), band_, QRect(QPoint(0, 0), band.size()));
    }
}

} // namespace tavlo
