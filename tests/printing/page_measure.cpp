#include "page_measure.h"

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

namespace {

bool near(QRgb pixel, int r, int g, int b) {
    return std::abs(qRed(pixel) - r) < 60 && std::abs(qGreen(pixel) - g) < 60 &&
           std::abs(qBlue(pixel) - b) < 60;
}

} // namespace

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
        int r, g, b;
        const char* name;
    } quadrants[] = {{0.25, 0.25, 255, 0, 0, "red"},
                     {0.75, 0.25, 0, 255, 0, "green"},
                     {0.25, 0.75, 0, 0, 255, "blue"},
                     {0.75, 0.75, 0, 0, 0, "black"}};
    for (const Quadrant& q : quadrants) {
        const QPoint at(expected.left() + static_cast<int>(expected.width() * q.fx),
                        expected.top() + static_cast<int>(expected.height() * q.fy));
        if (!page.rect().contains(at) || !near(page.pixel(at), q.r, q.g, q.b))
            report += QStringLiteral("no %1 at %2,%3; ").arg(q.name).arg(at.x()).arg(at.y());
    }
    return report;
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

QString checkPrintedPdf(const QString& pdf, int dpi, QRect expected) {
    const QRect area =
        expected.adjusted(-32, -32, 32, 32).intersected(QRect(0, 0, 1 << 20, 1 << 20));
    const QImage page = rasterisePdf(pdf, dpi, area);
    if (page.isNull()) return QStringLiteral("cannot rasterise %1").arg(pdf);
    return checkPrintedPage(page, expected.translated(-area.topLeft()));
}
