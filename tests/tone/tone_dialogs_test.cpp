// The tone dialogs driven offscreen through the real main window, found by their menu items and
// their controls' names: bar rules, linked bars, point limits, reset, the .tvl files, and what
// "実行" and "戻る" do to the document.
#include "app/main_window.h"
#include "app/scripted_dialogs.h"
#include "app/tone_commands.h"
#include "document/texts.h"
#include "tone/tone_entries.h"
#include "tone/ui/colour_tone_dialog.h"
#include "tone/ui/contrast_dialog.h"
#include "tone/ui/gamma_dialog.h"
#include "tone/ui/tone_curve_dialog.h"
#include "tone/ui/vividness_dialog.h"
#include "widgets/dialog_controls.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavlo;

using tavlo::Bitmap;
using tavlo::PixelFormat;
using tavlo::Rgb;

namespace {

Bitmap pixels(std::initializer_list<Rgb> colours) {
    Bitmap bitmap(static_cast<int>(colours.size()), 1, PixelFormat::Bit24);
    int x = 0;
    for (const Rgb& c : colours) {
        bitmap.row(0)[3 * x] = c.b;
        bitmap.row(0)[3 * x + 1] = c.g;
        bitmap.row(0)[3 * x + 2] = c.r;
        ++x;
    }
    return bitmap;
}

QString tvlData(const char* name) {
    return QStringLiteral(TAVLO_TEST_DATA "/constants/") + QString::fromLatin1(name);
}

// The control of `dialog` with that object name.
template <class Control> Control* control(QWidget* dialog, const char* name) {
    auto* found = dialog->findChild<Control*>(QString::fromLatin1(name));
    if (!found) qFatal("no control %s", name);
    return found;
}
QScrollBar* scrollBar(QWidget* dialog, const char* name) {
    return control<QScrollBar>(dialog, name);
}
QString text(QWidget* dialog, const char* name) {
    return control<QLineEdit>(dialog, name)->text();
}
void click(QWidget* dialog, const char* name) {
    QTest::mouseClick(control<QAbstractButton>(dialog, name), Qt::LeftButton);
}

} // namespace

class ToneDialogsTest : public QObject {
    Q_OBJECT
  private:
    ScriptedDialogs dialogs;
    MainWindow* mainWindow = nullptr;
    ToneCommands* commands = nullptr;

    tavlo::Document& document() { return mainWindow->document(); }
    Rgb at(int x) { return document().workImage.pixel(x, 0); }
    std::array<QWidget*, 5> toneDialogs() const {
        return {commands->toneCurveDialog, commands->colourToneDialog, commands->contrastDialog,
                commands->vividnessDialog, commands->gammaDialog};
    }
    // The dialog the entry's menu item shows, the others hidden first.
    template <class Parameters> QWidget* open(const OperationEntry<Parameters>& entry) {
        for (QWidget* dialog : toneDialogs())
            dialog->hide();
        const MenuItemText& item = entry.menuItems.front().item;
        QAction* action = mainWindow->menuAction(item);
        if (!action || action->text() != fromUtf8(item.caption)) qFatal("%s", item.objectName);
        action->trigger();
        for (QWidget* dialog : toneDialogs())
            if (dialog->isVisible()) return dialog;
        qFatal("no dialog shown");
    }

  private slots:
    void init() {
        dialogs = ScriptedDialogs();
        mainWindow = new MainWindow(dialogs, QString());
        commands = new ToneCommands(*mainWindow);
        document().sourcePath = "/photos/holiday.bmp";
    }
    void cleanup() { delete mainWindow; }

