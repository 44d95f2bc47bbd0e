// Drives the real main window offscreen, with scripted answers for its dialogs.
#include "app/file_pane.h"
#include "app/main_window.h"
#include "document/bmp_codec.h"
#include "document/jpeg_codec.h"
#include "document/ui/file_info.h"
#include "document/ui/jpg_comp.h"
#include "scripted_dialogs.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <fstream>
#include <memory>

using Answer = DialogService::Answer;
using Field = tavlo::InformationTexts::Field;

namespace {

tavlo::Bitmap gradient(int width, int height) {
    tavlo::Bitmap bitmap(width, height, tavlo::PixelFormat::Bit24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = bitmap.row(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(x * 7);
            p[1] = static_cast<std::uint8_t>(y * 5);
            p[2] = static_cast<std::uint8_t>(x + y);
        }
    return bitmap;
}

void writeFile(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

QString writeBmp(const QString& path, const tavlo::Bitmap& bitmap) {
    const tavlo::BmpFileParts parts = tavlo::encodeBmp(bitmap);
    writeFile(path, parts.header + std::string(parts.pixels.begin(), parts.pixels.end()));
    return path;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm5> form5_;

    void start(const QString& startupFile = {}) {
        dialogs_ = ScriptedDialogs();
        form5_.reset();
        form3_.reset();
        form1_ = std::make_unique<TForm1>(dialogs_, startupFile);
        form3_ = std::make_unique<TForm3>();
        form5_ = std::make_unique<TForm5>(form1_->document().jpegQuality, form1_->channel());
        form1_->attachWindows(form3_.get(), form5_.get());
    }
    QString path(const QString& name) const { return folder_.filePath(name); }
    void open(const QString& file) {
        dialogs_.openAnswers.push_back(file);
        form1_->Open1->trigger();
    }
    // Stands for any operation: an undo copy, a change, and the modified flag.
    void changeImage(std::uint8_t value) {
        tavlo::Document& document = form1_->document();
        document.takeUndoCopy();
        document.workImage.row(0)[0] = value;
        document.modified = true;
        form1_->SetDisplayScale(document.displayScale);
    }
    std::uint8_t firstByte() { return std::as_const(form1_->document().workImage).row(0)[0]; }

  private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        writeBmp(path("a.bmp"), gradient(640, 480));
        writeBmp(path("big.bmp"), gradient(1000, 750));
        writeFile(path("photo.JpG"), tavlo::encodeJpeg(gradient(64, 48), 90));
        writeFile(path("broken.jpg"), "\xFF\xD8\xFF\xE0 not really");
    }

    void startsWithNoImage() {
        const QString started = QDir::currentPath();
        QDir::setCurrent(folder_.path());
        start();
        QDir::setCurrent(started);
        // The pane opens on the folder the program was started in.
        QCOMPARE(QDir(form1_->filePane()->currentFolder()), QDir(folder_.path()));
        QVERIFY(form1_->filePane()->listedFiles().join(' ').contains(QStringLiteral("photo.JpG")));
        for (QMenu* menu : {form1_->B3, form1_->D1, form1_->S2, form1_->R1, form1_->H2,
                            form1_->C2, form1_->T3})
            QVERIFY2(!menu->isEnabled(), qPrintable(menu->objectName()));
        for (QAction* item : {form1_->H4, form1_->F1, form1_->S1, form1_->BMPT1, form1_->JPEGU1,
                              form1_->BMPV1, form1_->P1, form1_->C1})
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(form1_->L2->isChecked());
        QVERIFY(form1_->N24C1->isChecked());
        QVERIFY(!form1_->FULLF1->isChecked());
        QCOMPARE(form1_->panelText(3), QStringLiteral("表示スケール"));
        QCOMPARE(form1_->panelText(8), QStringLiteral("　JPG圧縮度：50  / BMP保存形式：(24bits)"));
        QCOMPARE(form1_->windowTitle(), QStringLiteral("Tavlo　Ver 1.3 2005/3"));
    }

    void startupFileIsShownAtOnceAndInformationFollowsLater() {
        start(path("a.bmp"));
        QCOMPARE(form1_->panelText(0), QStringLiteral("W = 640"));
        QCOMPARE(form3_->fieldText(Field::FileName), QString());
        QTRY_COMPARE_WITH_TIMEOUT(form3_->fieldText(Field::FileName), QStringLiteral("A.BMP"), 2000);
        QCOMPARE(form3_->fieldText(Field::LoadedAspect), QStringLiteral("W/H = 1.3333 ( 16.8Ｍ色 )"));
    }

    void anUnreadableStartupFileIsReportedOnce() {
        start(path("missing.bmp"));
        QTest::qWait(250);
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY(!form1_->C2->isEnabled());
    }

    void openingEnablesTheImageMenusAndFollowsTheFolder() {
        start();
        open(path("photo.JpG"));
        QCOMPARE(dialogs_.openTitles, QStringList{QStringLiteral("JPGファイルを開く")});
        QVERIFY(form1_->C2->isEnabled());
        QVERIFY(form1_->F1->isEnabled());
        QVERIFY(form1_->FULLF1->isChecked());
        QCOMPARE(form1_->panelText(4), QStringLiteral("PHOTO.JPG"));
        QCOMPARE(form1_->panelText(7), QStringLiteral("(24bits)"));
        QCOMPARE(QDir(form1_->filePane()->currentFolder()), QDir(folder_.path()));
    }

    void viewShowsThePixelsAndFollowsTheScale() {
        start();
        open(path("big.bmp"));
        const QImage full = form1_->viewPixmap().toImage();
        QCOMPARE(full.size(), QSize(1000, 750));
        const tavlo::Bitmap& work = form1_->document().workImage;
        for (const QPoint p : {QPoint(0, 0), QPoint(999, 0), QPoint(17, 749), QPoint(500, 300)}) {
            const tavlo::Rgb c = work.pixel(p.x(), p.y());
            QCOMPARE(full.pixel(p), qRgb(c.r, c.g, c.b));
        }
        form1_->N13T1->trigger();
        QCOMPARE(form1_->viewPixmap().size(), QSize(333, 250));
        QCOMPARE(form1_->panelText(2), QStringLiteral("W/H = 1.33200"));
        QCOMPARE(form1_->panelText(3), QStringLiteral("表示ｽｹｰﾙ : 1/3"));
        QVERIFY(form1_->N13T1->isChecked() && !form1_->FULLF1->isChecked());
        QCOMPARE(form3_->fieldText(Field::CurrentAspect), QStringLiteral("W/H = 1.3333"));
    }

    void aCorruptFileBlanksTheViewUntilTheNextRefresh() {
        start();
        open(path("a.bmp"));
        open(path("broken.jpg"));
        QVERIFY(form1_->viewLabel()->pixmap().isNull());
        QCOMPARE(form1_->panelText(4), QStringLiteral("BROKEN.JPG"));
        QVERIFY(dialogs_.messages.isEmpty() && dialogs_.errors.isEmpty());
        form1_->N12H1->trigger();
        QCOMPARE(form1_->viewPixmap().size(), QSize(320, 240));
    }

    void savePromptBeforeALoad_data() {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("saveChosen");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<bool>("modifiedAfter");
        QTest::newRow("cancel") << Answer::Cancel << false << "A.BMP" << true;
        QTest::newRow("no") << Answer::No << false << "BIG.BMP" << false;
        QTest::newRow("yes, saved") << Answer::Yes << true << "A.BMP" << false;
        QTest::newRow("yes, save cancelled") << Answer::Yes << false << "A.BMP" << true;
    }
    void savePromptBeforeALoad() {
        QFETCH(Answer, answer);
        QFETCH(bool, saveChosen);
        QFETCH(QString, shownAfter);
        QFETCH(bool, modifiedAfter);
        start();
        open(path("a.bmp"));
        changeImage(7);
        dialogs_.confirmAnswers.push_back(answer);
        if (saveChosen)
            dialogs_.saveAnswers.push_back(path("saved.bmp"));
        open(path("big.bmp"));
        QCOMPARE(dialogs_.confirmations.size(), 1);
        QVERIFY(dialogs_.confirmations.front().endsWith(QStringLiteral("\r\nA.BMP")));
        QCOMPARE(form1_->panelText(4), shownAfter);
        QCOMPARE(form1_->document().modified, modifiedAfter);
        if (answer == Answer::Yes)
            QCOMPARE(dialogs_.saves.back().title, QStringLiteral("BMPファイル別名保存 (24bits)"));
    }

    void saveCommandsUseTheirTitlesNamesAndChecks() {
        start();
        open(path("photo.JpG"));
        dialogs_.saveAnswers.push_back(path("out"));
        form1_->S1->trigger();
        QCOMPARE(dialogs_.saves.back().title, QStringLiteral("JPGファイル上書き保存(50)"));
        QCOMPARE(dialogs_.saves.back().proposedName, path("photo.jpg"));
        QVERIFY(!dialogs_.saves.back().askOverwrite);
        QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("拡張子を正しく入力してください。")});
        QVERIFY(!QFile::exists(path("out")));

        form1_->A2->trigger();
        QVERIFY(form1_->A2->isChecked() && !form1_->N24C1->isChecked());
        QCOMPARE(form1_->panelText(8), QStringLiteral("　JPG圧縮度：50  / BMP保存形式：(8bits)"));
        dialogs_.saveAnswers.push_back(path("eight.bmp"));
        form1_->BMPV1->trigger();
        QCOMPARE(dialogs_.saves.back().title, QStringLiteral("BMPファイル別名保存 (8bits)"));
        QVERIFY(dialogs_.saves.back().askOverwrite);
        QVERIFY(QFile::exists(path("eight.bmp")));
        QCOMPARE(form1_->document().workImage.format(), tavlo::PixelFormat::Bit8);
    }

