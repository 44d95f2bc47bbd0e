#include "printing/ui/print_page.h"

#include "document/pixel_convert.h"
#include "printing/print_stretch.h"
#include "printing/ui/print_failure.h"
#include "widgets/view_image.h"

#include <algorithm>

namespace tavlo {

namespace {

constexpr std::int64_t kBandBytes = std::int64_t{16} << 20;

// The part of the rectangle that lies on the page, or an empty rectangle.
QRect visiblePart(tavlo::DotRect r, QRect page) {
    const std::int64_t left = std::max<std::int64_t>(r.x1, page.left());
    const std::int64_t top = std::max<std::int64_t>(r.y1, page.top());
    const std::int64_t right = std::min<std::int64_t>(r.x2, std::int64_t{page.right()} + 1);
    const std::int64_t bottom = std::min<std::int64_t>(r.y2, std::int64_t{page.bottom()} + 1);
    if (right <= left || bottom <= top) return {};
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

} // namespace

void drawStretched(QPainter& painter, tavlo::DotRect rectangle, QRect page,
                   const tavlo::Bitmap& image) {
    const QRect visible = visiblePart(rectangle, page);
    if (visible.isEmpty() || image.empty()) return;
    const tavlo::Bitmap rgb = image.format() == tavlo::PixelFormat::Bit24
                                  ? image
                                  : tavlo::convertedTo(image, tavlo::PixelFormat::Bit24);
    const std::int64_t width = rectangle.x2 - rectangle.x1;
    const std::int64_t height = rectangle.y2 - rectangle.y1;
    const int bandRows = static_cast<int>(
        std::max<std::int64_t>(1, kBandBytes / (3 * std::int64_t{visible.width()})));
    for (int y = visible.top(); y <= visible.bottom(); y += bandRows) {
        const int rows = std::min(bandRows, visible.bottom() + 1 - y);
        const tavlo::Bitmap band =
            tavlo::stretchedRegion(rgb, width, height, visible.left() - rectangle.x1,
                                   y - rectangle.y1, visible.width(), rows);
        painter.drawImage(QPoint(visible.left(), y), viewImage(band));
    }
}

void printPage(QPrinter& printer, const tavlo::Bitmap& image, tavlo::DotRect rectangle) {
    QPainter painter;
    if (!painter.begin(&printer))
        throw PrintFailure(QStringLiteral("印刷できませんでした。プリンタを開始できません。"));
    // Qt's PDF output stores images as JPEG unless told otherwise; printed pixels stay exact.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    try {
        const QRect page(0, 0, printer.width(), printer.height());
        // The image is opaque, so drawing it over the black fill leaves the image itself, as a
        // source-or-destination transfer would.
        painter.fillRect(visiblePart(rectangle, page), Qt::black);
        drawStretched(painter, rectangle, page, image);
    } catch (...) {
        painter.end();
        throw;
    }
    if (!painter.end())
        throw PrintFailure(QStringLiteral("印刷できませんでした。印刷を終了できません。"));
}

} // namespace tavlo
