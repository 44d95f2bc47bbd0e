#include "app/file_info_window.h"
#include "app/jpeg_quality_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <cstdint>
#include <memory>
#include <vector>

using namespace tavlo;

using Field = tavlo::InformationTexts::Field;

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    // FileInfoWindow
    void informationFieldsTakeTheTextsInOrder();
    void informationWindowHidesWhenClosed();

    // JpegQualityDialog
    void init();
    void qualityDialogTexts();
    void cancelKeepsTheQualityButReports();
    void executeSetsTheQualityBeforeReporting();
    void reopeningShowsTheQualityInForce();
    void barStaysWithinTheQualityRange();

  private:
    struct Write {
        bool run; // 実　行, or キャンセル
        int qualityThen;
    };

    void makeQualityDialog();
    void showQualityDialog();

    int quality_ = 0;
    std::vector<Write> writes_;
    std::unique_ptr<JpegQualityDialog> jpegQualityDialog_;
};

void DialogsTest::informationFieldsTakeTheTextsInOrder() {
    FileInfoWindow form;
    QCOMPARE(form.windowTitle(), QStringLiteral("ﾌｧｲﾙ・画像情報"));
    QCOMPARE(form.changeCaption(), QStringLiteral("変更情報"));
    QCOMPARE(form.size(), QSize(221, 307));

    tavlo::InformationTexts texts;
    for (int i = 0; i < Field::FieldCount; ++i)
        texts.fields[i] = "text " + std::to_string(i);
    texts.changeCaption = "画像回転後情報";
    form.showTexts(texts);

    // Memo1 … Memo7 describe the file, Memo8 and Memo9 the changed image.
    const QStringList hints = {"ﾌｧｲﾙ名",         "属性",         "ﾌｧｲﾙ長",
                               "ﾌｧｲﾙ作成日時",   "ﾌｧｲﾙ更新日時", "画像ﾋﾟｸｾﾙ値",
                               "縦横比（色数）", "画像ﾋﾟｸｾﾙ値",  "縦横比"};
    for (int i = 0; i < Field::FieldCount; ++i) {
        const auto* memo = form.findChild<QLineEdit*>(QStringLiteral("Memo%1").arg(i + 1));
        QVERIFY(memo);
        QCOMPARE(memo->text(), QStringLiteral("text %1").arg(i));
        QCOMPARE(form.fieldText(static_cast<Field>(i)), memo->text());
        QCOMPARE(memo->toolTip(), hints[i]);
        QVERIFY(memo->isReadOnly());
        const QString group = i < 7 ? "原ファイル・画像情報" : "画像回転後情報";
        QCOMPARE(qobject_cast<QGroupBox*>(memo->parentWidget())->title(), group);
    }
    QCOMPARE(form.changeCaption(), QStringLiteral("画像回転後情報"));
}

void DialogsTest::informationWindowHidesWhenClosed() {
    FileInfoWindow form;
    QSignalSpy closed(&form, &FileInfoWindow::closedByUser);
    QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    form.show();
    QCOMPARE(closed.count(), 0);
    QVERIFY(form.close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form.isVisible());

    // Hiding it from the menu is no close by the user.
    form.show();
    form.hide();
    QCOMPARE(closed.count(), 1);
}

void DialogsTest::init() {
    quality_ = 50;
    writes_.clear();
    makeQualityDialog();
}

// The main window's part: 実　行 sets the quality, and either button refreshes its status line.
void DialogsTest::makeQualityDialog() {
    jpegQualityDialog_ = std::make_unique<JpegQualityDialog>();
    QObject::connect(jpegQualityDialog_.get(), &JpegQualityDialog::qualityChosen,
                     [this](int quality) {
                         quality_ = quality;
                         writes_.push_back({true, quality_});
                     });
    QObject::connect(jpegQualityDialog_.get(), &JpegQualityDialog::cancelled,
                     [this] { writes_.push_back({false, quality_}); });
}

void DialogsTest::showQualityDialog() {
    jpegQualityDialog_->open(quality_);
    QVERIFY(QTest::qWaitForWindowExposed(jpegQualityDialog_.get()));
}