    void exitAndCloseAskFirstAndStayWhenTheSaveFails() {
        start();
        open(path("a.bmp"));
        changeImage(9);
        form1_->show();
        dialogs_.confirmAnswers = {Answer::Yes}; // and then the save dialog is cancelled
        form1_->X1->trigger();
        QVERIFY(form1_->isVisible());
        QVERIFY(form1_->document().modified);

        dialogs_.confirmAnswers = {Answer::Cancel};
        QVERIFY(!form1_->close());
        dialogs_.confirmAnswers = {Answer::No};
        form1_->X1->trigger();
        QVERIFY(!form1_->isVisible());
        QCOMPARE(dialogs_.confirmations.size(), 3); // exit asks only once
    }

    void undoAndBackToTheStart() {
        start();
        open(path("a.bmp"));
        const std::uint8_t original = firstByte();
        changeImage(1);
        changeImage(2);
        form1_->O1->trigger();
        QCOMPARE(firstByte(), 1);
        form1_->O1->trigger();
        QCOMPARE(firstByte(), 1);
        dialogs_.confirmAnswers = {Answer::No};
        form1_->T2->trigger();
        QCOMPARE(firstByte(), original);
        QVERIFY(!form1_->document().modified);
    }

    void dropTakesTheFirstFileAndRefusesOtherTypes() {
        start();
        auto drop = [&](const QStringList& files) {
            QList<QUrl> urls;
            for (const QString& f : files)
                urls << QUrl::fromLocalFile(f);
            form1_->filesDropped(urls);
        };
        drop({path("A.PNG")});
        QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("ファイルタイプ.PNGはサポートしてません。")});
        QCOMPARE(form1_->document().sourcePath, path("A.PNG").toStdString());
        drop({path("big.bmp"), path("a.bmp")});
        QCOMPARE(form1_->panelText(4), QStringLiteral("BIG.BMP"));
    }

    void qualityDialogUpdatesTheStatusBar() {
        start();
        form5_->show();
        form5_->ScrollBar1->setValue(80);
        form5_->Button1->click();
        QCOMPARE(form1_->document().jpegQuality, 80);
        QCOMPARE(form1_->panelText(8), QStringLiteral("　JPG圧縮度：80  / BMP保存形式：(24bits)"));
    }

    void informationWindowFollowsItsMenuItem() {
        start();
        form1_->show();
        open(path("a.bmp"));
        form1_->F1->trigger();
        QVERIFY(form3_->isVisible());
        form3_->close();
        QVERIFY(!form1_->F1->isChecked());
        form1_->F1->trigger();
        QVERIFY(form3_->isVisible());
        form1_->F1->trigger();
        QVERIFY(!form3_->isVisible());
    }

    void filePaneHidesAndShows() {
        start();
        form1_->show();
        QVERIFY(form1_->filePane()->isVisible());
        form1_->L2->trigger();
        QVERIFY(!form1_->filePane()->isVisible());
        QTRY_VERIFY(form1_->viewLabel()->mapTo(form1_.get(), QPoint(0, 0)).x() < 10);
        form1_->L2->trigger();
        QVERIFY(form1_->filePane()->isVisible());
    }

    void copyAndPasteThroughTheClipboard() {
        start();
        QApplication::clipboard()->clear();
        form1_->P2->setEnabled(true); // emptied by another program after the menu was enabled
        form1_->P2->trigger();
        QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("クリップボードは空っぽです。")});

        QSignalSpy refreshes(form1_.get(), &TForm1::viewRefreshed);
        open(path("a.bmp"));
        QCOMPARE(refreshes.count(), 1); // the histogram follows loads and pastes too
        form1_->F1->setChecked(true);
        form1_->C1->trigger();
        changeImage(3);
        refreshes.clear();
        form1_->P2->trigger();
        QCOMPARE(refreshes.count(), 1);
        const tavlo::Document& document = form1_->document();
        QCOMPARE(document.workImage.format(), tavlo::PixelFormat::Device);
        QCOMPARE(document.workImage.pixel(5, 7), gradient(640, 480).pixel(5, 7));
        QCOMPARE(form1_->panelText(7), QStringLiteral("?????"));
        QCOMPARE(form1_->panelText(6), QStringLiteral(" ｻｲｽﾞ= "));
        QVERIFY(document.noSourceFile && !document.modified);
        QVERIFY(!form1_->F1->isEnabled() && !form1_->F1->isChecked());
        QVERIFY(form1_->C2->isEnabled()); // a file was loaded before
        QCOMPARE(document.currentFileName, std::string("A.BMP"));
    }

    void cleanup() {
        if (form1_)
            form1_->document().modified = false;
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
