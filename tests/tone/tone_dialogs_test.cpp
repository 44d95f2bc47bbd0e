// The tone dialogs driven offscreen through the real main window: bar rules, linked bars, point
// limits, reset, the .tvl files, and what "実行" and "戻る" do to the document.
#include "app/main_window.h"
#include "app/scripted_dialogs.h"
#include "app/tone_commands.h"
#include "document/texts.h"
#include "tone/ui/colour_tone_dialog.h"
#include "tone/ui/contrast_dialog.h"
#include "tone/ui/gamma_dialog.h"
#include "tone/ui/tone_curve_dialog.h"
#include "tone/ui/vividness_dialog.h"

#include <QFile>
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

} // namespace

class ToneDialogsTest : public QObject {
    Q_OBJECT
  private:
    ScriptedDialogs dialogs;
    MainWindow* mainWindow = nullptr;
    ToneCommands* commands = nullptr;

    tavlo::Document& document() { return mainWindow->document(); }
    Rgb at(int x) { return document().workImage.pixel(x, 0); }

  private slots:
    void init() {
        dialogs = ScriptedDialogs();
        mainWindow = new MainWindow(dialogs, QString());
        commands = new ToneCommands(*mainWindow);
        document().sourcePath = "/photos/holiday.bmp";
    }
    void cleanup() { delete mainWindow; }

