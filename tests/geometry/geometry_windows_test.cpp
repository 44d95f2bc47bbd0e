// The geometry dialogs and menu commands driven offscreen through the real main window: the
// trimming cross-limits and refusals, the locked aspect ratio, dragging the wallpaper frame, and
// what each command does to the document.
#include "app/geometry_commands.h"
#include "app/main_window.h"
#include "app/scripted_dialogs.h"
#include "document/texts.h"
#include "geometry/ui/resize.h"
#include "geometry/ui/set_kaiten.h"
#include "geometry/ui/set_size.h"
#include "geometry/ui/wpaper.h"

#include <QMouseEvent>
#include <QtTest>

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
    TForm1* form1 = nullptr;
    GeometryCommands* commands = nullptr;

    tavlo::Document& document() { return form1->document(); }
    void load(Bitmap image) {
        document().workImage = std::move(image);
        document().undoImage = document().workImage;
        document().loadedWidth = document().workImage.width();
        document().loadedHeight = document().workImage.height();
        document().modified = false;
        form1->refresh();
    }

  private slots:
    void init() {
        dialogs = ScriptedDialogs();
        form1 = new TForm1(dialogs, QString());
        commands = new GeometryCommands(*form1);
        document().sourcePath = "/photos/holiday.bmp";
    }
    void cleanup() { delete form1; }

    void trimmingEdgesLimitEachOther() {
        load(coordinates(30, 20));
        form1->A5->trigger();
        TForm2* form2 = commands->Form2;
        QVERIFY(form2->isVisible());
        QCOMPARE(form2->windowTitle(), QStringLiteral("/photos/holiday.bmp"));
        QTest::qWait(150); // the nudge of the left edge is undone
        QCOMPARE(form2->ScrollBar1->value(), 0);
        QCOMPARE(form2->ScrollBar2->value(), 29);
        QCOMPARE(form2->ScrollBar4->value(), 19);
        QCOMPARE(form2->TrimWidth->text(), QStringLiteral("30"));
        form2->ScrollBar2->setValue(11);
        form2->ScrollBar1->setValue(25);
        QCOMPARE(form2->ScrollBar1->value(), 10); // stops one short of the right edge
        form2->ScrollBar4->setValue(1);
        form2->ScrollBar3->setValue(5);
        QCOMPARE(form2->ScrollBar3->value(), 0);
        QCOMPARE(form2->ScrollBar4->minimum(), 1);
    }

    void trimmingCutsTheFrame() {
        load(coordinates(30, 20));
        form1->A5->trigger();
        QTest::qWait(150);
        TForm2* form2 = commands->Form2;
        form2->ScrollBar2->setValue(19);
        form2->ScrollBar1->setValue(10);
        form2->ScrollBar4->setValue(9);
        form2->ScrollBar3->setValue(5);
        QCOMPARE(form2->TrimWidth->text(), QStringLiteral("10"));
        QCOMPARE(form2->TrimHeight->text(), QStringLiteral("5"));
        form2->Button1->click();
        QVERIFY(!form2->isVisible());
        QCOMPARE(document().workImage.width(), 10);
        QCOMPARE(document().workImage.height(), 5);
        QCOMPARE(document().workImage.pixel(0, 0).b, std::uint8_t{10});
        QCOMPARE(document().workImage.pixel(0, 0).g, std::uint8_t{5});
        QCOMPARE(document().undoImage.width(), 30);
        QCOMPARE(document().information.changeCaption, std::string(tavlo::kTrimmedGroupCaption));
        QVERIFY(document().modified);
    }

    // The dialog is modeless: a frame set on the 30 × 20 image no longer fits once it is turned.
    void aFrameThatNoLongerFitsIsRefused() {
        load(coordinates(30, 20));
        form1->A5->trigger();
        QTest::qWait(150);
        form1->R2->trigger();
        document().modified = false;
        const Bitmap turned = document().workImage;
        commands->Form2->Button1->click();
        QCOMPARE(document().workImage.width(), 20);
        QCOMPARE(document().undoImage.width(), 30); // the turn's undo copy is kept
        QVERIFY(!document().modified);
    }

    void lockedAspectFollowsTheWidth() {
        load(coordinates(40, 30));
        form1->A1->trigger();
        TForm4* form4 = commands->Form4;
        QCOMPARE(form4->Edit1->text(), QStringLiteral("40"));
        QCOMPARE(form4->Edit5->text(), QStringLiteral("1.333333"));
        QVERIFY(!form4->Button1->isEnabled());
        QVERIFY(form4->Edit4->isReadOnly());
        form4->Edit3->setText(QStringLiteral("0400"));
        QCOMPARE(form4->Edit3->text(), QStringLiteral("400"));
        QCOMPARE(form4->Edit4->text(), QStringLiteral("300"));
        QCOMPARE(form4->Edit6->text(), QStringLiteral("1.333333"));
        form4->Edit3->setText(QStringLiteral("401"));
        QCOMPARE(form4->Edit4->text(), QStringLiteral("300"));
        QVERIFY(form4->Button1->isEnabled());
        form4->Button1->click();
        QCOMPARE(document().workImage.width(), 401);
        QCOMPARE(document().workImage.height(), 300);
        QCOMPARE(document().information.changeCaption, std::string(tavlo::kResizedGroupCaption));
        QVERIFY(document().modified);
    }

    void freeAspectShowsADashForLowHeights() {
        load(coordinates(40, 30));
        form1->A1->trigger();
        TForm4* form4 = commands->Form4;
        form4->CheckBox2->setChecked(false);
        QVERIFY(!form4->Edit4->isReadOnly());
        form4->Edit4->setText(QStringLiteral("1"));
        form4->Edit3->setText(QStringLiteral("8"));
        QCOMPARE(form4->Edit6->text(), QStringLiteral("-"));
        QVERIFY(form4->Button1->isEnabled());
        // An emptied width leaves the button as it was; "実行" then asks for a side of 0.
        form4->Edit3->setText(QString());
        form4->Button1->click();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(document().workImage.width(), 40);
        QVERIFY(!document().modified);
    }

    void wallpaperFrameDragsAndStopsAtTheBorder() {
        load(coordinates(2000, 1500));
        form1->W1->trigger();
        TForm18* form18 = commands->Form18;
        QVERIFY(form18->fits());
        QVERIFY(form18->Button1->isEnabled());
        QCOMPARE(form18->ScrollBar2->value(), 360);
        QCOMPARE(form18->ScrollBar3->value(), 238);
        // Preview scale 5: the dialog point (100, 100) is image pixel (500, 500).
        mouse(form18, QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
        mouse(form18, QEvent::MouseMove, {120, 110}, Qt::LeftButton);
        QCOMPARE(form18->ScrollBar2->value(), 460); // pixel 600 stays 140 right of the edge
        QCOMPARE(form18->ScrollBar3->value(), 288);
        mouse(form18, QEvent::MouseMove, {390, 300}, Qt::LeftButton);
        QCOMPARE(form18->ScrollBar2->value(), 2000 - 1280);
        QCOMPARE(form18->ScrollBar3->value(), 1500 - 1024);
        mouse(form18, QEvent::MouseButtonRelease, {390, 300}, Qt::NoButton);
        mouse(form18, QEvent::MouseMove, {100, 100}, Qt::NoButton);
        QCOMPARE(form18->ScrollBar2->value(), 720);
        // A press on the frame's left line does not grab it.
        mouse(form18, QEvent::MouseButtonPress, {144, 100}, Qt::LeftButton);
        mouse(form18, QEvent::MouseMove, {100, 100}, Qt::LeftButton);
        QCOMPARE(form18->ScrollBar2->value(), 720);
        mouse(form18, QEvent::MouseButtonRelease, {100, 100}, Qt::NoButton);
        form18->Button1->click();
        QCOMPARE(document().workImage.width(), 1280);
        QCOMPARE(document().workImage.pixel(0, 0).b, std::uint8_t{720 & 0xFF});
        QVERIFY(!form18->isVisible());
    }

    void wallpaperTooSmall() {
        load(coordinates(1279, 1100));
        form1->W1->trigger();
        TForm18* form18 = commands->Form18;
        QVERIFY(!form18->fits());
        QVERIFY(!form18->Label1->isHidden());
        QVERIFY(!form18->Button1->isEnabled());
        form18->sizeButtons[2]->click(); // 1024 × 768 fits
        QVERIFY(form18->fits());
        QVERIFY(form18->Label1->isHidden());
        QVERIFY(form18->Button1->isEnabled());
    }

    void rotationDialog() {
        load(coordinates(200, 100));
        form1->D3->trigger();
        TForm6* form6 = commands->Form6;
        QCOMPARE(form6->Edit1->text(), QStringLiteral("0度"));
        form6->Button1->click(); // angle 0: nothing runs, yet the image counts as modified
        QCOMPARE(document().undoImage.width(), 200);
        QVERIFY(document().modified);
        form6->ScrollBar1->setValue(270);
        QCOMPARE(form6->Edit1->text(), QStringLiteral("90度"));
        QCOMPARE(document().operationParams[0], 90);
        form6->Button1->click();
        QCOMPARE(document().workImage.width(), 102);
        QCOMPARE(document().workImage.height(), 202);
        form6->ScrollBar1->setValue(150);
        QCOMPARE(form6->Edit1->text(), QStringLiteral("-30度"));
    }

    void refusalsChangeNothing() {
        load(coordinates(5, 5, PixelFormat::Bit16));
        form1->R2->trigger();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(!document().modified);
        QCOMPARE(document().information.changeCaption, std::string(tavlo::kChangeGroupCaption));
        form1->N18E2->trigger(); // 5 ÷ 8 is 0
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(document().workImage.width(), 5);
        form1->N12H2->trigger(); // resizing takes every format
        QCOMPARE(document().workImage.width(), 2);
        QCOMPARE(document().workImage.format(), PixelFormat::Bit16);
        QVERIFY(document().modified);
    }

    void loadingHidesTheCutDialogs() {
        load(coordinates(2000, 1500));
        form1->A5->trigger();
        form1->W1->trigger();
        commands->hideCutDialogs();
        QVERIFY(!commands->Form2->isVisible());
        QVERIFY(!commands->Form18->isVisible());
    }
};

QTEST_MAIN(GeometryWindowsTest)
#include "geometry_windows_test.moc"
