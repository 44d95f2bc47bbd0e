// On a desktop scaled by 2 the view still shows one image pixel per physical pixel at 1/1, and
// takes half as many of the desktop's units.
#include "document/bitmap.h"
#include "widgets/image_view.h"

#include <QtTest>

using namespace tavlo;

class ImageViewHiDpiTest : public QObject {
    Q_OBJECT

  private slots:
    void onePictureDotPerPhysicalPixel() {
        Bitmap image(61, 90, PixelFormat::Bit24);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                std::uint8_t* p = image.row(y) + 3 * x;
                p[0] = static_cast<std::uint8_t>(x * 4);
                p[1] = static_cast<std::uint8_t>(y * 2);
                p[2] = static_cast<std::uint8_t>((x + y) % 2 * 255);
            }
        ImageView view;
        QCOMPARE(view.devicePixelRatioF(), 2.0);
        view.setContentsMargins(2, 2, 0, 0);
        view.showImage(image, QSize(61, 90));
        QCOMPARE(view.size(), QSize(31 + 2, 45 + 2));
        for (const QRect part : {QRect(2, 2, 31, 45), QRect(9, 20, 7, 11)}) {
            const QImage shown = view.grab(part).toImage();
            const QPoint first = (part.topLeft() - QPoint(2, 2)) * 2;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    const QPoint at = first + QPoint(x, y);
                    if (at.x() >= image.width() || at.y() >= image.height()) continue;
                    const Rgb c = image.pixel(at.x(), at.y());
                    QCOMPARE(shown.pixel(x, y) | 0xFF000000u, qRgb(c.r, c.g, c.b));
                }
        }
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ImageViewHiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "image_view_hidpi_test.moc"
