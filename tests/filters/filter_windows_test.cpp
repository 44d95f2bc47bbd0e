// The filter commands in the real main window, offscreen, with scripted file dialogs.
#include "app/filter_commands.h"
#include "app/main_window.h"
#include "app/scripted_dialogs.h"
#include "document/bmp_codec.h"
#include "filters/convolution.h"
#include "filters/equalisation.h"
#include "filters/median.h"
#include "filters/monochrome.h"
#include "filters/ui/filter_matrix_dialog.h"
#include "filters/ui/histogram_window.h"

#include "app/child_process.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <memory>

using namespace tavlo;

namespace {

tavlo::Bitmap speckled(int width, int height) {
    tavlo::Bitmap bitmap(width, height, tavlo::PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bitmap.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 37 + y * 11);
            p[1] = static_cast<std::uint8_t>((x * y) % 7 == 0 ? 250 : 40);
            p[2] = static_cast<std::uint8_t>(x + y * 9);
        }
    return bitmap;
}

tavlo::Bitmap uniform(int width, int height, std::uint8_t value) {
    tavlo::Bitmap bitmap(width, height, tavlo::PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        std::fill_n(bitmap.row(y), 3 * width, value);
    return bitmap;
}

void writeBmp(const QString& path, const tavlo::Bitmap& bitmap) {
    const tavlo::BmpFileParts parts = tavlo::encodeBmp(bitmap);
    std::ofstream(path.toStdString(), std::ios::binary)
        << parts.header << std::string(parts.pixels.begin(), parts.pixels.end());
}

std::string readText(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool samePixels(const tavlo::Bitmap& a, const tavlo::Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (!(a.pixel(x, y) == b.pixel(x, y))) return false;
    return true;
}

} // namespace

class FilterWindowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> mainWindow_;
    FilterCommands* commands_ = nullptr;

    void start(const QString& file) {
        dialogs_ = ScriptedDialogs();
        mainWindow_ = std::make_unique<MainWindow>(dialogs_, file);
        commands_ = new FilterCommands(*mainWindow_);
    }
    tavlo::Document& document() { return mainWindow_->document(); }
    QString path(const QString& name) const { return folder_.filePath(name); }
    FilterMatrixDialog& matrix() { return *commands_->matrixDialog(); }
    HistogramWindow& histogram() { return *commands_->histogramWindow(); }

  private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        writeBmp(path("speckled.bmp"), speckled(23, 17));
        writeBmp(path("grey.bmp"), uniform(8, 6, 90));
    }

    // Each menu item runs its kernel on the working image, keeps the undo copy and marks the
    // document changed.
    void menuItemsRunTheirKernels() {
        using Kernel = std::function<tavlo::Bitmap(const tavlo::Bitmap&)>;
        auto preset = [](int n) -> Kernel {
            return [n](const tavlo::Bitmap& b) {
                return tavlo::convolved(b, tavlo::kFilterPresets[static_cast<std::size_t>(n - 1)]);
            };
        };
        start(path("speckled.bmp"));
        const std::pair<QAction*, Kernel> rows[] = {
            {mainWindow_->smoothWeakAction, preset(1)},
            {mainWindow_->smoothMediumAction, preset(2)},
            {mainWindow_->smoothStrongAction, preset(3)},
            {mainWindow_->sharpenWeakAction, preset(4)},
            {mainWindow_->sharpenMediumAction, preset(5)},
            {mainWindow_->sharpenStrongAction, preset(6)},
            {mainWindow_->emboss1Action, preset(7)},
            {mainWindow_->emboss2Action, preset(8)},
            {mainWindow_->medianAction, tavlo::medianFiltered},
            {mainWindow_->monochromeAction, tavlo::greyed},
            {mainWindow_->equaliseAction,
             [](const tavlo::Bitmap& b) { return tavlo::equalised(b, 1.0f); }}};
        for (const auto& [item, kernel] : rows) {
            const tavlo::Bitmap before = document().workImage;
            document().modified = false;
            item->trigger();
            QVERIFY2(samePixels(document().workImage, kernel(before)),
                     qPrintable(item->objectName()));
            QVERIFY2(samePixels(document().undoImage, before), qPrintable(item->objectName()));
            QVERIFY2(document().modified, qPrintable(item->objectName()));
        }
        // A preset writes the shared kernel without touching the dialog's boxes.
        QCOMPARE(commands_->filterKernel(), tavlo::kFilterPresets[7]);
        QCOMPARE(matrix().box(4)->text(), QStringLiteral("1"));
    }

    void matrixBoxRuleAndReset() {
        start(path("speckled.bmp"));
        for (int i = 0; i < 9; ++i)
            QCOMPARE(matrix().box(i)->text(), QStringLiteral("1"));
        QCOMPARE(matrix().sumBox()->text(), QStringLiteral("9"));
        struct Row {
            const char* typed;
            const char* shown;
            std::int32_t k4;
            const char* sum;
        } rows[] = {{"-", "-", 1, "9"}, {"-5", "-5", -5, "3"},  {"1-", "0", 0, "8"},
                    {"", "", 0, "8"},   {"12", "12", 12, "20"}, {"7-3", "0", 0, "8"}};
        for (const Row& row : rows) {
            matrix().box(4)->setText(QString::fromUtf8(row.typed));
            QCOMPARE(matrix().box(4)->text(), QString::fromUtf8(row.shown));
            QCOMPARE(commands_->filterKernel()[4], row.k4);
            QCOMPARE(matrix().sumBox()->text(), QString::fromUtf8(row.sum));
        }
        // Letters are reported and stop the reading at that box.
        matrix().box(2)->setText(QStringLiteral("x"));
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY(dialogs_.errors.first().contains(QStringLiteral("'x'")));
        matrix().onReset();
        QCOMPARE(commands_->filterKernel(), tavlo::kResetKernel);
        QCOMPARE(matrix().box(2)->text(), QStringLiteral("1"));
        QCOMPARE(dialogs_.errors.size(), 1);
    }

    void matrixApplyAndBack() {
        start(path("speckled.bmp"));
        const tavlo::Bitmap original = document().workImage;
        mainWindow_->customFilterAction->trigger();
        QVERIFY(matrix().isVisible());
        for (int i = 0; i < 9; ++i)
            matrix().box(i)->setText(i == 4 ? QStringLiteral("1") : QStringLiteral("0"));
        matrix().onApply();
        QVERIFY(samePixels(document().workImage,
                           tavlo::convolved(original, {0, 0, 0, 0, 1, 0, 0, 0, 0})));
        QVERIFY(document().modified);
        matrix().box(4)->setText(QStringLiteral("0"));
        matrix().onApply(); // sum 0: mid grey
        QCOMPARE(document().workImage.pixel(3, 3), (tavlo::Rgb{128, 128, 128}));
        const tavlo::Bitmap grey = document().workImage;
        matrix().box(4)->setText(QStringLiteral("5"));
        for (int i = 0; i < 3; ++i)
            matrix().onBack();
        QVERIFY(samePixels(document().workImage, grey));
        QVERIFY(!matrix().isVisible());
    }

    void matrixSavesAndLoadsConstants() {
        start(path("speckled.bmp"));
        dialogs_.saveAnswers = {path("kernel"), path("KERNEL2.MTX"), path("a.txt")};
        for (int i = 0; i < 3; ++i)
            matrix().onSaveCoefficients();
        QCOMPARE(dialogs_.saves.front().title, QStringLiteral("３×３フィルター定数保存"));
        QCOMPARE(dialogs_.saves.front().filter, QStringLiteral("MTXﾌｧｲﾙ(*.MTX)|*.mtx"));
        QVERIFY(dialogs_.saves.front().askOverwrite);
        std::string nineOnes;
        for (int i = 0; i < 9; ++i)
            nineOnes += "1\r\n";
        QCOMPARE(readText(path("kernel.mtx")), nineOnes);
        QCOMPARE(readText(path("KERNEL2.MTX")), nineOnes);
        QCOMPARE(readText(path("a.txt.mtx")), nineOnes);

        std::ofstream(path("sharpen.mtx").toStdString(), std::ios::binary)
            << "0\r\n-1\r\n0\r\n-1\r\n5\r\n-1\r\n0\r\n-1\r\n0\r\n";
        std::ofstream(path("short.mtx").toStdString(), std::ios::binary) << "1\r\n2\r\n";
        dialogs_.openAnswers = {path("short.mtx"), path("sharpen.mtx")};
        matrix().onLoadCoefficients();
        QCOMPARE(dialogs_.errors.size(), 1);
        QCOMPARE(commands_->filterKernel(), tavlo::kResetKernel);
        matrix().onLoadCoefficients();
        QCOMPARE(dialogs_.openTitles.last(), QStringLiteral("３×３フィルター定数読み込み"));
        QCOMPARE(commands_->filterKernel(), tavlo::kFilterPresets[5]);
        QCOMPARE(matrix().box(1)->text(), QStringLiteral("-1"));
        QCOMPARE(matrix().sumBox()->text(), QStringLiteral("1"));
    }

