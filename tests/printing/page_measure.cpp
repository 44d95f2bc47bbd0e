#include "page_measure.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>

using namespace tavlo;

tavlo::Bitmap knownPrintImage(int width, int height) {
    tavlo::Bitmap image(width, height, tavlo::PixelFormat::Bit24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = image.row(y);
        for (int x = 0; x < width; ++x) {
            const bool right = 2 * x >= width, bottom = 2 * y >= height;
            const tavlo::Rgb colour = !bottom
                                          ? (right ? tavlo::Rgb{0, 255, 0} : tavlo::Rgb{255, 0, 0})
                                          : (right ? tavlo::Rgb{0, 0, 0} : tavlo::Rgb{0, 0, 255});
            row[3 * x] = colour.b;
            row[3 * x + 1] = colour.g;
            row[3 * x + 2] = colour.r;
        }
    }
    return image;
}

QRect inkBox(const QImage& page) {
    const QImage rgb = page.convertToFormat(QImage::Format_RGB32);
    int left = rgb.width(), top = rgb.height(), right = -1, bottom = -1;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            if (qRed(line[x]) < 160 || qGreen(line[x]) < 160 || qBlue(line[x]) < 160) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QString checkPrintedPage(const QImage& page, QRect expected) {
    const QRect ink = inkBox(page);
    if (ink.isNull()) return QStringLiteral("blank page");
    QString report;
    const auto edge = [&report](const char* name, int found, int wanted) {
        if (std::abs(found - wanted) > 1)
            report += QStringLiteral("%1 edge at %2, wanted %3; ").arg(name).arg(found).arg(wanted);
    };
    edge("left", ink.left(), expected.left());
    edge("top", ink.top(), expected.top());
    edge("right", ink.right() + 1, expected.right() + 1);
    edge("bottom", ink.bottom() + 1, expected.bottom() + 1);
    struct Quadrant {
        double fx, fy;
        QRgb colour;
        const char* name;
    } quadrants[] = {{0.25, 0.25, qRgb(255, 0, 0), "red"},
                     {0.75, 0.25, qRgb(0, 255, 0), "green"},
                     {0.25, 0.75, qRgb(0, 0, 255), "blue"},
                     {0.75, 0.75, qRgb(0, 0, 0), "black"}};
    for (const Quadrant& q : quadrants) {
        const QPoint at(expected.left() + static_cast<int>(expected.width() * q.fx),
                        expected.top() + static_cast<int>(expected.height() * q.fy));
        if (!page.rect().contains(at) || (page.pixel(at) | 0xFF000000) != q.colour)
            report += QStringLiteral("no %1 at %2,%3; ").arg(q.name).arg(at.x()).arg(at.y());
    }
    return report;
}

QString checkEmbeddedImage(const QString& pdf, const tavlo::Bitmap& image) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfimages"));
    QTemporaryDir dir;
    if (tool.isEmpty() || !dir.isValid()) return QStringLiteral("cannot run pdfimages");
    QProcess process;
    process.start(tool, {QStringLiteral("-png"), pdf, dir.filePath(QStringLiteral("band"))});
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QStringLiteral("pdfimages failed on %1").arg(pdf);
    // The page's image is drawn in bands of whole rows, top first; pdfimages numbers them so.
    QImage printed;
    for (const QString& name :
         QDir(dir.path()).entryList({QStringLiteral("band-*.png")}, QDir::Files, QDir::Name)) {
        const QImage band = QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB32);
        if (printed.isNull()) {
            printed = band;
            continue;
        }
        if (band.width() != printed.width()) return QStringLiteral("bands of unequal width");
        QImage taller(printed.width(), printed.height() + band.height(), QImage::Format_RGB32);
        QPainter painter(&taller);
        painter.drawImage(0, 0, printed);
        painter.drawImage(0, printed.height(), band);
        painter.end();
        printed = taller;
    }
    if (printed.isNull()) return QStringLiteral("no image in %1").arg(pdf);
    // Dot (x, y) takes source pixel (x × width div dots across, y × height div dots down).
    std::int64_t wrong = 0;
    QString first;
    for (int y = 0; y < printed.height(); ++y) {
        const int sy = static_cast<int>(std::int64_t{y} * image.height() / printed.height());
        const auto* line = reinterpret_cast<const QRgb*>(printed.constScanLine(y));
        for (int x = 0; x < printed.width(); ++x) {
            const int sx = static_cast<int>(std::int64_t{x} * image.width() / printed.width());
            const tavlo::Rgb want = image.pixel(sx, sy);
            const QRgb got = line[x];
            if (qRed(got) == want.r && qGreen(got) == want.g && qBlue(got) == want.b) continue;
            if (wrong++ == 0)
                first = QStringLiteral("(%1, %2, %3) at %4,%5 where (%6, %7, %8) belongs")
                            .arg(qRed(got))
                            .arg(qGreen(got))
                            .arg(qBlue(got))
                            .arg(x)
                            .arg(y)
                            .arg(want.r)
                            .arg(want.g)
                            .arg(want.b);
        }
    }
    if (wrong == 0) return {};
    return QStringLiteral("%1 of the %2 × %3 printed pixels differ from the image, first %4")
        .arg(wrong)
        .arg(printed.width())
        .arg(printed.height())
        .arg(first);
}

QImage rasterisePdf(const QString& pdf, int dpi, QRect area) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QTemporaryDir dir;
    if (tool.isEmpty() || !dir.isValid()) return {};
    const QString stem = dir.filePath(QStringLiteral("page"));
    QProcess process;
    process.start(tool,
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-aa"),
                   QStringLiteral("no"), QStringLiteral("-aaVector"), QStringLiteral("no"),
                   QStringLiteral("-x"), QString::number(area.x()), QStringLiteral("-y"),
                   QString::number(area.y()), QStringLiteral("-W"), QString::number(area.width()),
                   QStringLiteral("-H"), QString::number(area.height()), QStringLiteral("-f"),
                   QStringLiteral("1"), QStringLiteral("-singlefile"), pdf, stem});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) return {};
    return QImage(stem + QStringLiteral(".ppm"));
}

QString checkPrintedPdf(const QString& pdf, int dpi, QRect expected, const tavlo::Bitmap& image) {
    const QRect area =
        expected.adjusted(-32, -32, 32, 32).intersected(QRect(0, 0, 1 << 20, 1 << 20));
    const QImage page = rasterisePdf(pdf, dpi, area);
    if (page.isNull()) return QStringLiteral("cannot rasterise %1").arg(pdf);
    return checkPrintedPage(page, expected.translated(-area.topLeft())) +
           checkEmbeddedImage(pdf, image);
}