    void contrastAppliesTheRedPairToAllChannels() {
        document().workImage = pixels({{64, 100, 128}, {200, 128, 0}});
        const Bitmap before = document().workImage;
        mainWindow->contrastAction->trigger();
        ContrastDialog* dialog = commands->contrastDialog;
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("holiday.bmp"));
        QCOMPARE(dialog->contrastBox->text(), QStringLiteral("0"));
        dialog->contrastBar->setValue(256);
        QCOMPARE(dialog->contrastBox->text(), QStringLiteral("128"));
        QVERIFY(!document().modified);
        dialog->runButton->click();
        QCOMPARE(at(0), (Rgb{0, 72, 128}));
        QCOMPARE(at(1), (Rgb{255, 128, 0}));
        QCOMPARE(document().undoImage.pixel(0, 0), before.pixel(0, 0));
        QVERIFY(document().modified);
        dialog->contrastResetButton->click();
        QCOMPARE(dialog->contrastBox->text(), QStringLiteral("0"));
        dialog->backButton->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(at(0), (Rgb{0, 72, 128}));
    }

    // An 8-bit image is refused with the message, an empty one with the size error; neither
    // counts as modified.
    void refusalsAndTheEmptyImage() {
        document().workImage = Bitmap(3, 2, PixelFormat::Bit8);
        commands->contrastDialog->runButton->click();
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.first().toStdString(),
                 std::string(tavlo::kUnsupportedFormatMessage));
        QCOMPARE(document().workImage.format(), PixelFormat::Bit8);
        QVERIFY(!document().modified);

        document().workImage = Bitmap();
        commands->gammaDialog->runButton->click();
        QCOMPARE(dialogs.errors, QStringList{QStringLiteral("Invalid Bitmap Size")});
        QVERIFY(!document().modified);
    }

    void colourToneLinksBarsAndTakesNoUndoCopy() {
        ColourToneDialog* dialog = commands->colourToneDialog;
        document().workImage = pixels({{10, 100, 250}});
        document().undoImage = pixels({{1, 2, 3}});
        QVERIFY(dialog->linkedBox->isChecked());
        dialog->greenBar->setValue(178);
        for (QScrollBar* bar : {dialog->redBar, dialog->greenBar, dialog->blueBar})
            QCOMPARE(bar->value(), 178);
        for (QLineEdit* box : {dialog->redBox, dialog->greenBox, dialog->blueBox})
            QCOMPARE(box->text(), QStringLiteral("50"));
        dialog->runButton->click();
        QCOMPARE(at(0), (Rgb{60, 150, 255}));
        QCOMPARE(document().undoImage.pixel(0, 0), (Rgb{1, 2, 3}));

        dialog->linkedBox->setChecked(false);
        dialog->redBar->setValue(0);
        QCOMPARE(dialog->greenBar->value(), 178);
        QCOMPARE(dialog->redBox->text(), QStringLiteral("-128"));
        dialog->resetButton->click();
        for (QLineEdit* box : {dialog->redBox, dialog->greenBox, dialog->blueBox})
            QCOMPARE(box->text(), QStringLiteral("0"));
        dialog->runButton->click();
        QCOMPARE(at(0), (Rgb{60, 150, 255}));
    }

    void vividnessConvertsAndKeepsTheUndoFormat() {
        VividnessDialog* dialog = commands->vividnessDialog;
        document().workImage = Bitmap(2, 2, PixelFormat::Bit8);
        dialog->amountBar->setValue(0);
        QCOMPARE(dialog->amountBox->text(), QStringLiteral("-50"));
        dialog->runButton->click();
        QCOMPARE(document().workImage.format(), PixelFormat::Bit24);
        QCOMPARE(document().undoImage.format(), PixelFormat::Bit8);
        document().workImage = pixels({{255, 0, 0}});
        dialog->runButton->click();
        QCOMPARE(at(0), (Rgb{0, 128, 128}));
    }

    void gammaShowsTwoDecimals() {
        GammaDialog* dialog = commands->gammaDialog;
        QCOMPARE(dialog->gammaBox->text(), QStringLiteral("1.00"));
        const std::pair<int, const char*> rows[] = {
            {49, "0.99"}, {51, "1.01"}, {13, "0.63"}, {0, "0.50"}, {100, "1.50"}};
        for (const auto& [position, text] : rows) {
            dialog->amountBar->setValue(position);
            QCOMPARE(dialog->gammaBox->text(), QString::fromLatin1(text));
        }
        document().workImage = pixels({{1, 128, 255}});
        dialog->runButton->click();
        QCOMPARE(at(0), (Rgb{6, 161, 255}));
    }

    void curveDefaultsAndPointLimits() {
        ToneCurveDialog* dialog = commands->toneCurveDialog;
        QCOMPARE(dialog->Memo5->text(), QStringLiteral("0 (0)"));
        QCOMPARE(dialog->Memo6->text(), QStringLiteral("64 (40)"));
        QCOMPARE(dialog->Memo7->text(), QStringLiteral("192 (C0)"));
        QCOMPARE(dialog->Memo8->text(), QStringLiteral("255 (FF)"));
        QCOMPARE(dialog->Memo2->text(), QStringLiteral("64 (40)"));
        QCOMPARE(dialog->Memo3->text(), QStringLiteral("192 (C0)"));

        dialog->ScrollBar2->setValue(100);
        dialog->ScrollBar3->setValue(101);
        QCOMPARE(dialog->ScrollBar3->value(), 101);
        dialog->ScrollBar3->setValue(50);
        dialog->ScrollBar2->setValue(200);
        QCOMPARE(dialog->ScrollBar3->value(), 101);
        QCOMPARE(dialog->ScrollBar2->value(), 100);

        // Reset brings P2 back to 64 and P3 to 192 from either side of the design ranges.
        for (const auto& [p2, p3] : {std::pair{100, 101}, std::pair{30, 31}, std::pair{230, 254}}) {
            dialog->Button3->click();
            dialog->ScrollBar3->setValue(p3);
            dialog->ScrollBar2->setValue(p2);
            dialog->ScrollBar3->setValue(p3);
            QCOMPARE(dialog->ScrollBar2->value(), p2);
            dialog->Button3->click();
            QCOMPARE(dialog->ScrollBar2->value(), 64);
            QCOMPARE(dialog->ScrollBar3->value(), 192);
            QCOMPARE(dialog->Memo2->text(), QStringLiteral("64 (40)"));
            QCOMPARE(dialog->ScrollBar2->maximum(), 191);
            QCOMPARE(dialog->ScrollBar3->minimum(), 65);
        }
    }

    void curveBarsChannelsAndGraph() {
        ToneCurveDialog* dialog = commands->toneCurveDialog;
        // Pulling the thumbs makes the negative curve; the graph follows in the channel's colour.
        dialog->ScrollBar5->setValue(0);
        dialog->ScrollBar6->setValue(64);
        dialog->ScrollBar7->setValue(192);
        dialog->ScrollBar8->setValue(255);
        QCOMPARE(dialog->Memo5->text(), QStringLiteral("255 (FF)"));
        QCOMPARE(dialog->graph().pixelColor(103, 104), QColor(Qt::black));
        dialog->RadioButton2->click();
        QCOMPARE(dialog->graph().pixelColor(103, 104), QColor(255, 0, 0));
        QCOMPARE(dialog->graph().pixelColor(100, 150), QColor(192, 192, 192));
        document().workImage = pixels({{255, 255, 255}});
        dialog->Button1->click();
        QCOMPARE(at(0), (Rgb{0, 255, 255}));
        QVERIFY(document().modified);
        dialog->Button3->click();
        QVERIFY(dialog->RadioButton1->isChecked());
        dialog->Button1->click();
        QCOMPARE(at(0), (Rgb{0, 255, 255}));
    }

    void curveFilesRoundTripAndFaultyOnesChangeNothing() {
        ToneCurveDialog* dialog = commands->toneCurveDialog;
        QTemporaryDir folder;
        dialogs.saveAnswers.push_back(folder.filePath(QStringLiteral("curve")));
        dialog->Button4->click();
        QCOMPARE(dialogs.saves.back().title, QStringLiteral("ＲＧＢ濃度設定定数保存"));
        QFile saved(folder.filePath(QStringLiteral("curve.tvl")));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("0\r\n64\r\n192\r\n0\r\n64\r\n192\r\n255\r\n"));

        document().workImage = pixels({{10, 20, 30}});
        for (const char* faulty : {"letters.tvl", "p2_zero.tvl", "six_lines.tvl"}) {
            dialogs.openAnswers.push_back(tvlData(faulty));
            dialog->Button5->click();
        }
        QCOMPARE(dialogs.openTitles.back(), QStringLiteral("ＲＧＢ濃度設定定数読込"));
        QCOMPARE(dialogs.errors.size(), 3);
        dialog->Button1->click();
        QCOMPARE(at(0), (Rgb{10, 20, 30}));

        // A good file changes the curve and the graph, not the bars and boxes.
        dialogs.openAnswers.push_back(tvlData("blue_invert.tvl"));
        dialog->Button5->click();
        QCOMPARE(dialog->Memo8->text(), QStringLiteral("255 (FF)"));
        QVERIFY(dialog->RadioButton1->isChecked());
        dialog->Button1->click();
        QCOMPARE(at(0), (Rgb{10, 20, 225}));
        dialogs.openAnswers.push_back(folder.filePath(QStringLiteral("curve.tvl")));
        dialog->Button5->click();
        dialog->Button1->click();
        QCOMPARE(at(0), (Rgb{10, 20, 225}));
    }

    // Their windows ask for no close box, but a window manager may offer one all the same.
    void closeBoxCancels() {
        const std::pair<QWidget*, CommandEdit> rows[] = {
            {commands->colourToneDialog, CommandEdit::ColourTone},
            {commands->vividnessDialog, CommandEdit::Vividness}};
        for (const auto& [dialog, edit] : rows) {
            dialog->show();
            QVERIFY(dialog->close());
            QVERIFY(dialog->isHidden());
            QVERIFY(mainWindow->channel().text(edit).starts_with('-'));
        }
    }

    void backButtonsRunNothing() {
        document().workImage = pixels({{10, 20, 30}});
        commands->vividnessDialog->amountBar->setValue(100);
        commands->vividnessDialog->backButton->click();
        commands->toneCurveDialog->Button2->click();
        commands->colourToneDialog->cancelButton->click();
        QCOMPARE(at(0), (Rgb{10, 20, 30}));
        QVERIFY(!document().modified);
    }
};

QTEST_MAIN(ToneDialogsTest)
#include "tone_dialogs_test.moc"