    void contrastAppliesItsPairToAllChannels() {
        document().workImage = pixels({{64, 100, 128}, {200, 128, 0}});
        const Bitmap before = document().workImage;
        QWidget* dialog = open(kContrastEntry);
        QCOMPARE(dialog, static_cast<QWidget*>(commands->contrastDialog));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("holiday.bmp"));
        QCOMPARE(text(dialog, "Memo1"), QStringLiteral("0"));
        scrollBar(dialog, "ScrollBar1")->setValue(256);
        QCOMPARE(text(dialog, "Memo1"), QStringLiteral("128"));
        QVERIFY(!document().modified);
        click(dialog, "Button1");
        QCOMPARE(at(0), (Rgb{0, 72, 128}));
        QCOMPARE(at(1), (Rgb{255, 128, 0}));
        QCOMPARE(document().undoImage.pixel(0, 0), before.pixel(0, 0));
        QVERIFY(document().modified);
        click(dialog, "Button3");
        QCOMPARE(text(dialog, "Memo1"), QStringLiteral("0"));
        click(dialog, "Button2");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(at(0), (Rgb{0, 72, 128}));
    }

    // An 8-bit image is refused with the message, an empty one with the size error; neither
    // counts as modified.
    void refusalsAndTheEmptyImage() {
        document().workImage = Bitmap(3, 2, PixelFormat::Bit8);
        click(open(kContrastEntry), "Button1");
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.first().toStdString(),
                 std::string(tavlo::kUnsupportedFormatMessage));
        QCOMPARE(document().workImage.format(), PixelFormat::Bit8);
        QVERIFY(!document().modified);

        document().workImage = Bitmap();
        click(open(kGammaEntry), "Button2");
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("Invalid Bitmap Size")});
        QVERIFY(!document().modified);
    }

    void colourToneLinksBarsAndTakesNoUndoCopy() {
        QWidget* dialog = open(kColourToneEntry);
        QCOMPARE(dialog, static_cast<QWidget*>(commands->colourToneDialog));
        document().workImage = pixels({{10, 100, 250}});
        document().undoImage = pixels({{1, 2, 3}});
        QCheckBox* linked = control<QCheckBox>(dialog, "CheckBox1");
        QVERIFY(linked->isChecked());
        scrollBar(dialog, "ScrollBar2")->setValue(178);
        for (const char* bar : {"ScrollBar1", "ScrollBar2", "ScrollBar3"})
            QCOMPARE(scrollBar(dialog, bar)->value(), 178);
        for (const char* box : {"Memo1", "Memo2", "Memo3"})
            QCOMPARE(text(dialog, box), QStringLiteral("50"));
        click(dialog, "Button2");
        QCOMPARE(at(0), (Rgb{60, 150, 255}));
        QCOMPARE(document().undoImage.pixel(0, 0), (Rgb{1, 2, 3}));

        QTest::mouseClick(linked, Qt::LeftButton);
        QVERIFY(!linked->isChecked());
        scrollBar(dialog, "ScrollBar1")->setValue(0);
        QCOMPARE(scrollBar(dialog, "ScrollBar2")->value(), 178);
        QCOMPARE(text(dialog, "Memo1"), QStringLiteral("-128"));
        click(dialog, "Button3");
        for (const char* box : {"Memo1", "Memo2", "Memo3"})
            QCOMPARE(text(dialog, box), QStringLiteral("0"));
        click(dialog, "Button2");
        QCOMPARE(at(0), (Rgb{60, 150, 255}));
    }

    void vividnessConvertsAndKeepsTheUndoFormat() {
        QWidget* dialog = open(kVividnessEntry);
        QCOMPARE(dialog, static_cast<QWidget*>(commands->vividnessDialog));
        document().workImage = Bitmap(2, 2, PixelFormat::Bit8);
        scrollBar(dialog, "ScrollBar1")->setValue(0);
        QCOMPARE(text(dialog, "Memo1"), QStringLiteral("-50"));
        click(dialog, "Button2");
        QCOMPARE(document().workImage.format(), PixelFormat::Bit24);
        QCOMPARE(document().undoImage.format(), PixelFormat::Bit8);
        document().workImage = pixels({{255, 0, 0}});
        click(dialog, "Button2");
        QCOMPARE(at(0), (Rgb{0, 128, 128}));
    }

    // The bar's range is the entry's: 0 … 100 around the middle 50.
    void gammaShowsTwoDecimals() {
        QWidget* dialog = open(kGammaEntry);
        QCOMPARE(dialog, static_cast<QWidget*>(commands->gammaDialog));
        QCOMPARE(text(dialog, "Memo1"), QStringLiteral("1.00"));
        QScrollBar* amount = scrollBar(dialog, "ScrollBar1");
        QCOMPARE(amount->minimum(), 0);
        QCOMPARE(amount->maximum(), 100);
        const std::pair<int, const char*> rows[] = {
            {49, "0.99"}, {51, "1.01"}, {13, "0.63"}, {0, "0.50"}, {100, "1.50"}};
        for (const auto& [position, shown] : rows) {
            amount->setValue(position);
            QCOMPARE(text(dialog, "Memo1"), QString::fromLatin1(shown));
        }
        document().workImage = pixels({{1, 128, 255}});
        click(dialog, "Button2");
        QCOMPARE(at(0), (Rgb{6, 161, 255}));
    }

    void curveDefaultsAndPointLimits() {
        QWidget* dialog = open(kToneCurveEntry);
        QCOMPARE(dialog, static_cast<QWidget*>(commands->toneCurveDialog));
        QCOMPARE(text(dialog, "Memo5"), QStringLiteral("0 (0)"));
        QCOMPARE(text(dialog, "Memo6"), QStringLiteral("64 (40)"));
        QCOMPARE(text(dialog, "Memo7"), QStringLiteral("192 (C0)"));
        QCOMPARE(text(dialog, "Memo8"), QStringLiteral("255 (FF)"));
        QCOMPARE(text(dialog, "Memo2"), QStringLiteral("64 (40)"));
        QCOMPARE(text(dialog, "Memo3"), QStringLiteral("192 (C0)"));

        QScrollBar* p2 = scrollBar(dialog, "ScrollBar2");
        QScrollBar* p3 = scrollBar(dialog, "ScrollBar3");
        p2->setValue(100);
        p3->setValue(101);
        QCOMPARE(p3->value(), 101);
        p3->setValue(50);
        p2->setValue(200);
        QCOMPARE(p3->value(), 101);
        QCOMPARE(p2->value(), 100);

        // Reset brings P2 back to 64 and P3 to 192 from either side of the design ranges.
        for (const auto& [lower, upper] :
             {std::pair{100, 101}, std::pair{30, 31}, std::pair{230, 254}}) {
            click(dialog, "Button3");
            p3->setValue(upper);
            p2->setValue(lower);
            p3->setValue(upper);
            QCOMPARE(p2->value(), lower);
            click(dialog, "Button3");
            QCOMPARE(p2->value(), 64);
            QCOMPARE(p3->value(), 192);
            QCOMPARE(text(dialog, "Memo2"), QStringLiteral("64 (40)"));
            QCOMPARE(p2->maximum(), 191);
            QCOMPARE(p3->minimum(), 65);
        }
    }

    void curveBarsChannelsAndGraph() {
        QWidget* dialog = open(kToneCurveEntry);
        const auto graph = [dialog] {
            return control<QLabel>(dialog, "Image1")->pixmap().toImage();
        };
        // Pulling the thumbs makes the negative curve; the graph follows in the channel's colour.
        scrollBar(dialog, "ScrollBar5")->setValue(0);
        scrollBar(dialog, "ScrollBar6")->setValue(64);
        scrollBar(dialog, "ScrollBar7")->setValue(192);
        scrollBar(dialog, "ScrollBar8")->setValue(255);
        QCOMPARE(text(dialog, "Memo5"), QStringLiteral("255 (FF)"));
        QCOMPARE(graph().pixelColor(103, 104), QColor(Qt::black));
        click(dialog, "RadioButton2");
        QCOMPARE(graph().pixelColor(103, 104), QColor(255, 0, 0));
        QCOMPARE(graph().pixelColor(100, 150), QColor(192, 192, 192));
        document().workImage = pixels({{255, 255, 255}});
        click(dialog, "Button1");
        QCOMPARE(at(0), (Rgb{0, 255, 255}));
        QVERIFY(document().modified);
        click(dialog, "Button3");
        QVERIFY(control<QAbstractButton>(dialog, "RadioButton1")->isChecked());
        click(dialog, "Button1");
        QCOMPARE(at(0), (Rgb{0, 255, 255}));
    }

    void curveFilesRoundTripAndFaultyOnesChangeNothing() {
        QWidget* dialog = open(kToneCurveEntry);
        QTemporaryDir folder;
        dialogs.saveAnswers.push_back(folder.filePath(QStringLiteral("curve")));
        click(dialog, "Button4");
        QCOMPARE(dialogs.saves.back().title, QStringLiteral("ＲＧＢ濃度設定定数保存"));
        QFile saved(folder.filePath(QStringLiteral("curve.tvl")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("0\r\n64\r\n192\r\n0\r\n64\r\n192\r\n255\r\n"));

        document().workImage = pixels({{10, 20, 30}});
        for (const char* faulty : {"letters.tvl", "p2_zero.tvl", "six_lines.tvl"}) {
            dialogs.openAnswers.push_back(tvlData(faulty));
            click(dialog, "Button5");
        }
        QCOMPARE(dialogs.openTitles.back(), QStringLiteral("ＲＧＢ濃度設定定数読込"));
        QCOMPARE(dialogs.errors.size(), 3);
        // Values no bar can show are refused with a message, not applied unseen.
        dialogs.openAnswers.push_back(tvlData("out_of_dialog_range.tvl"));
        click(dialog, "Button5");
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.back().endsWith(
            QStringLiteral("設定できる範囲を超えた値があります。")));
        click(dialog, "Button1");
        QCOMPARE(at(0), (Rgb{10, 20, 30}));

        // A good file sets every bar, box and button: what they show is what runs.
        dialogs.openAnswers.push_back(tvlData("blue_invert.tvl"));
        click(dialog, "Button5");
        QCOMPARE(text(dialog, "Memo5"), QStringLiteral("255 (FF)"));
        QCOMPARE(text(dialog, "Memo8"), QStringLiteral("0 (0)"));
        QCOMPARE(scrollBar(dialog, "ScrollBar8")->value(), 255);
        QVERIFY(control<QAbstractButton>(dialog, "RadioButton4")->isChecked());
        click(dialog, "Button1");
        QCOMPARE(at(0), (Rgb{10, 20, 225}));
        dialogs.openAnswers.push_back(folder.filePath(QStringLiteral("curve.tvl")));
        click(dialog, "Button5");
        click(dialog, "Button1");
        QCOMPARE(at(0), (Rgb{10, 20, 225}));
    }

    // The back buttons, and the close box a window manager may offer although the windows ask
    // for none, hide the dialog and run nothing.
    void backAndCloseRunNothing() {
        document().workImage = pixels({{10, 20, 30}});
        QWidget* vividness = open(kVividnessEntry);
        scrollBar(vividness, "ScrollBar1")->setValue(100);
        const std::tuple<QWidget*, const char*> backs[] = {{vividness, "Button1"},
                                                           {open(kToneCurveEntry), "Button2"},
                                                           {open(kColourToneEntry), "Button1"},
                                                           {open(kContrastEntry), "Button2"},
                                                           {open(kGammaEntry), "Button1"}};
        for (const auto& [dialog, back] : backs) {
            dialog->show();
            click(dialog, back);
            QVERIFY(dialog->isHidden());
            dialog->show();
            QVERIFY(dialog->close());
            QVERIFY(dialog->isHidden());
        }
        QCOMPARE(at(0), (Rgb{10, 20, 30}));
        QVERIFY(!document().modified);
    }
};

QTEST_MAIN(ToneDialogsTest)
#include "tone_dialogs_test.moc"
