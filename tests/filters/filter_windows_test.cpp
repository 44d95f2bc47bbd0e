// The filter commands in the real main window, offscreen, with scripted file dialogs, driven
// through their menu items and the controls' names.
#include "app/menu_items.h"
#include "app/filter_commands.h"
#include "app/main_window.h"
#include "app/scripted_dialogs.h"
#include "document/bmp_codec.h"
#include "filters/convolution.h"
#include "filters/equalisation.h"
#include "filters/filter_entries.h"
#include "filters/median.h"
#include "filters/monochrome.h"
#include "filters/ui/filter_matrix_dialog.h"
#include "filters/ui/histogram_window.h"
#include "widgets/dialog_controls.h"

#include "app/child_process.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

std::string nineLines(const tavlo::FilterKernel& kernel) {
    std::string text;
    for (const std::int32_t k : kernel)
        text += std::to_string(k) + "\r\n";
    return text;
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
    QLineEdit* box(int i) {
        return matrix().findChild<QLineEdit*>(QStringLiteral("Memo%1").arg(i + 1));
    }
    QString sum() { return box(9)->text(); }
    void click(const char* button) {
        QTest::mouseClick(matrix().findChild<QPushButton*>(QString::fromLatin1(button)),
                          Qt::LeftButton);
    }
    void openMatrix() { mainWindow_->menuAction(kKernelMenuItems[0].item)->trigger(); }
    // 定数保存 under `name`: what the dialog would save now.
    std::string savedKernel(const QString& name) {
        dialogs_.saveAnswers.push_back(path(name));
        click("Button3");
        return readText(path(name).endsWith(QStringLiteral(".mtx"), Qt::CaseInsensitive)
                            ? path(name)
                            : path(name + ".mtx"));
    }
    QLabel* chartLabel(int i) {
        return histogram().findChild<QLabel*>(QStringLiteral("Image%1").arg(i + 1));
    }
    QImage chart(int i) { return chartLabel(i)->pixmap().toImage(); }
    float factor() { return histogram().scale().factor; }

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
        start(path("speckled.bmp"));
        std::vector<std::pair<MenuItemText, Kernel>> rows;
        for (const auto& offer : kFilterMenuItems)
            rows.push_back({offer.item, [&offer](const tavlo::Bitmap& b) {
                                return tavlo::convolved(b, offer.preset.kernel());
                            }});
        rows.push_back({kMedianMenuItems[0].item, tavlo::medianFiltered});
        rows.push_back({kGreyMenuItems[0].item, tavlo::greyed});
        rows.push_back({kEqualiseMenuItems[0].item,
                        [](const tavlo::Bitmap& b) { return tavlo::equalised(b, 1.0f); }});
        for (const auto& [item, kernel] : rows) {
            const tavlo::Bitmap before = document().workImage;
            document().modified = false;
            QAction* action = mainWindow_->menuAction(item);
            QVERIFY2(action, item.objectName);
            QCOMPARE(action->text(), fromUtf8(item.caption));
            action->trigger();
            QVERIFY2(samePixels(document().workImage, kernel(before)), item.objectName);
            QVERIFY2(samePixels(document().undoImage, before), item.objectName);
            QVERIFY2(document().modified, item.objectName);
        }
        // The last preset is what the dialog shows, saves and runs.
        mainWindow_->menuAction(kFilterMenuItems[7].item)->trigger();
        openMatrix();
        for (int i = 0; i < 9; ++i)
            QCOMPARE(box(i)->text(), QString::number(tavlo::kFilterPresets[7][i]));
        QCOMPARE(savedKernel("preset"), nineLines(tavlo::kFilterPresets[7]));
    }

    void matrixBoxRuleAndReset() {
        start(path("speckled.bmp"));
        openMatrix();
        for (int i = 0; i < 9; ++i)
            QCOMPARE(box(i)->text(), QStringLiteral("1"));
        QCOMPARE(sum(), QStringLiteral("9"));
        struct Row {
            const char* typed;
            const char* shown;
            const char* sum;
        } rows[] = {{"-", "-", "9"}, {"-5", "-5", "3"},  {"1-", "0", "8"},
                    {"", "", "8"},   {"12", "12", "20"}, {"7-3", "0", "8"}};
        for (const Row& row : rows) {
            box(4)->setText(QString::fromUtf8(row.typed));
            QCOMPARE(box(4)->text(), QString::fromUtf8(row.shown));
            QCOMPARE(sum(), QString::fromUtf8(row.sum));
        }
        // Letters are reported and stop the reading at that box.
        box(2)->setText(QStringLiteral("x"));
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY(dialogs_.errors.first().contains(QStringLiteral("'x'")));
        click("Button2");
        QCOMPARE(box(2)->text(), QStringLiteral("1"));
        QCOMPARE(savedKernel("reset"), nineLines(tavlo::kResetKernel));
        QCOMPARE(dialogs_.errors.size(), 1);
    }

    void matrixApplyAndBack() {
        start(path("speckled.bmp"));
        const tavlo::Bitmap original = document().workImage;
        openMatrix();
        QVERIFY(matrix().isVisible());
        for (int i = 0; i < 9; ++i)
            box(i)->setText(i == 4 ? QStringLiteral("1") : QStringLiteral("0"));
        click("Button1");
        QVERIFY(samePixels(document().workImage,
                           tavlo::convolved(original, {0, 0, 0, 0, 1, 0, 0, 0, 0})));
        QVERIFY(document().modified);
        box(4)->setText(QStringLiteral("0"));
        click("Button1"); // sum 0: mid grey
        QCOMPARE(document().workImage.pixel(3, 3), (tavlo::Rgb{128, 128, 128}));
        const tavlo::Bitmap grey = document().workImage;
        box(4)->setText(QStringLiteral("5"));
        for (int i = 0; i < 3; ++i) {
            matrix().show();
            click("Button4");
        }
        QVERIFY(samePixels(document().workImage, grey));
        QVERIFY(!matrix().isVisible());
    }

    void matrixSavesAndLoadsConstants() {
        start(path("speckled.bmp"));
        openMatrix();
        const std::string nineOnes = nineLines(tavlo::kResetKernel);
        QCOMPARE(savedKernel("kernel"), nineOnes);
        QCOMPARE(dialogs_.saves.front().title, QStringLiteral("３×３フィルター定数保存"));
        QCOMPARE(dialogs_.saves.front().filter, QStringLiteral("MTXﾌｧｲﾙ(*.MTX)|*.mtx"));
        QVERIFY(dialogs_.saves.front().askOverwrite);
        QCOMPARE(savedKernel("KERNEL2.MTX"), nineOnes);
        dialogs_.saveAnswers.push_back(path("a.txt"));
        click("Button3");
        QCOMPARE(readText(path("a.txt.mtx")), nineOnes);

        std::ofstream(path("sharpen.mtx").toStdString(), std::ios::binary)
            << "0\r\n-1\r\n0\r\n-1\r\n5\r\n-1\r\n0\r\n-1\r\n0\r\n";
        std::ofstream(path("short.mtx").toStdString(), std::ios::binary) << "1\r\n2\r\n";
        dialogs_.openAnswers = {path("short.mtx"), path("sharpen.mtx")};
        click("Button5");
        QCOMPARE(dialogs_.errors.size(), 1);
        QCOMPARE(savedKernel("unchanged"), nineOnes);
        click("Button5");
        QCOMPARE(dialogs_.openTitles.last(), QStringLiteral("３×３フィルター定数読み込み"));
        QCOMPARE(savedKernel("loaded"), nineLines(tavlo::kFilterPresets[5]));
        QCOMPARE(box(1)->text(), QStringLiteral("-1"));
        QCOMPARE(sum(), QStringLiteral("1"));
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
                mainWindow_->menuAction(kHistogramItem)->trigger();
            } catch (...) {
                _exit(2);
            }
            const bool unchanged = document().workImage.format() == tavlo::PixelFormat::Bit8;
            const bool reported =
                dialogs_.errors ==
                QStringList{QStringLiteral("メモリが足りないため、ヒストグラムを表示できません。")};
            _exit(reported && unchanged ? 0 : 1);
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
        mainWindow_->menuAction(kHistogramItem)->trigger();
        QVERIFY(mainWindow_->menuAction(kHistogramItem)->isChecked());
        QVERIFY(histogram().isVisible());
        QCOMPARE(histogram().windowTitle(), QStringLiteral("grey.bmp"));
        QCOMPARE(histogram().pos(), QPoint(10, 50));
        const QRgb colours[] = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255)};
        for (int i = 0; i < 4; ++i) {
            const QImage image = chart(i);
            QCOMPARE(image.size(), QSize(257, 65));
            QCOMPARE(chartLabel(i)->geometry(), QRect(8, 8 + 72 * i, 257, 65));
            QCOMPARE(image.pixel(91, 1), colours[i]);
            QCOMPARE(image.pixel(91, 0), qRgb(0, 0, 0)); // the frame under a full bar
            QCOMPARE(image.pixel(90, 30), qRgb(255, 255, 255));
            QCOMPARE(image.pixel(64, 30), qRgb(0, 0, 0)); // grid line
        }
        // A left click halves the factor: the bar doubles and is cut at the top.
        QTest::mouseClick(chartLabel(2), Qt::LeftButton);
        QCOMPARE(factor(), 0.5f);
        QCOMPARE(chart(0).pixel(91, 0), qRgb(0, 0, 0));
        QTest::mouseClick(chartLabel(0), Qt::RightButton);
        QTest::mouseClick(chartLabel(0), Qt::RightButton);
        QCOMPARE(factor(), 2.0f);
        QCOMPARE(chart(1).pixel(91, 33), qRgb(255, 0, 0));
        QCOMPARE(chart(1).pixel(91, 32), qRgb(255, 255, 255));

        // Every refresh redraws it: monochrome of grey 90 stays 90, the equalisation turns it
        // white.
        histogram().move(300, 300);
        mainWindow_->menuAction(kEqualiseItem)->trigger();
        QCOMPARE(histogram().pos(), QPoint(10, 50));
        QCOMPARE(chart(3).pixel(256, 40), qRgb(0, 0, 255));
        QCOMPARE(chart(3).pixel(91, 40), qRgb(255, 255, 255));

        histogram().close();
        QVERIFY(!mainWindow_->menuAction(kHistogramItem)->isChecked());
        mainWindow_->menuAction(kHistogramItem)->trigger();
        QVERIFY(histogram().isVisible());
        mainWindow_->menuAction(kHistogramItem)->trigger();
        QVERIFY(!histogram().isVisible());
    }

    // Fast clicking: the second press of a double click counts as well. However far the
    // clicks go in one direction, as many the other way bring the first scale back.
    void everyChartPressCountsAndTheScaleComesBack() {
        start(path("grey.bmp"));
        mainWindow_->menuAction(kHistogramItem)->trigger();
        // As a double click reaches a widget: a click, then the second press as a double click.
        auto doubleClick = [this](Qt::MouseButton button) {
            QTest::mouseClick(chartLabel(1), button);
            QTest::mouseDClick(chartLabel(1), button);
        };
        doubleClick(Qt::LeftButton);
        QCOMPARE(factor(), 0.25f);
        doubleClick(Qt::RightButton);
        QCOMPARE(factor(), 1.0f);

        const QImage first = chart(1);
        const std::tuple<Qt::MouseButton, int, float> runs[] = {{Qt::LeftButton, 200, 0x1p-28f},
                                                                {Qt::RightButton, 200, 1.0f},
                                                                {Qt::RightButton, 200, 0x1p7f},
                                                                {Qt::LeftButton, 200, 1.0f}};
        for (const auto& [button, clicks, expected] : runs) {
            for (int i = 0; i < clicks; ++i)
                QTest::mouseClick(chartLabel(1), button);
            QCOMPARE(factor(), expected);
        }
        QCOMPARE(chart(1), first);
    }

    void histogramConvertsAPaletteWorkImage() {
        tavlo::Bitmap palette(5, 5, tavlo::PixelFormat::Bit8, {{10, 20, 30, 0}, {200, 100, 0, 0}});
        writeBmp(path("palette.bmp"), palette);
        start(path("palette.bmp"));
        QCOMPARE(document().workImage.format(), tavlo::PixelFormat::Bit8);
        mainWindow_->menuAction(kHistogramItem)->trigger();
        QCOMPARE(document().workImage.format(), tavlo::PixelFormat::Bit24);
    }
};

QTEST_MAIN(FilterWindowsTest)
#include "filter_windows_test.moc"
