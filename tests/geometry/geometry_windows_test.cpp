// The geometry dialogs and menu commands driven offscreen through the real main window: the
// trimming cross-limits and refusals, the locked aspect ratio, dragging the wallpaper frame, and
// what each command does to the document.
#include "app/geometry_commands.h"
#include "app/main_window.h"
#include "app/scripted_dialogs.h"
#include "document/texts.h"
#include "geometry/geometry_entries.h"
#include "geometry/ui/deformation_dialog.h"
#include "geometry/ui/rotation_dialog.h"
#include "geometry/ui/size_dialog.h"
#include "geometry/ui/trimming_dialog.h"
#include "geometry/ui/wallpaper_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QtTest>

#include <cstring>
#include <type_traits>

using namespace tavlo;

using tavlo::Bitmap;
using tavlo::PixelFormat;

namespace {

// A 24-bit image whose pixel (x, y) has blue x, green y.
Bitmap coordinates(int width, int height, PixelFormat format = PixelFormat::Bit24) {
    Bitmap bitmap(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bitmap.row(y)[3 * x] = static_cast<std::uint8_t>(x);
            bitmap.row(y)[3 * x + 1] = static_cast<std::uint8_t>(y);
            bitmap.row(y)[3 * x + 2] = 7;
        }
    return format == PixelFormat::Bit24 ? bitmap : Bitmap(width, height, format);
}

template <class Control> Control* control(QWidget* dialog, const char* name) {
    auto* found = dialog->findChild<Control*>(QString::fromLatin1(name));
    if (!found) qFatal("no control %s", name);
    return found;
}

QRadioButton* sizeButton(QWidget* dialog, int index) {
    return control<QRadioButton>(dialog,
                                 qPrintable(QStringLiteral("RadioButton%1").arg(index + 1)));
}

// The frame fits when the red label is hidden and 実行 is offered.
bool wallpaperFits(QWidget* dialog) {
    return control<QLabel>(dialog, "Label1")->isHidden() &&
           control<QPushButton>(dialog, "Button1")->isEnabled();
}

bool samePicture(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.height() != b.height() || a.format() != b.format())
        return false;
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.row(y), b.row(y), a.stride()) != 0) return false;
    return true;
}

void mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class GeometryWindowsTest : public QObject {
    Q_OBJECT
  private:
    ScriptedDialogs dialogs;
    MainWindow* mainWindow = nullptr;
    GeometryCommands* commands = nullptr;

    tavlo::Document& document() { return mainWindow->document(); }
    // The rotation bar where it shows `degrees`: its range is the angle's.
    void setAngle(int degrees) {
        auto* bar = control<QScrollBar>(commands->rotationDialog, "ScrollBar1");
        QCOMPARE(bar->maximum() - bar->minimum(),
                 RotationParameters::kAngle.maximum - RotationParameters::kAngle.minimum);
        bar->setValue(bar->minimum() + degrees - RotationParameters::kAngle.minimum);
    }
    template <class Parameters>
    void expectItemRuns(const MenuOffer<Parameters>& offer, const OperationEntry<Parameters>& entry,
                        const Parameters& parameters) {
        load(coordinates(30, 20));
        Document expected = document();
        entry.steps(expected, parameters);
        choose(offer);
        if constexpr (std::is_same_v<Parameters, DeformParameters>) {
            auto* bar = control<QScrollBar>(commands->deformationDialog, "ScrollBar1");
            bar->setValue(bar->minimum() + parameters.strength -
                          DeformParameters::kStrength.minimum);
            control<QPushButton>(commands->deformationDialog, "Button1")->click();
        }
        QVERIFY2(samePicture(document().workImage, expected.workImage), offer.item.objectName);
        QVERIFY(document().modified);
    }
    template <class Parameters> void choose(const MenuOffer<Parameters>& offer) {
        mainWindow->menuAction(offer.item)->trigger();
    }
    void load(Bitmap image) {
        document().workImage = std::move(image);
        document().undoImage = document().workImage;
        document().loadedWidth = document().workImage.width();
        document().loadedHeight = document().workImage.height();
        document().modified = false;
        mainWindow->refresh();
    }

  private slots:
    void init() {
        dialogs = ScriptedDialogs();
        mainWindow = new MainWindow(dialogs, QString());
        commands = new GeometryCommands(*mainWindow);
        document().sourcePath = "/photos/holiday.bmp";
    }
    void cleanup() { delete mainWindow; }

    void trimmingEdgesLimitEachOther() {
        load(coordinates(30, 20));
        choose(kTrimMenuItems[0]);
        TrimmingDialog* trimmingDialog = commands->trimmingDialog;
        QVERIFY(trimmingDialog->isVisible());
        QCOMPARE(trimmingDialog->windowTitle(), QStringLiteral("/photos/holiday.bmp"));
        QTRY_VERIFY(!control<QTimer>(trimmingDialog, "Timer1")
                         ->isActive()); // the nudge of the left edge is undone
        QCOMPARE(control<QScrollBar>(trimmingDialog, "ScrollBar1")->value(), 0);
        QCOMPARE(control<QScrollBar>(trimmingDialog, "ScrollBar2")->value(), 29);
        QCOMPARE(control<QScrollBar>(trimmingDialog, "ScrollBar4")->value(), 19);
        QCOMPARE(control<QLineEdit>(trimmingDialog, "TrimWidth")->text(), QStringLiteral("30"));
        control<QScrollBar>(trimmingDialog, "ScrollBar2")->setValue(11);
        control<QScrollBar>(trimmingDialog, "ScrollBar1")->setValue(25);
        QCOMPARE(control<QScrollBar>(trimmingDialog, "ScrollBar1")->value(),
                 10); // stops one short of the right edge
        control<QScrollBar>(trimmingDialog, "ScrollBar4")->setValue(1);
        control<QScrollBar>(trimmingDialog, "ScrollBar3")->setValue(5);
        QCOMPARE(control<QScrollBar>(trimmingDialog, "ScrollBar3")->value(), 0);
        QCOMPARE(control<QScrollBar>(trimmingDialog, "ScrollBar4")->minimum(), 1);
    }

    void trimmingCutsTheFrame() {
        load(coordinates(30, 20));
        choose(kTrimMenuItems[0]);
        QTRY_VERIFY(!control<QTimer>(commands->trimmingDialog, "Timer1")->isActive());
        TrimmingDialog* trimmingDialog = commands->trimmingDialog;
        control<QScrollBar>(trimmingDialog, "ScrollBar2")->setValue(19);
        control<QScrollBar>(trimmingDialog, "ScrollBar1")->setValue(10);
        control<QScrollBar>(trimmingDialog, "ScrollBar4")->setValue(9);
        control<QScrollBar>(trimmingDialog, "ScrollBar3")->setValue(5);
        QCOMPARE(control<QLineEdit>(trimmingDialog, "TrimWidth")->text(), QStringLiteral("10"));
        QCOMPARE(control<QLineEdit>(trimmingDialog, "TrimHeight")->text(), QStringLiteral("5"));
        control<QPushButton>(trimmingDialog, "Button1")->click();
        QVERIFY(!trimmingDialog->isVisible());
        QCOMPARE(document().workImage.width(), 10);
        QCOMPARE(document().workImage.height(), 5);
        QCOMPARE(document().workImage.pixel(0, 0).b, std::uint8_t{10});
        QCOMPARE(document().workImage.pixel(0, 0).g, std::uint8_t{5});
        QCOMPARE(document().undoImage.width(), 30);
        QCOMPARE(document().information.changeCaption, std::string(tavlo::kTrimmedGroupCaption));
        QVERIFY(document().modified);
    }

    // The dialogs are modeless and follow the working image: turned under the trimming dialog,
    // the frame no longer fits and is placed again over the whole turned image; trimmed under the
    // wallpaper dialog, the wallpaper cuts the pixels its frame shows; loaded under the size
    // dialog, the caption and source figures are the new image's.
    void openDialogsFollowTheImage() {
        load(coordinates(30, 20));
        choose(kTrimMenuItems[0]);
        TrimmingDialog* trimmingDialog = commands->trimmingDialog;
        QTRY_VERIFY(!control<QTimer>(trimmingDialog, "Timer1")->isActive());
        control<QScrollBar>(trimmingDialog, "ScrollBar2")->setValue(25);
        choose(kTurnMenuItems[0]);
        const Bitmap turned = document().workImage;
        QCOMPARE(control<QLineEdit>(trimmingDialog, "SourceWidth")->text(), QStringLiteral("20"));
        QCOMPARE(control<QLineEdit>(trimmingDialog, "TrimWidth")->text(), QStringLiteral("20"));
        QCOMPARE(control<QLineEdit>(trimmingDialog, "TrimHeight")->text(), QStringLiteral("30"));
        control<QPushButton>(trimmingDialog, "Button1")->click();
        QVERIFY(samePicture(document().workImage, turned));
        QVERIFY(dialogs.messages.isEmpty());

        load(coordinates(1201, 797));
        choose(kWallpaperMenuItems[0]);
        WallpaperDialog* wallpaperDialog = commands->wallpaperDialog;
        control<QRadioButton>(wallpaperDialog, "RadioButton1")->click(); // 640 × 480
        choose(kTrimMenuItems[0]);
        QTRY_VERIFY(!control<QTimer>(trimmingDialog, "Timer1")->isActive());
        control<QScrollBar>(trimmingDialog, "ScrollBar1")->setValue(40);
        control<QPushButton>(trimmingDialog, "Button1")->click();
        const Bitmap trimmed = document().workImage;
        QCOMPARE(control<QLineEdit>(wallpaperDialog, "Edit2")->text(), QStringLiteral("1161"));
        const int left = control<QScrollBar>(wallpaperDialog, "ScrollBar2")->value();
        const int top = control<QScrollBar>(wallpaperDialog, "ScrollBar3")->value();
        control<QPushButton>(wallpaperDialog, "Button1")->click();
        const Bitmap& cut = document().workImage;
        QVERIFY(cut.width() < trimmed.width());
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{cut.width() - 1, cut.height() - 1}})
            QCOMPARE(cut.pixel(x, y).b, trimmed.pixel(left + x, top + y).b);

        // A frame outside the image, should one still come, is refused with the reason.
        const Bitmap before = document().workImage;
        emit trimmingDialog->runRequested({0, 0, before.width(), before.height()});
        emit wallpaperDialog->runRequested({kWallpaperSizes[0], true, before.width(), 0});
        QCOMPARE(dialogs.messages,
                 QStringList(2, QStringLiteral(
                                    "枠が画像からはみ出しています。枠を設定し直してください。")));
        QVERIFY(samePicture(document().workImage, before));

        choose(kResizeMenuItems[0]);
        document().sourcePath = "/photos/next.bmp";
        load(coordinates(50, 20));
        QCOMPARE(commands->sizeDialog->windowTitle(), QStringLiteral("next.bmp"));
        QCOMPARE(control<QLineEdit>(commands->sizeDialog, "Edit1")->text(), QStringLiteral("50"));
    }

    // Each cut dialog keeps its own frame, whichever opened first, and cuts what it shows.
    // Steps: T/W open trimming/wallpaper, m moves the trimming edges to 100…299 × 50…149,
    // d drags the wallpaper frame to the top-left corner, c cancels the wallpaper, t/w run one.
    void eachCutDialogCutsItsOwnFrame_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QRect>("cut");
        const QRect whole(0, 0, 2000, 1500), trimmed(100, 50, 200, 100),
            centred(360, 238, 1280, 1024);
        QTest::newRow("wallpaper cancelled, trimming at once") << "WcTt" << whole;
        QTest::newRow("wallpaper dragged, trimming at once") << "WdTt" << whole;
        QTest::newRow("trimming moved, wallpaper runs") << "TmWw" << centred;
        QTest::newRow("trimming moved, trimming runs") << "TmWt" << trimmed;
        QTest::newRow("wallpaper open, trimming moved, wallpaper runs") << "WTmw" << centred;
        QTest::newRow("wallpaper open, trimming moved, trimming runs") << "WTmt" << trimmed;
        QTest::newRow("trimming moved, dragged wallpaper runs")
            << "TmWdw" << QRect(0, 0, 1280, 1024);
        QTest::newRow("trimming reopened starts whole") << "TmTt" << whole;
    }
    void eachCutDialogCutsItsOwnFrame() {
        QFETCH(QString, steps);
        QFETCH(QRect, cut);
        load(coordinates(2000, 1500));
        TrimmingDialog* trimming = commands->trimmingDialog;
        WallpaperDialog* wallpaper = commands->wallpaperDialog;
        for (const QChar step : steps) {
            switch (step.unicode()) {
            case 'T':
                choose(kTrimMenuItems[0]);
                QTRY_VERIFY(!control<QTimer>(trimming, "Timer1")->isActive());
                break;
            case 'W':
                choose(kWallpaperMenuItems[0]);
                break;
            case 'm':
                control<QScrollBar>(trimming, "ScrollBar2")->setValue(299);
                control<QScrollBar>(trimming, "ScrollBar1")->setValue(100);
                control<QScrollBar>(trimming, "ScrollBar4")->setValue(149);
                control<QScrollBar>(trimming, "ScrollBar3")->setValue(50);
                break;
            case 'd':
                control<QScrollBar>(wallpaper, "ScrollBar2")->setValue(0);
                control<QScrollBar>(wallpaper, "ScrollBar3")->setValue(0);
                break;
            case 'c':
                control<QPushButton>(wallpaper, "Button2")->click();
                break;
            case 't':
                control<QPushButton>(trimming, "Button1")->click();
                break;
            case 'w':
                control<QPushButton>(wallpaper, "Button1")->click();
                break;
            }
        }
        const Bitmap& image = document().workImage;
        QCOMPARE(QSize(image.width(), image.height()), cut.size());
        QCOMPARE(image.pixel(0, 0).b, std::uint8_t(cut.left() & 0xFF));
        QCOMPARE(image.pixel(0, 0).g, std::uint8_t(cut.top() & 0xFF));
        QCOMPARE(image.pixel(image.width() - 1, image.height() - 1).b,
                 std::uint8_t(cut.right() & 0xFF));
        QCOMPARE(image.pixel(image.width() - 1, image.height() - 1).g,
                 std::uint8_t(cut.bottom() & 0xFF));
    }

    void lockedAspectFollowsTheWidth() {
        load(coordinates(40, 30));
        choose(kResizeMenuItems[0]);
        SizeDialog* sizeDialog = commands->sizeDialog;
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit1")->text(), QStringLiteral("40"));
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit5")->text(), QStringLiteral("1.333333"));
        QVERIFY(!control<QPushButton>(sizeDialog, "Button1")->isEnabled());
        QVERIFY(control<QLineEdit>(sizeDialog, "Edit4")->isReadOnly());
        control<QLineEdit>(sizeDialog, "Edit3")->setText(QStringLiteral("0400"));
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit3")->text(), QStringLiteral("400"));
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit4")->text(), QStringLiteral("300"));
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit6")->text(), QStringLiteral("1.333333"));
        control<QLineEdit>(sizeDialog, "Edit3")->setText(QStringLiteral("401"));
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit4")->text(), QStringLiteral("300"));
        QVERIFY(control<QPushButton>(sizeDialog, "Button1")->isEnabled());
        control<QPushButton>(sizeDialog, "Button1")->click();
        QCOMPARE(document().workImage.width(), 401);
        QCOMPARE(document().workImage.height(), 300);
        QCOMPARE(document().information.changeCaption, std::string(tavlo::kResizedGroupCaption));
        QVERIFY(document().modified);
    }

    // On a 1 × 100 image the locked height is a hundred times the width: a width whose height
    // passes 2^31 − 1 is refused and the fields stay as they were.
    void lockedHeightBeyondAnIntIsRefused() {
        load(coordinates(1, 100));
        choose(kResizeMenuItems[0]);
        SizeDialog* sizeDialog = commands->sizeDialog;
        control<QLineEdit>(sizeDialog, "Edit3")->setText(QStringLiteral("2000000"));
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit4")->text(), QStringLiteral("200000000"));
        control<QLineEdit>(sizeDialog, "Edit3")->setText(QStringLiteral("30000000"));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit3")->text(), QStringLiteral("2000000"));
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit4")->text(), QStringLiteral("200000000"));
        QVERIFY(control<QPushButton>(sizeDialog, "Button1")->isEnabled());
    }

    void freeAspectShowsADashForLowHeights() {
        load(coordinates(40, 30));
        choose(kResizeMenuItems[0]);
        SizeDialog* sizeDialog = commands->sizeDialog;
        control<QCheckBox>(sizeDialog, "CheckBox2")->setChecked(false);
        QVERIFY(!control<QLineEdit>(sizeDialog, "Edit4")->isReadOnly());
        control<QLineEdit>(sizeDialog, "Edit4")->setText(QStringLiteral("1"));
        control<QLineEdit>(sizeDialog, "Edit3")->setText(QStringLiteral("8"));
        QCOMPARE(control<QLineEdit>(sizeDialog, "Edit6")->text(), QStringLiteral("-"));
        QVERIFY(control<QPushButton>(sizeDialog, "Button1")->isEnabled());
        // An emptied width leaves the button as it was; "実行" then asks for a side of 0.
        control<QLineEdit>(sizeDialog, "Edit3")->setText(QString());
        control<QPushButton>(sizeDialog, "Button1")->click();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(document().workImage.width(), 40);
        QVERIFY(!document().modified);
    }

    void wallpaperFrameDragsAndStopsAtTheBorder() {
        load(coordinates(2000, 1500));
        choose(kWallpaperMenuItems[0]);
        WallpaperDialog* wallpaperDialog = commands->wallpaperDialog;
        QVERIFY(wallpaperFits(wallpaperDialog));
        QVERIFY(control<QPushButton>(wallpaperDialog, "Button1")->isEnabled());
        QCOMPARE(control<QScrollBar>(wallpaperDialog, "ScrollBar2")->value(), 360);
        QCOMPARE(control<QScrollBar>(wallpaperDialog, "ScrollBar3")->value(), 238);
        // Preview scale 5: the dialog point (100, 100) is image pixel (500, 500).
        mouse(wallpaperDialog, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
        mouse(wallpaperDialog, QEvent::MouseMove, {120, 110}, Qt::LeftButton);
        QCOMPARE(control<QScrollBar>(wallpaperDialog, "ScrollBar2")->value(),
                 460); // pixel 600 stays 140 right of the edge
        QCOMPARE(control<QScrollBar>(wallpaperDialog, "ScrollBar3")->value(), 288);
        mouse(wallpaperDialog, QEvent::MouseMove, {390, 300}, Qt::LeftButton);
        QCOMPARE(control<QScrollBar>(wallpaperDialog, "ScrollBar2")->value(), 2000 - 1280);
        QCOMPARE(control<QScrollBar>(wallpaperDialog, "ScrollBar3")->value(), 1500 - 1024);
        mouse(wallpaperDialog, QEvent::MouseButtonRelease, {390, 300}, Qt::NoButton);
        mouse(wallpaperDialog, QEvent::MouseMove, {100, 100}, Qt::NoButton);
        QCOMPARE(control<QScrollBar>(wallpaperDialog, "ScrollBar2")->value(), 720);
        // A press on the frame's left line does not grab it.
        mouse(wallpaperDialog, QEvent::MouseButtonPress, {144, 100}, Qt::LeftButton);
        mouse(wallpaperDialog, QEvent::MouseMove, {100, 100}, Qt::LeftButton);
        QCOMPARE(control<QScrollBar>(wallpaperDialog, "ScrollBar2")->value(), 720);
        mouse(wallpaperDialog, QEvent::MouseButtonRelease, {100, 100}, Qt::NoButton);
        control<QPushButton>(wallpaperDialog, "Button1")->click();
        QCOMPARE(document().workImage.width(), 1280);
        QCOMPARE(document().workImage.pixel(0, 0).b, std::uint8_t{720 & 0xFF});
        QVERIFY(!wallpaperDialog->isVisible());
    }

    void wallpaperTooSmall() {
        load(coordinates(1279, 1100));
        choose(kWallpaperMenuItems[0]);
        WallpaperDialog* wallpaperDialog = commands->wallpaperDialog;
        QVERIFY(!wallpaperFits(wallpaperDialog));
        QVERIFY(!control<QLabel>(wallpaperDialog, "Label1")->isHidden());
        QVERIFY(!control<QPushButton>(wallpaperDialog, "Button1")->isEnabled());
        sizeButton(wallpaperDialog, 2)->click(); // 1024 × 768 fits
        QVERIFY(wallpaperFits(wallpaperDialog));
        QVERIFY(control<QLabel>(wallpaperDialog, "Label1")->isHidden());
        QVERIFY(control<QPushButton>(wallpaperDialog, "Button1")->isEnabled());
    }

    // A portrait image's preview is narrow: after a size that fits, a size that does not moves
    // the group right of the red label, and the dialog must grow with it.
    void wallpaperDialogHoldsItsControls() {
        load(coordinates(1080, 1920));
        choose(kWallpaperMenuItems[0]);
        WallpaperDialog* wallpaperDialog = commands->wallpaperDialog;
        for (const int size : {0, 3}) {
            sizeButton(wallpaperDialog, size)->click();
            const QWidget* controls[] = {control<QPushButton>(wallpaperDialog, "Button2"),
                                         control<QScrollBar>(wallpaperDialog, "ScrollBar3"),
                                         control<QLineEdit>(wallpaperDialog, "Edit3"),
                                         control<QRadioButton>(wallpaperDialog, "RadioButton7")};
            for (const QWidget* widget : controls) {
                const QRect where(widget->mapTo(wallpaperDialog, QPoint(0, 0)), widget->size());
                QVERIFY2(wallpaperDialog->rect().contains(where), qPrintable(widget->objectName()));
            }
            QVERIFY(control<QLabel>(wallpaperDialog, "Label1")->isHidden() ||
                    !control<QLabel>(wallpaperDialog, "Label1")
                         ->geometry()
                         .intersects(control<QGroupBox>(wallpaperDialog, "GroupBox1")->geometry()));
        }
    }

    void rotationDialog() {
        load(coordinates(200, 100));
        choose(kRotationMenuItems[0]);
        RotationDialog* rotationDialog = commands->rotationDialog;
        auto* angleBox = control<QLineEdit>(rotationDialog, "Edit1");
        auto* runButton = control<QPushButton>(rotationDialog, "Button1");
        QCOMPARE(angleBox->text(), QStringLiteral("0度"));
        runButton->click(); // angle 0: nothing runs, so nothing is modified
        QCOMPARE(document().undoImage.width(), 200);
        QVERIFY(!document().modified);
        setAngle(90);
        QCOMPARE(angleBox->text(), QStringLiteral("90度"));
        runButton->click();
        QCOMPARE(document().workImage.width(), 102);
        QCOMPARE(document().workImage.height(), 202);
        QVERIFY(document().modified);
        setAngle(-30);
        QCOMPARE(angleBox->text(), QStringLiteral("-30度"));
    }

    // Each item runs its own entry with its own preset; the deformation items with the bar's
    // strength.
    void menuItemsRunTheirEntries() {
        for (const MenuOffer<TurnParameters>& offer : kTurnMenuItems)
            expectItemRuns(offer, kTurnEntry, offer.preset);
        for (const MenuOffer<ShrinkParameters>& offer : kShrinkMenuItems)
            expectItemRuns(offer, kShrinkEntry, offer.preset);
        for (const OperationEntry<DeformParameters>* entry : {&kKeystoneEntry, &kShearEntry})
            for (const MenuOffer<DeformParameters>& offer : entry->menuItems)
                expectItemRuns(offer, *entry, {offer.preset.mode, -40});
    }

    void refusalsChangeNothing() {
        load(coordinates(5, 5, PixelFormat::Bit16));
        choose(kTurnMenuItems[0]);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(!document().modified);
        QCOMPARE(document().information.changeCaption, std::string(tavlo::kChangeGroupCaption));
        choose(kShrinkMenuItems[3]); // 5 ÷ 8 is 0
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(document().workImage.width(), 5);
        choose(kShrinkMenuItems[1]); // resizing takes every format
        QCOMPARE(document().workImage.width(), 2);
        QCOMPARE(document().workImage.format(), PixelFormat::Bit16);
        QVERIFY(document().modified);
    }

    void loadingHidesTheCutDialogs() {
        load(coordinates(2000, 1500));
        choose(kTrimMenuItems[0]);
        choose(kWallpaperMenuItems[0]);
        commands->hideCutDialogs();
        QVERIFY(!commands->trimmingDialog->isVisible());
        QVERIFY(!commands->wallpaperDialog->isVisible());
    }
};

QTEST_MAIN(GeometryWindowsTest)
#include "geometry_windows_test.moc"