void DialogsTest::qualityDialogTexts() {
    QCOMPARE(jpegQualityDialog_->windowTitle(), QStringLiteral("JPG画像圧縮度指定"));
    QVERIFY(!jpegQualityDialog_->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QCOMPARE(jpegQualityDialog_->runButton->text(), QStringLiteral("実　行"));
    QCOMPARE(jpegQualityDialog_->cancelButton->text(), QStringLiteral("キャンセル"));
    QStringList labels;
    for (const QLabel* label : jpegQualityDialog_->findChildren<QLabel*>())
        labels << label->text();
    labels.sort();
    QStringList expected = {"ファイル小", "ファイル大", "←圧縮大", "圧縮小→"};
    expected.sort();
    QCOMPARE(labels, expected);
    QCOMPARE(jpegQualityDialog_->size(), QSize(230, 217));
}

void DialogsTest::cancelKeepsTheQualityButReports() {
    showQualityDialog();
    jpegQualityDialog_->qualityBar->setValue(80);
    QCOMPARE(jpegQualityDialog_->qualityBox->text(), QStringLiteral("80"));

    QTest::mouseClick(jpegQualityDialog_->cancelButton, Qt::LeftButton);
    QCOMPARE(quality_, 50);
    QVERIFY(!jpegQualityDialog_->isVisible());
    QCOMPARE(writes_.size(), 1u);
    QVERIFY(!writes_[0].run);

    // A second cancel still reaches the main window.
    showQualityDialog();
    QTest::mouseClick(jpegQualityDialog_->cancelButton, Qt::LeftButton);
    QCOMPARE(writes_.size(), 2u);
    QVERIFY(!writes_[1].run);
}

void DialogsTest::executeSetsTheQualityBeforeReporting() {
    showQualityDialog();
    jpegQualityDialog_->qualityBar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(jpegQualityDialog_->qualityBox->text(), QStringLiteral("40"));

    QTest::mouseClick(jpegQualityDialog_->runButton, Qt::LeftButton);
    QCOMPARE(quality_, 40);
    QVERIFY(!jpegQualityDialog_->isVisible());
    QCOMPARE(writes_.size(), 1u);
    QVERIFY(writes_[0].run);
    QCOMPARE(writes_[0].qualityThen, 40); // the status line shows the new quality

    showQualityDialog();
    jpegQualityDialog_->qualityBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QTest::mouseClick(jpegQualityDialog_->runButton, Qt::LeftButton);
    QCOMPARE(quality_, 41);
    QCOMPARE(writes_.size(), 2u);
}

void DialogsTest::reopeningShowsTheQualityInForce() {
    showQualityDialog();
    QCOMPARE(jpegQualityDialog_->qualityBar->value(), 50);
    QCOMPARE(jpegQualityDialog_->qualityBox->text(), QStringLiteral("50"));
    jpegQualityDialog_->qualityBar->setValue(90);
    QTest::mouseClick(jpegQualityDialog_->cancelButton, Qt::LeftButton);

    showQualityDialog();
    QCOMPARE(jpegQualityDialog_->qualityBar->value(), 50);
    QCOMPARE(jpegQualityDialog_->qualityBox->text(), QStringLiteral("50"));

    // A quality equal to the bar's starting position moves nothing, yet executing keeps it.
    quality_ = 70;
    makeQualityDialog();
    showQualityDialog();
    QCOMPARE(jpegQualityDialog_->qualityBar->value(), 70);
    QCOMPARE(jpegQualityDialog_->qualityBox->text(), QStringLiteral("70"));
    QTest::mouseClick(jpegQualityDialog_->runButton, Qt::LeftButton);
    QCOMPARE(quality_, 70);
}

void DialogsTest::barStaysWithinTheQualityRange() {
    showQualityDialog();
    jpegQualityDialog_->qualityBar->setValue(0);
    QCOMPARE(jpegQualityDialog_->qualityBox->text(), QStringLiteral("1"));
    jpegQualityDialog_->qualityBar->setValue(101);
    QCOMPARE(jpegQualityDialog_->qualityBox->text(), QStringLiteral("100"));
    QTest::mouseClick(jpegQualityDialog_->runButton, Qt::LeftButton);
    QCOMPARE(quality_, 100);
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
