// The print layout and printer information windows offscreen, and a print to PDF measured on the
// rasterised page.
#include "app/menu_items.h"
#include "app/failure_text.h"
#include "app/main_window.h"
#include "app/print_commands.h"
#include "app/scripted_dialogs.h"
#include "page_measure.h"
#include "printing/ui/print_window.h"
#include "printing/ui/printer_info_window.h"
#include "printing/ui/printer_query.h"
#include "sample_printers.h"
#include "window_control.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QMenu>
#include <QPrintDialog>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace tavlo;

namespace {

// PDF output on Qt's A4 (595 × 842 points) with the given margins in millimetres. At 254 dpi
// 12.7 mm is 127 dots: the sheet is 2099 × 2970 dots, the printable area 1845 × 2716.
void usePdfPrinter(PrintWindow& form, int dpi, QPageLayout::Orientation orientation,
                   QMarginsF margins = {12.7, 12.7, 12.7, 12.7}) {
    QPrinter& printer = form.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
    printer.setPageMargins(margins, QPageLayout::Millimeter);
    form.readPrinter();
}

QColor panelColour(const QWidget* panel) {
    return panel->palette().color(QPalette::Window);
}

} // namespace

class PrintWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        source_ = knownPrintImage(100, 50);
        printerInfoWindow_ = std::make_unique<PrinterInfoWindow>();
        printWindow_ = std::make_unique<PrintWindow>(dialogs_, runner(), *printerInfoWindow_);
        usePdfPrinter(*printWindow_, 254, QPageLayout::Portrait);
    }
    void cleanup() {
        printWindow_.reset();
        printerInfoWindow_.reset();
    }

    void informationWindowShowsTheLastQuery() {
        const tavlo::PrinterFigures figures = tavlo::test::a4At600();
        printerInfoWindow_->showPrinterInfo(figures);
        QVERIFY(printerInfoWindow_->isVisible());
        QVERIFY(printerInfoWindow_->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(printerInfoWindow_->windowTitle(), QStringLiteral("プリンター情報"));
        const std::pair<QLineEdit*, const char*> rows[] = {
            {control<QLineEdit>(*printerInfoWindow_, "Memo10"), "Office"},
            {control<QLineEdit>(*printerInfoWindow_, "Memo1"), "4960 ( 210.0)"},
            {control<QLineEdit>(*printerInfoWindow_, "Memo2"), "7016 ( 297.0)"},
            {control<QLineEdit>(*printerInfoWindow_, "Memo11"), "100 ( 4.2)"},
            {control<QLineEdit>(*printerInfoWindow_, "Memo5"), "100 ( 4.2)"},
            {control<QLineEdit>(*printerInfoWindow_, "Memo7"), "600"},
            {control<QLineEdit>(*printerInfoWindow_, "Memo13"), "0.6984 "},
            {control<QLineEdit>(*printerInfoWindow_, "Memo9"), "100(%)"},
        };
        for (const auto& [memo, text] : rows)
            QCOMPARE(memo->text(), QString::fromUtf8(text));
        QVERIFY(!control<QLineEdit>(*printerInfoWindow_, "Memo9")
                     ->isVisibleTo(printerInfoWindow_.get()));
        QTest::mouseClick(control<QPushButton>(*printerInfoWindow_, "BitBtn1"), Qt::LeftButton);
        QVERIFY(!printerInfoWindow_->isVisible());
    }

    void layoutFollowsThePrinter() {
        QVERIFY(control<QLabel>(*printWindow_, "Label1")
                    ->text()
                    .startsWith(QStringLiteral("A4 (W:209.9×H:297.0 = 0.7067)")));
        QCOMPARE(control<QFrame>(*printWindow_, "Panel1")->size(), QSize(339, 480));
        QCOMPARE(control<QFrame>(*printWindow_, "Panel2")->geometry(), QRect(21, 21, 298, 439));
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar3")->maximum(), 1845);
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar4")->maximum(), 2716);
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo12")->text(), QStringLiteral("12.7"));
        QCOMPARE(printWindow_->windowTitle(), QStringLiteral("プリンター情報 - PDF ファイル"));
        QVERIFY(control<QLabel>(*printWindow_, "PdfNote")->isVisibleTo(printWindow_.get()));
        QVERIFY(printWindow_->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(printWindow_->centralWidget()->height(), 64 + 480 + 70);

        usePdfPrinter(*printWindow_, 254, QPageLayout::Landscape);
        QVERIFY(control<QLabel>(*printWindow_, "Label1")
                    ->text()
                    .startsWith(QStringLiteral("A4 (W:297.0×H:209.9 = 1.4150)")));
        QCOMPARE(control<QFrame>(*printWindow_, "Panel1")->size(), QSize(480, 339));
    }

    void hundredByFiftyPixelsStartAtHundredByFiftyMillimetres() {
        printWindow_->receiveImage(source_);
        QCOMPARE(printWindow_->windowTitle(), QStringLiteral("(100×50) "));
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo10")->text(), QStringLiteral("100.0"));
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo11")->text(), QStringLiteral("50.0"));
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo14")->text(), QStringLiteral("2.0000"));
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar3")->value(), 1000);
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar4")->value(), 500);
        QCOMPARE(control<QLabel>(*printWindow_, "Image1")->size(), QSize(162, 81));
        QCOMPARE(panelColour(control<QFrame>(*printWindow_, "Panel1")), QColor(Qt::yellow));
    }

    void barsMoveTheImageAndSignalOverflow() {
        printWindow_->receiveImage(source_);
        control<QScrollBar>(*printWindow_, "ScrollBar1")
            ->setValue(845); // 84.5 mm + 100 mm = the printable width
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo12")->text(), QStringLiteral("97.2"));
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo1")->text(), QStringLiteral("12.7"));
        QCOMPARE(panelColour(control<QFrame>(*printWindow_, "Panel1")), QColor(Qt::yellow));
        control<QScrollBar>(*printWindow_, "ScrollBar1")->setValue(846);
        QCOMPARE(panelColour(control<QFrame>(*printWindow_, "Panel1")), QColor(Qt::red));
        QCOMPARE(control<QLabel>(*printWindow_, "Image1")->x(), 137);
        control<QScrollBar>(*printWindow_, "ScrollBar3")
            ->setValue(400); // the height follows by the ratio
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar4")->value(), 200);
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo11")->text(), QStringLiteral("20.0"));
        QCOMPARE(panelColour(control<QFrame>(*printWindow_, "Panel1")), QColor(Qt::yellow));
    }

    // Turning the sheet changes no bar, yet every readout follows the new sheet.
    void readoutsFollowATurnedSheet() {
        printWindow_->receiveImage(source_);
        usePdfPrinter(*printWindow_, 254, QPageLayout::Landscape);
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo1")->text(), QStringLiteral("184.3"));
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo2")->text(), QStringLiteral("147.2"));
    }

    void everyClickOnPageCentreCentres() {
        printWindow_->receiveImage(source_);
        QTest::mouseClick(control<QCheckBox>(*printWindow_, "CheckBox3"), Qt::LeftButton);
        QVERIFY(control<QCheckBox>(*printWindow_, "CheckBox3")->isChecked());
        QCOMPARE(control<QLabel>(*printWindow_, "Image1")->geometry(), QRect(68, 179, 162, 81));
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar1")->value(), 421);
        control<QScrollBar>(*printWindow_, "ScrollBar1")->setValue(0); // re-centred while checked
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar1")->value(), 421);

        QTest::mouseClick(control<QCheckBox>(*printWindow_, "CheckBox3"), Qt::LeftButton);
        control<QScrollBar>(*printWindow_, "ScrollBar1")->setValue(0);
        control<QScrollBar>(*printWindow_, "ScrollBar2")->setValue(0);
        QCOMPARE(control<QLabel>(*printWindow_, "Image1")->pos(), QPoint(0, 0));
        QTest::mouseClick(control<QCheckBox>(*printWindow_, "CheckBox3"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>(*printWindow_, "CheckBox3"), Qt::LeftButton);
        QVERIFY(!control<QCheckBox>(*printWindow_, "CheckBox3")->isChecked());
        QCOMPARE(control<QLabel>(*printWindow_, "Image1")->pos(), QPoint(68, 179));
    }

    void wholePageSetsTheHeightLast() {
        source_ = knownPrintImage(300, 200); // 1.5: 184.5 mm wide gives 123.0 mm high
        printWindow_->receiveImage(source_);
        QTest::mouseClick(control<QPushButton>(*printWindow_, "Button3"), Qt::LeftButton);
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar4")->value(), 2716);
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo10")->text(), QStringLiteral("407.4"));
        QCOMPARE(panelColour(control<QFrame>(*printWindow_, "Panel1")), QColor(Qt::red));
        // The preview shows what prints: the left part, from the area's edge.
        QCOMPARE(control<QLabel>(*printWindow_, "Image1")->geometry(), QRect(0, 0, 658, 439));
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo1")->text(), QStringLiteral("-210.2"));
        control<QCheckBox>(*printWindow_, "CheckBox1")->setChecked(false);
        QTest::mouseClick(control<QPushButton>(*printWindow_, "Button3"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo10")->text(), QStringLiteral("184.5"));
        QCOMPARE(control<QLineEdit>(*printWindow_, "Memo11")->text(), QStringLiteral("271.6"));
        QCOMPARE(control<QLabel>(*printWindow_, "Image1")->geometry(),
                 control<QFrame>(*printWindow_, "Panel2")->rect());
        QCOMPARE(panelColour(control<QFrame>(*printWindow_, "Panel1")), QColor(Qt::yellow));
    }

    void keepsItsOwnCopyAndPastesWithoutTouchingTheSource() {
        printWindow_->receiveImage(source_);
        const tavlo::Bitmap before = printWindow_->printImage();
        source_.row(0)[0] = 77; // the document changes after the window took its image
        QCOMPARE(printWindow_->printImage().pixel(0, 0), before.pixel(0, 0));

        QApplication::clipboard()->clear();
        emit control<QMenu>(*printWindow_, "Edit1")->aboutToShow();
        QVERIFY(!control<QAction>(*printWindow_, "P3")->isEnabled());
        QVERIFY(control<QAction>(*printWindow_, "Copy2")->isEnabled());
        control<QAction>(*printWindow_, "Copy2")->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(100, 50));

        QImage pasted(30, 20, QImage::Format_RGB32);
        pasted.fill(Qt::blue);
        QApplication::clipboard()->setImage(pasted);
        emit control<QMenu>(*printWindow_, "Edit1")->aboutToShow();
        QVERIFY(control<QAction>(*printWindow_, "P3")->isEnabled());
        control<QAction>(*printWindow_, "P3")->trigger();
        QCOMPARE(printWindow_->windowTitle(), QStringLiteral("(30×20) "));
        QCOMPARE(printWindow_->layout().imageWidth(), 30);
        QCOMPARE(printWindow_->printImage().pixel(5, 5), (tavlo::Rgb{0, 0, 255}));
        QCOMPARE(source_.width(), 100);
    }

    void copyWaitsForAnImage() {
        emit control<QMenu>(*printWindow_, "Edit1")->aboutToShow();
        QVERIFY(!control<QAction>(*printWindow_, "Copy2")->isEnabled());
    }

    void printerSetUpRequeriesAndShowsTheInformation() {
        printWindow_->printerSetup = [](QPrinter& printer) {
            printer.setPageOrientation(QPageLayout::Landscape);
        };
        printWindow_->receiveImage(source_);
        control<QScrollBar>(*printWindow_, "ScrollBar1")->setValue(300);
        control<QAction>(*printWindow_, "S1")->trigger();
        QVERIFY(printerInfoWindow_->isVisible());
        QCOMPARE(control<QLineEdit>(*printerInfoWindow_, "Memo1")->text(),
                 QStringLiteral("2970 ( 297.0)"));
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar1")->value(),
                 0); // margins return to 0
        QCOMPARE(control<QScrollBar>(*printWindow_, "ScrollBar3")->maximum(), 2716);
        printerInfoWindow_->hide();
        QTest::mouseClick(control<QPushButton>(*printWindow_, "Button2"), Qt::LeftButton);
        QVERIFY(printerInfoWindow_->isVisible());
    }

    void printsToTheChosenPdfAtTheRequestedMillimetres_data() {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("widthBar");
        QTest::addColumn<int>("heightBar");
        QTest::addColumn<int>("leftBar");
        QTest::addColumn<int>("topBar");
        QTest::addColumn<double>("marginMm");
        QTest::newRow("254 dpi, 50 mm wide at 10, 20")
            << 254 << false << 500 << 250 << 100 << 200 << 5.0;
        QTest::newRow("300 dpi landscape, off-grid")
            << 300 << true << 1234 << 617 << 567 << 89 << 7.5;
        QTest::newRow("600 dpi, no margins") << 600 << false << 1001 << 1777 << 333 << 1000 << 0.0;
    }
    void printsToTheChosenPdfAtTheRequestedMillimetres() {
        QFETCH(int, dpi);
        QFETCH(bool, landscape);
        QFETCH(int, widthBar);
        QFETCH(int, heightBar);
        QFETCH(int, leftBar);
        QFETCH(int, topBar);
        QFETCH(double, marginMm);
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty(),
                 "pdftoppm is missing (poppler-utils): scripts/test installs it");
        usePdfPrinter(*printWindow_, dpi,
                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                      {marginMm, marginMm, marginMm, marginMm});
        printWindow_->receiveImage(source_);
        control<QCheckBox>(*printWindow_, "CheckBox1")
            ->setChecked(false); // the size exactly as the bars give it
        control<QScrollBar>(*printWindow_, "ScrollBar3")->setValue(widthBar);
        control<QScrollBar>(*printWindow_, "ScrollBar4")->setValue(heightBar);
        control<QScrollBar>(*printWindow_, "ScrollBar1")->setValue(leftBar);
        control<QScrollBar>(*printWindow_, "ScrollBar2")->setValue(topBar);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        QStringList proposed;
        printWindow_->choosePdfFile = [&](const QString& last) {
            proposed << last;
            return pdf;
        };
        QTest::mouseClick(control<QPushButton>(*printWindow_, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(proposed.size(), 1);
        QVERIFY(dialogs_.errors.isEmpty());

        // Millimetres from the printable area's corner, turned into dots independently; the
        // corner is where Qt reports it.
        const tavlo::PrinterFigures& figures = printWindow_->layout().printer();
        const auto dots = [dpi](double mm) { return static_cast<int>(mm * dpi / 25.4); };
        const double widthMm = widthBar / 10.0, heightMm = heightBar / 10.0;
        const double leftMm = leftBar / 10.0, topMm = topBar / 10.0;
        const QRect expected(
            QPoint(figures.offsetXPx + dots(leftMm), figures.offsetYPx + dots(topMm)),
            QPoint(figures.offsetXPx + dots(leftMm + widthMm) - 1,
                   figures.offsetYPx + dots(topMm + heightMm) - 1));
        const QString problems = checkPrintedPdf(pdf, dpi, expected, source_);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));

        QTest::mouseClick(control<QPushButton>(*printWindow_, "BitBtn1"),
                          Qt::LeftButton); // the next print asks again
        QCOMPARE(proposed, (QStringList{QString(), pdf}));
    }

    // Qt's set-up dialog names a file of its own (~/Tavlo.pdf) for PDF output: the print still
    // asks, proposing it, and writes only the file the user chose.
    void pdfFileIsAskedAfterTheSetUpToo() {
        QTemporaryDir dir;
        const QString named = dir.filePath(QStringLiteral("Tavlo.pdf"));
        const QString chosen = dir.filePath(QStringLiteral("chosen.pdf"));
        printWindow_->printerSetup = [&](QPrinter& printer) { printer.setOutputFileName(named); };
        printWindow_->receiveImage(source_);
        QTest::mouseClick(control<QPushButton>(*printWindow_, "Button2"), Qt::LeftButton);
        QStringList proposed;
        printWindow_->choosePdfFile = [&](const QString& last) {
            proposed << last;
            return chosen;
        };
        QTest::mouseClick(control<QPushButton>(*printWindow_, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(proposed, QStringList{named});
        QVERIFY(QFileInfo::exists(chosen));
        QVERIFY(!QFileInfo::exists(named));
    }

    // The platform dialog behind "プリンタ設定" only chooses; its title and button say so.
    void setUpDialogSaysItSetsUp() {
        QString title, button;
        QTimer user;
        user.setInterval(10);
        connect(&user, &QTimer::timeout, this, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            title = dialog->windowTitle();
            if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
                button = buttons->button(QDialogButtonBox::Ok)->text();
            dialog->reject();
        });
        user.start();
        auto reference = std::make_unique<PrintWindow>(dialogs_, runner(), *printerInfoWindow_);
        usePdfPrinter(*reference, 254, QPageLayout::Portrait);
        QTest::mouseClick(control<QPushButton>(*reference, "Button2"), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("プリンタ設定"));
        QCOMPARE(button, QStringLiteral("設定"));
    }

    void failedPrintIsReported() {
        printWindow_->receiveImage(source_);
        printWindow_->choosePdfFile = [](const QString&) {
            return QStringLiteral("/nonexistent-folder/page.pdf");
        };
        QTest::mouseClick(control<QPushButton>(*printWindow_, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY(dialogs_.errors.first().startsWith(QStringLiteral("印刷できませんでした。")));

        printWindow_->choosePdfFile = [](const QString&) {
            return QString(); // cancelled: nothing happens
        };
        QTest::mouseClick(control<QPushButton>(*printWindow_, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(dialogs_.errors.size(), 1);
    }

    void mainWindowHandsItsImageToThePrintWindow() {
        ScriptedDialogs dialogs;
        MainWindow mainWindow(dialogs, QString());
        PrintCommands commands(mainWindow);
        mainWindow.document().workImage = knownPrintImage(64, 48);
        mainWindow.menuAction(kPrintItem)->setEnabled(true);
        mainWindow.menuAction(kPrintItem)->trigger();
        QVERIFY(commands.printWindow()->isVisible());
        QCOMPARE(commands.printWindow()->windowTitle(), QStringLiteral("(64×48) "));
        QCOMPARE(commands.printWindow()->layout().imageHeight(), 48);
        control<QAction>(*commands.printWindow(), "Show2")->trigger();
        QVERIFY(commands.printerInfoWindow()->isVisible());
        QTest::mouseClick(control<QPushButton>(*commands.printWindow(), "Button1"), Qt::LeftButton);
        QVERIFY(!commands.printWindow()->isVisible());
    }

  private:
    // Reports as the main window's runner does.
    ActionRunner runner() {
        return [this](const std::function<void()>& work) {
            try {
                work();
                return true;
            } catch (const std::exception& error) {
                dialogs_.reportError(nullptr, failureText(error));
                return false;
            }
        };
    }

    ScriptedDialogs dialogs_;
    tavlo::Bitmap source_;
    std::unique_ptr<PrinterInfoWindow> printerInfoWindow_;
    std::unique_ptr<PrintWindow> printWindow_;
};

QTEST_MAIN(PrintWindowsTest)
#include "print_windows_test.moc"