#ifndef TAVLO_ALLOCATOR_ABORTS_ON_FAILURE
    // The histogram converts an 8-bit image to 24 bits; in a child whose data may grow by only
    // 4 MiB the 12 MB conversion fails, which is reported and leaves the image as it was.
    void histogramWithoutMemoryIsReported() {
        writeBmp(path("eight.bmp"),
                 tavlo::Bitmap(2000, 2000, tavlo::PixelFormat::Bit8, {{0, 0, 0, 0}, {9, 9, 9, 0}}));
        start(path("eight.bmp"));
        const pid_t child = fork();
        if (child == 0) {
            if (!limitDataGrowth(4 << 20)) _exit(3);
            try { // the child never returns into the test runner
                mainWindow_->histogramAction->trigger();
            } catch (...) {
                _exit(2);
            }
            const bool unchanged = document().workImage.format() == tavlo::PixelFormat::Bit8;
            _exit(dialogs_.errors.size() == 1 && unchanged ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
#endif

    // A uniform grey 90: one bar of 64 at x = 91 in every chart, drawn on the grid.
    void histogramWindowFollowsTheImage() {
        start(path("grey.bmp"));
        mainWindow_->histogramAction->trigger();
        QVERIFY(mainWindow_->histogramAction->isChecked());
        QVERIFY(histogram().isVisible());
        QCOMPARE(histogram().windowTitle(), QStringLiteral("grey.bmp"));
        QCOMPARE(histogram().pos(), QPoint(10, 50));
        const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255)};
        for (int i = 0; i < 4; ++i) {
            const QImage& chart = histogram().chart(i);
            QCOMPARE(chart.size(), QSize(257, 65));
            QCOMPARE(histogram().chartLabel(i)->geometry(), QRect(8, 8 + 72 * i, 257, 65));
            QCOMPARE(chart.pixel(91, 1), colours[i]);
            QCOMPARE(chart.pixel(91, 0), qRgb(0, 0, 0)); // the frame under a full bar
            QCOMPARE(chart.pixel(90, 30), qRgb(255, 255, 255));
            QCOMPARE(chart.pixel(64, 30), qRgb(0, 0, 0)); // grid line
        }
        // A left click halves the factor: the bar doubles and is cut at the top.
        QTest::mouseClick(histogram().chartLabel(2), Qt::LeftButton);
        QCOMPARE(commands_->histogramFactor(), 0.5f);
        QCOMPARE(histogram().chart(0).pixel(91, 0), qRgb(0, 0, 0));
        QTest::mouseClick(histogram().chartLabel(0), Qt::RightButton);
        QTest::mouseClick(histogram().chartLabel(0), Qt::RightButton);
        QCOMPARE(commands_->histogramFactor(), 2.0f);
        QCOMPARE(histogram().chart(1).pixel(91, 33), qRgb(255, 0, 0));
        QCOMPARE(histogram().chart(1).pixel(91, 32), qRgb(255, 255, 255));

        // Every refresh redraws it: monochrome of grey 90 stays 90, the equalisation turns it
        // white.
        histogram().move(300, 300);
        mainWindow_->equaliseAction->trigger();
        QCOMPARE(histogram().pos(), QPoint(10, 50));
        QCOMPARE(histogram().chart(3).pixel(256, 40), qRgb(0, 0, 255));
        QCOMPARE(histogram().chart(3).pixel(91, 40), qRgb(255, 255, 255));

        histogram().close();
        QVERIFY(!mainWindow_->histogramAction->isChecked());
        mainWindow_->histogramAction->trigger();
        QVERIFY(histogram().isVisible());
        mainWindow_->histogramAction->trigger();
        QVERIFY(!histogram().isVisible());
    }

    // Fast clicking: the second press of a double click counts as well. However far the
    // clicks go in one direction, as many the other way bring the first scale back.
    void everyChartPressCountsAndTheScaleComesBack() {
        start(path("grey.bmp"));
        mainWindow_->histogramAction->trigger();
        // As a double click reaches a widget: a click, then the second press as a double click.
        auto doubleClick = [this](Qt::MouseButton button) {
            QTest::mouseClick(histogram().chartLabel(1), button);
            QTest::mouseDClick(histogram().chartLabel(1), button);
        };
        doubleClick(Qt::LeftButton);
        QCOMPARE(commands_->histogramFactor(), 0.25f);
        doubleClick(Qt::RightButton);
        QCOMPARE(commands_->histogramFactor(), 1.0f);

        const QImage first = histogram().chart(1);
        const std::tuple<Qt::MouseButton, int, float> runs[] = {
            {Qt::LeftButton, 200, tavlo::kSmallestHistogramFactor},
            {Qt::RightButton, 28, 1.0f},
            {Qt::RightButton, 200, tavlo::kLargestHistogramFactor},
            {Qt::LeftButton, 7, 1.0f}};
        for (const auto& [button, clicks, factor] : runs) {
            for (int i = 0; i < clicks; ++i)
                QTest::mouseClick(histogram().chartLabel(1), button);
            QCOMPARE(commands_->histogramFactor(), factor);
        }
        QCOMPARE(histogram().chart(1), first);
    }

    void histogramConvertsAPaletteWorkImage() {
        tavlo::Bitmap palette(5, 5, tavlo::PixelFormat::Bit8, {{10, 20, 30, 0}, {200, 100, 0, 0}});
        writeBmp(path("palette.bmp"), palette);
        start(path("palette.bmp"));
        QCOMPARE(document().workImage.format(), tavlo::PixelFormat::Bit8);
        mainWindow_->histogramAction->trigger();
        QCOMPARE(document().workImage.format(), tavlo::PixelFormat::Bit24);
    }
};

QTEST_MAIN(FilterWindowsTest)
#include "filter_windows_test.moc"
