// The print layout and printer information windows offscreen, and a print to PDF measured on the
// rasterised page.
#include "sample_printers.h"
#include "app/main_window.h"
#include "app/print_commands.h"
#include "app/scripted_dialogs.h"
#include "page_measure.h"
#include "printing/ui/disp_dpi.h"
#include "printing/ui/printer_query.h"
#include "printing/ui/prt_fig.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// PDF output on Qt's A4 (595 × 842 points) with the given margins in millimetres. At 254 dpi
// 12.7 mm is 127 dots: the sheet is 2099 × 2970 dots, the printable area 1845 × 2716.
void usePdfPrinter(TForm9& form, int dpi, QPageLayout::Orientation orientation,
                   QMarginsF margins = {12.7, 12.7, 12.7, 12.7}) {
    QPrinter& printer = form.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(dpi);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
    printer.setPageMargins(margins, QPageLayout::Millimeter);
    form.QueryPrinter();
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
        form10_ = std::make_unique<TForm10>();
        form9_ = std::make_unique<TForm9>(
            dialogs_, [this] { return source_; }, *form10_);
        usePdfPrinter(*form9_, 254, QPageLayout::Portrait);
    }
    void cleanup() {
        form9_.reset();
        form10_.reset();
    }

    void informationWindowShowsTheLastQuery() {
        const tavlo::PrinterFigures figures = tavlo::test::a4At600();
        form10_->ShowPrinterInfo(figures);
        QVERIFY(form10_->isVisible());
        QVERIFY(form10_->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form10_->windowTitle(), QStringLiteral("プリンター情報"));
        const std::pair<QLineEdit*, const char*> rows[] = {
            {form10_->Memo10, "Office"},       {form10_->Memo1, "4960 ( 210.0)"},
            {form10_->Memo2, "7016 ( 297.0)"}, {form10_->Memo11, "100 ( 4.2)"},
            {form10_->Memo5, "100 ( 4.2)"},    {form10_->Memo7, "600"},
            {form10_->Memo13, "0.6984 "},      {form10_->Memo9, "100(%)"},
        };
        for (const auto& [memo, text] : rows)
            QCOMPARE(memo->text(), QString::fromUtf8(text));
        QVERIFY(!form10_->Memo9->isVisibleTo(form10_.get()));
        QTest::mouseClick(form10_->BitBtn1, Qt::LeftButton);
        QVERIFY(!form10_->isVisible());
    }

    void layoutFollowsThePrinter() {
        QVERIFY(form9_->Label1->text().startsWith(QStringLiteral("A4 (W:209.9×H:297.0 = 0.7067)")));
        QCOMPARE(form9_->Panel1->size(), QSize(339, 480));
        QCOMPARE(form9_->Panel2->geometry(), QRect(21, 21, 298, 439));
        QCOMPARE(form9_->ScrollBar3->maximum(), 1845);
        QCOMPARE(form9_->ScrollBar4->maximum(), 2716);
        QCOMPARE(form9_->Memo12->text(), QStringLiteral("12.7"));
        QCOMPARE(form9_->windowTitle(), QStringLiteral("プリンター情報 - PDF ファイル"));
        QVERIFY(form9_->PdfNote->isVisibleTo(form9_.get()));
        QVERIFY(form9_->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(form9_->centralWidget()->height(), 64 + 480 + 70);

        usePdfPrinter(*form9_, 254, QPageLayout::Landscape);
        QVERIFY(form9_->Label1->text().startsWith(QStringLiteral("A4 (W:297.0×H:209.9 = 1.4150)")));
        QCOMPARE(form9_->Panel1->size(), QSize(480, 339));
    }

    void hundredByFiftyPixelsStartAtHundredByFiftyMillimetres() {
        form9_->Edit2->setText(QStringLiteral("1"));
        QCOMPARE(form9_->windowTitle(), QStringLiteral("(100×50) "));
        QCOMPARE(form9_->Memo10->text(), QStringLiteral("100.0"));
        QCOMPARE(form9_->Memo11->text(), QStringLiteral("50.0"));
        QCOMPARE(form9_->Memo14->text(), QStringLiteral("2.0000"));
        QCOMPARE(form9_->ScrollBar3->value(), 1000);
        QCOMPARE(form9_->ScrollBar4->value(), 500);
        QCOMPARE(form9_->Image1->size(), QSize(162, 81));
        QCOMPARE(panelColour(form9_->Panel1), QColor(Qt::yellow));
    }

    void barsMoveTheImageAndSignalOverflow() {
        form9_->Edit2->setText(QStringLiteral("1"));
        form9_->ScrollBar1->setValue(845); // 84.5 mm + 100 mm = the printable width
        QCOMPARE(form9_->Memo12->text(), QStringLiteral("97.2"));
        QCOMPARE(form9_->Memo1->text(), QStringLiteral("12.7"));
        QCOMPARE(panelColour(form9_->Panel1), QColor(Qt::yellow));
        form9_->ScrollBar1->setValue(846);
        QCOMPARE(panelColour(form9_->Panel1), QColor(Qt::red));
        QCOMPARE(form9_->Image1->x(), 137);
        form9_->ScrollBar3->setValue(400); // the height follows by the ratio
        QCOMPARE(form9_->ScrollBar4->value(), 200);
        QCOMPARE(form9_->Memo11->text(), QStringLiteral("20.0"));
        QCOMPARE(panelColour(form9_->Panel1), QColor(Qt::yellow));
    }

    void everyClickOnPageCentreCentres() {
        form9_->Edit2->setText(QStringLiteral("1"));
        QTest::mouseClick(form9_->CheckBox3, Qt::LeftButton);
        QVERIFY(form9_->CheckBox3->isChecked());
        QCOMPARE(form9_->Image1->geometry(), QRect(68, 179, 162, 81));
        QCOMPARE(form9_->ScrollBar1->value(), 421);
        form9_->ScrollBar1->setValue(0); // re-centred while checked
        QCOMPARE(form9_->ScrollBar1->value(), 421);

        QTest::mouseClick(form9_->CheckBox3, Qt::LeftButton);
        form9_->ScrollBar1->setValue(0);
        form9_->ScrollBar2->setValue(0);
        QCOMPARE(form9_->Image1->pos(), QPoint(0, 0));
        QTest::mouseClick(form9_->CheckBox3, Qt::LeftButton);
        QTest::mouseClick(form9_->CheckBox3, Qt::LeftButton);
        QVERIFY(!form9_->CheckBox3->isChecked());
        QCOMPARE(form9_->Image1->pos(), QPoint(68, 179));
    }

    void wholePageSetsTheHeightLast() {
        source_ = knownPrintImage(300, 200); // 1.5: 184.5 mm wide gives 123.0 mm high
        form9_->Edit2->setText(QStringLiteral("1"));
        QTest::mouseClick(form9_->Button3, Qt::LeftButton);
        QCOMPARE(form9_->ScrollBar4->value(), 2716);
        QCOMPARE(form9_->Memo10->text(), QStringLiteral("407.4"));
        QCOMPARE(panelColour(form9_->Panel1), QColor(Qt::red));
        form9_->CheckBox1->setChecked(false);
        QTest::mouseClick(form9_->Button3, Qt::LeftButton);
        QCOMPARE(form9_->Memo10->text(), QStringLiteral("407.4")); // bar was at its maximum
        form9_->ScrollBar3->setValue(0);
        QTest::mouseClick(form9_->Button3, Qt::LeftButton);
        QCOMPARE(form9_->Memo10->text(), QStringLiteral("184.5"));
        QCOMPARE(form9_->Memo11->text(), QStringLiteral("271.6"));
        QCOMPARE(panelColour(form9_->Panel1), QColor(Qt::yellow));
    }

    void keepsItsOwnCopyAndPastesWithoutTouchingTheSource() {
        form9_->Edit2->setText(QStringLiteral("1"));
        const tavlo::Bitmap before = form9_->printImage();
        source_.row(0)[0] = 77; // the document changes after the window took its image
        QCOMPARE(form9_->printImage().pixel(0, 0), before.pixel(0, 0));

        QApplication::clipboard()->clear();
        emit form9_->Edit1->aboutToShow();
        QVERIFY(!form9_->P3->isEnabled());
        QVERIFY(form9_->Copy2->isEnabled());
        form9_->Copy2->trigger();
        QCOMPARE(QApplication::clipboard()->image().size(), QSize(100, 50));

        QImage pasted(30, 20, QImage::Format_RGB32);
        pasted.fill(Qt::blue);
        QApplication::clipboard()->setImage(pasted);
        emit form9_->Edit1->aboutToShow();
        QVERIFY(form9_->P3->isEnabled());
        form9_->P3->trigger();
        QCOMPARE(form9_->windowTitle(), QStringLiteral("(30×20) "));
        QCOMPARE(form9_->layout().imageWidth(), 30);
        QCOMPARE(form9_->printImage().pixel(5, 5), (tavlo::Rgb{0, 0, 255}));
        QCOMPARE(source_.width(), 100);
    }

    void copyWaitsForAnImage() {
        emit form9_->Edit1->aboutToShow();
        QVERIFY(!form9_->Copy2->isEnabled());
    }

    void printerSetUpRequeriesAndShowsTheInformation() {
        form9_->printerSetup = [](QPrinter& printer) {
            printer.setPageOrientation(QPageLayout::Landscape);
        };
        form9_->Edit2->setText(QStringLiteral("1"));
        form9_->ScrollBar1->setValue(300);
        form9_->S1->trigger();
        QVERIFY(form10_->isVisible());
        QCOMPARE(form10_->Memo1->text(), QStringLiteral("2970 ( 297.0)"));
        QCOMPARE(form9_->ScrollBar1->value(), 0); // margins return to 0
        QCOMPARE(form9_->ScrollBar3->maximum(), 2716);
        form10_->hide();
        QTest::mouseClick(form9_->Button2, Qt::LeftButton);
        QVERIFY(form10_->isVisible());
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
        usePdfPrinter(*form9_, dpi, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                      {marginMm, marginMm, marginMm, marginMm});
        form9_->Edit2->setText(QStringLiteral("1"));
        form9_->CheckBox1->setChecked(false); // the size exactly as the bars give it
        form9_->ScrollBar3->setValue(widthBar);
        form9_->ScrollBar4->setValue(heightBar);
        form9_->ScrollBar1->setValue(leftBar);
        form9_->ScrollBar2->setValue(topBar);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        int asked = 0;
        form9_->choosePdfFile = [&] {
            ++asked;
            return pdf;
        };
        QTest::mouseClick(form9_->BitBtn1, Qt::LeftButton);
        QCOMPARE(asked, 1);
        QVERIFY(dialogs_.errors.isEmpty());

        // Millimetres from the printable area's corner, turned into dots independently; the
        // corner is where Qt reports it.
        const tavlo::PrinterFigures& figures = form9_->layout().printer();
        const auto dots = [dpi](double mm) { return static_cast<int>(mm * dpi / 25.4); };
        const double widthMm = widthBar / 10.0, heightMm = heightBar / 10.0;
        const double leftMm = leftBar / 10.0, topMm = topBar / 10.0;
        const QRect expected(
            QPoint(figures.offsetXPx + dots(leftMm), figures.offsetYPx + dots(topMm)),
            QPoint(figures.offsetXPx + dots(leftMm + widthMm) - 1,
                   figures.offsetYPx + dots(topMm + heightMm) - 1));
        const QString problems = checkPrintedPdf(pdf, dpi, expected);
        QVERIFY2(problems.isEmpty(), qPrintable(problems));

        QTest::mouseClick(form9_->BitBtn1, Qt::LeftButton); // the next print asks again
        QCOMPARE(asked, 2);
    }

    void failedPrintIsReported() {
        form9_->Edit2->setText(QStringLiteral("1"));
        form9_->choosePdfFile = [] { return QStringLiteral("/nonexistent-folder/page.pdf"); };
        QTest::mouseClick(form9_->BitBtn1, Qt::LeftButton);
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY(dialogs_.errors.first().startsWith(QStringLiteral("印刷できませんでした。")));

        form9_->choosePdfFile = [] { return QString(); }; // cancelled: nothing happens
        QTest::mouseClick(form9_->BitBtn1, Qt::LeftButton);
        QCOMPARE(dialogs_.errors.size(), 1);
    }

    void mainWindowHandsItsImageToThePrintWindow() {
        ScriptedDialogs dialogs;
        TForm1 form1(dialogs, QString());
        PrintCommands commands(form1);
        form1.document().workImage = knownPrintImage(64, 48);
        const std::int32_t counter = form1.counters().shared.value();
        form1.P1->setEnabled(true);
        form1.P1->trigger();
        QCOMPARE(form1.counters().shared.value(), counter + 1);
        QCOMPARE(commands.printWindow()->Edit2->text(), QString::number(counter + 1));
        QVERIFY(commands.printWindow()->isVisible());
        QCOMPARE(commands.printWindow()->windowTitle(), QStringLiteral("(64×48) "));
        QCOMPARE(commands.printWindow()->layout().imageHeight(), 48);
        commands.printWindow()->Show2->trigger();
        QVERIFY(commands.printerInfoWindow()->isVisible());
        QTest::mouseClick(commands.printWindow()->Button1, Qt::LeftButton);
        QVERIFY(!commands.printWindow()->isVisible());
    }

  private:
    ScriptedDialogs dialogs_;
    tavlo::Bitmap source_;
    std::unique_ptr<TForm10> form10_;
    std::unique_ptr<TForm9> form9_;
};

QTEST_MAIN(PrintWindowsTest)
#include "print_windows_test.moc"
