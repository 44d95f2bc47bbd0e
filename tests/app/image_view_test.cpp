// The main window's view paints exactly the stretched picture, whatever part of it is exposed, and
// reports a lack of memory instead of failing.
#include "document/bitmap.h"
#include "widgets/image_view.h"

#include "child_process.h"

#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

#include <string>

using namespace tavlo;

Q_DECLARE_METATYPE(tavlo::PixelFormat)

namespace {

// Arbitrary bytes in every row: palette indices beyond a short palette and the unused bits of
// the packed formats included.
Bitmap noise(int width, int height, PixelFormat format) {
    std::vector<PaletteEntry> palette;
    if (hasPalette(format))
        for (int i = 0; i < 5; ++i)
            palette.push_back({static_cast<std::uint8_t>(40 * i),
                               static_cast<std::uint8_t>(255 - 9 * i),
                               static_cast<std::uint8_t>(7 * i), 0});
    Bitmap bitmap(width, height, format, palette);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (std::size_t i = 0;
             i < (static_cast<std::size_t>(width) * bitsPerPixel(format) + 7) / 8; ++i) {
            state = state * 1103515245u + 12345u;
            bitmap.row(y)[i] = static_cast<std::uint8_t>(state >> 16);
        }
    return bitmap;
}

// What the view must show at (x, y) of its picture.
QRgb expected(const Bitmap& image, QSize view, int x, int y) {
    const Rgb c = image.pixel(static_cast<int>(std::int64_t{x} * image.width() / view.width()),
                              static_cast<int>(std::int64_t{y} * image.height() / view.height()));
    return qRgb(c.r, c.g, c.b);
}

} // namespace

class ImageViewTest : public QObject {
    Q_OBJECT

  private slots:
    void paintsTheStretchedPictureInAnyExposedPart_data() {
        QTest::addColumn<PixelFormat>("format");
        QTest::addColumn<int>("divisor");
        const std::pair<const char*, PixelFormat> formats[] = {
            {"1 bit", PixelFormat::Bit1},    {"4 bits", PixelFormat::Bit4},
            {"8 bits", PixelFormat::Bit8},   {"15 bits", PixelFormat::Bit15},
            {"16 bits", PixelFormat::Bit16}, {"24 bits", PixelFormat::Bit24},
            {"32 bits", PixelFormat::Bit32}, {"device", PixelFormat::Device}};
        for (const auto& [name, format] : formats)
            for (const int divisor : {1, 3})
                QTest::addRow("%s at 1/%d", name, divisor) << format << divisor;
    }
    void paintsTheStretchedPictureInAnyExposedPart() {
        QFETCH(PixelFormat, format);
        QFETCH(int, divisor);
        // Taller than one band of rows, so that the bands meet inside the picture.
        const Bitmap image = noise(71, 150, format);
        const QSize viewSize(71 / divisor, 150 / divisor);
        ImageView view;
        view.setContentsMargins(2, 2, 0, 0);
        view.showImage(image, viewSize);
        QCOMPARE(view.size(), viewSize + QSize(2, 2));
        for (const QRect part : {QRect(QPoint(0, 0), viewSize), QRect(5, 3, 9, 17),
                                 QRect(1, viewSize.height() - 4, viewSize.width() - 1, 4)}) {
            const QImage shown = view.grab(part.translated(2, 2)).toImage();
            for (int y = 0; y < part.height(); ++y)
                for (int x = 0; x < part.width(); ++x)
                    QCOMPARE(shown.pixel(x, y) | 0xFF000000u,
                             expected(image, viewSize, part.x() + x, part.y() + y));
        }
    }

    void aBlankViewKeepsItsSizeAndPaintsNoPicture() {
        ImageView view;
        view.showImage(noise(8, 6, PixelFormat::Bit24), QSize(8, 6));
        view.clear();
        QVERIFY(view.isBlank());
        QCOMPARE(view.size(), QSize(8, 6));
        const QColor background = view.palette().window().color();
        QCOMPARE(view.grab().toImage().pixelColor(3, 3), background);
    }

#ifndef TAVLO_ALLOCATOR_ABORTS_ON_FAILURE
    // In a child whose data may grow by only 4 MiB, the view cannot get the 15 MB buffer of a very
    // wide picture: it says so and paints nothing, instead of crashing.
    void aPaintWithoutMemoryForItsBufferIsReported() {
        const Bitmap image = noise(60000, 1, PixelFormat::Bit24);
        ImageView view;
        bool reported = false;
        connect(&view, &ImageView::outOfMemory, this, [&] { reported = true; });
        view.showImage(image, QSize(60000, 1));
        QImage target(60000, 1, QImage::Format_RGB32);
        target.fill(Qt::white);
        const QRgb background = view.palette().window().color().rgb();
        const pid_t child = fork();
        if (child == 0) {
            if (!limitDataGrowth(4 << 20)) _exit(3);
            try { // the child never returns into the test runner
                view.render(&target);
            } catch (...) {
                _exit(2);
            }
            // The background shows where the picture would be.
            _exit(reported && target.pixel(100, 0) == background ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
#endif
};

QTEST_MAIN(ImageViewTest)
#include "image_view_test.moc"
