// Drives the real main window offscreen, with scripted answers for its dialogs.
#include "app/menu_items.h"
#include "app/file_info_window.h"
#include "app/file_pane.h"
#include "app/jpeg_quality_dialog.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "document/bmp_codec.h"
#include "document/jpeg_codec.h"
#include "document/pixel_convert.h"
#include "scripted_dialogs.h"
#include "widgets/image_view.h"
#include "widgets/view_image.h"

#include <QClipboard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QCloseEvent>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace tavlo;

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

// The header of a 24-bit BMP of 20000 × 20000 pixels, above the pixel cap; no pixels follow.
std::string hugeBmpHeader() {
    tavlo::BmpFileParts parts = tavlo::encodeBmp(gradient(2, 2));
    const auto put = [&](std::size_t at, std::int32_t value) {
        for (int i = 0; i < 4; ++i) parts.header[at + i] = static_cast<char>(value >> (8 * i));
    };
    put(18, 20000); // width
    put(22, 20000); // height
    return parts.header;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<FileInfoWindow> fileInfoWindow_;
    std::unique_ptr<JpegQualityDialog> jpegQualityDialog_;

    void start(const QString& startupFile = {}) {
        dialogs_ = ScriptedDialogs();
        jpegQualityDialog_.reset();
        fileInfoWindow_.reset();
        mainWindow_ = std::make_unique<MainWindow>(dialogs_, startupFile);
        fileInfoWindow_ = std::make_unique<FileInfoWindow>();
        jpegQualityDialog_ = std::make_unique<JpegQualityDialog>();
        mainWindow_->attachWindows(fileInfoWindow_.get(), jpegQualityDialog_.get());
    }
    QString path(const QString& name) const { return folder_.filePath(name); }
    void open(const QString& file) {
        dialogs_.openAnswers.push_back(file);
        mainWindow_->menuAction(kOpenJpegItem)->trigger();
    }
    // Stands for any operation: an undo copy, a change, and the modified flag.
    void changeImage(std::uint8_t value) {
        tavlo::Document& document = mainWindow_->document();
        document.takeUndoCopy();
        document.workImage.row(0)[0] = value;
        document.modified = true;
        mainWindow_->setDisplayScale(document.displayScale);
    }
    // What the view shows, margins left out.
    QImage shownPicture() const {
        ImageView* view = mainWindow_->view();
        return view->grab(QRect(view->contentsRect().topLeft(), view->viewSize())).toImage();
    }
    std::uint8_t firstByte() { return std::as_const(mainWindow_->document().workImage).row(0)[0]; }

  private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        writeBmp(path("a.bmp"), gradient(640, 480));
        writeBmp(path("big.bmp"), gradient(1000, 750));
        writeFile(path("photo.JpG"), tavlo::encodeJpeg(gradient(64, 48), 90));
        writeFile(path("broken.jpg"), "\xFF\xD8\xFF\xE0 not really");
        writeFile(path("photo.jpeg"), tavlo::encodeJpeg(gradient(64, 48), 90));
        writeFile(path("photo.JPE"), tavlo::encodeJpeg(gradient(64, 48), 90));
        writeFile(path("notes.txt"), "text");
        writeFile(path("huge.bmp"), hugeBmpHeader());
    }

    void startsWithNoImage() {
        // The pane opens on home when there is no Pictures folder.
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", folder_.path().toUtf8());
        start();
        qputenv("HOME", home);
        QCOMPARE(QDir(mainWindow_->filePane()->currentFolder()), QDir(folder_.path()));
        QVERIFY(
            mainWindow_->filePane()->listedFiles().join(' ').contains(QStringLiteral("photo.JpG")));
        for (QMenu* menu : {mainWindow_->menu(kUndoMenu), mainWindow_->menu(kScaleMenu), mainWindow_->menu(kSizeMenu),
                            mainWindow_->menu(kRotateMenu), mainWindow_->menu(kDeformMenu),
                            mainWindow_->menu(kColourMenu), mainWindow_->menu(kTrimMenu)})
            QVERIFY2(!menu->isEnabled(), qPrintable(menu->objectName()));
        for (QAction* item : {mainWindow_->menuAction(kHistogramItem), mainWindow_->menuAction(kFileInfoItem),
                              mainWindow_->menuAction(kSaveJpegItem), mainWindow_->menuAction(kSaveBmpItem),
                              mainWindow_->menuAction(kSaveJpegAsItem), mainWindow_->menuAction(kSaveBmpAsItem),
                              mainWindow_->menuAction(kPrintItem), mainWindow_->menuAction(kCopyItem)})
            QVERIFY2(!item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(mainWindow_->menuAction(kFileListItem)->isChecked());
        QVERIFY(mainWindow_->menuAction(tavlo::kBmp24BitItem)->isChecked());
        QVERIFY(!mainWindow_->menuAction(kScaleFullItem)->isChecked());
        QCOMPARE(mainWindow_->panelText(3), QStringLiteral("表示スケール"));
        QCOMPARE(mainWindow_->panelText(8),
                 QStringLiteral("　JPG圧縮度：50  / BMP保存形式：(24bits)"));
        QCOMPARE(mainWindow_->windowTitle(), QStringLiteral("Tavlo　Ver 1.3 2005/3"));
    }

    void startupFileIsShownAtOnceAndInformationFollowsLater() {
        start(path("a.bmp"));
        QCOMPARE(mainWindow_->panelText(0), QStringLiteral("W = 640"));
        QCOMPARE(fileInfoWindow_->fieldText(Field::FileName), QString());
        QTRY_COMPARE_WITH_TIMEOUT(fileInfoWindow_->fieldText(Field::FileName),
                                  QStringLiteral("A.BMP"), 2000);
        QCOMPARE(fileInfoWindow_->fieldText(Field::LoadedAspect),
                 QStringLiteral("W/H = 1.3333 ( 16.8Ｍ色 )"));
    }

    void anUnreadableStartupFileIsReportedOnce() {
        start(path("missing.bmp"));
        QTest::qWait(250);
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY(!mainWindow_->menu(kColourMenu)->isEnabled());
    }

    void openingEnablesTheImageMenusAndFollowsTheFolder() {
        start();
        open(path("photo.JpG"));
        QCOMPARE(dialogs_.openTitles, QStringList{QStringLiteral("JPGファイルを開く")});
        QVERIFY(mainWindow_->menu(kColourMenu)->isEnabled());
        QVERIFY(mainWindow_->menuAction(kFileInfoItem)->isEnabled());
        QVERIFY(mainWindow_->menuAction(kScaleFullItem)->isChecked());
        QCOMPARE(mainWindow_->panelText(4), QStringLiteral("PHOTO.JPG"));
        QCOMPARE(mainWindow_->panelText(7), QStringLiteral("(24bits)"));
        QCOMPARE(QDir(mainWindow_->filePane()->currentFolder()), QDir(folder_.path()));
        // The next open dialog starts in the shown picture's folder.
        open(QString());
        QCOMPARE(dialogs_.openFolders.size(), 2);
        QCOMPARE(dialogs_.openFolders.front(), QString());
        QCOMPARE(QDir(dialogs_.openFolders.back()), QDir(folder_.path()));
    }

    void viewShowsThePixelsAndFollowsTheScale() {
        start();
        open(path("big.bmp"));
        const tavlo::Bitmap& work = mainWindow_->document().workImage;
        QCOMPARE(shownPicture(), viewImage(work).convertToFormat(QImage::Format_RGB32));
        mainWindow_->menuAction(kScaleThirdItem)->trigger();
        QCOMPARE(shownPicture(),
                 viewImage(tavlo::stretched(work, 333, 250)).convertToFormat(QImage::Format_RGB32));
        QCOMPARE(mainWindow_->panelText(2), QStringLiteral("W/H = 1.33200"));
        QCOMPARE(mainWindow_->panelText(3), QStringLiteral("表示ｽｹｰﾙ : 1/3"));
        QVERIFY(mainWindow_->menuAction(kScaleThirdItem)->isChecked() &&
                !mainWindow_->menuAction(kScaleFullItem)->isChecked());
        QCOMPARE(fileInfoWindow_->fieldText(Field::CurrentAspect), QStringLiteral("W/H = 1.3333"));
    }

    void fitShowsTheWholePictureAndFollowsTheWindow() {
        start();
        mainWindow_->show();
        open(path("big.bmp"));
        const QImage full = shownPicture();
        mainWindow_->menuAction(kScaleFitItem)->trigger();
        QVERIFY(mainWindow_->menuAction(kScaleFitItem)->isChecked() &&
                !mainWindow_->menuAction(kScaleFullItem)->isChecked());
        QCOMPARE(mainWindow_->panelText(3), QStringLiteral("表示ｽｹｰﾙ : ELSE"));
        auto* area = mainWindow_->findChild<QScrollArea*>();
        auto* splitter = mainWindow_->findChild<QSplitter*>(QStringLiteral("Splitter3"));
        const auto checkFitted = [&](const char* when) {
            const QSize shown = mainWindow_->view()->viewSize();
            const QSize room = area->viewport()->size() - QSize(2, 2);
            const tavlo::Bitmap& work = mainWindow_->document().workImage;
            QVERIFY2(shown.width() <= room.width() && shown.height() <= room.height(), when);
            QVERIFY2(shown.width() == room.width() || shown.height() == room.height(), when);
            QVERIFY2(shown.width() == work.width() * shown.height() / work.height() ||
                         shown.height() == work.height() * shown.width() / work.width(),
                     when);
            QVERIFY2(!area->horizontalScrollBar()->isVisible() &&
                         !area->verticalScrollBar()->isVisible(),
                     when);
            QCOMPARE(shownPicture(),
                     viewImage(tavlo::stretched(work, shown.width(), shown.height()))
                         .convertToFormat(QImage::Format_RGB32));
        };
        for (const QSize window : {QSize(1200, 700), QSize(1150, 1000), QSize(1600, 500)}) {
            mainWindow_->resize(window);
            QTRY_COMPARE(mainWindow_->size(), window);
            checkFitted("window resized");
        }
        splitter->setSizes({600, 800});
        QTRY_COMPARE(splitter->sizes().front(), 600);
        checkFitted("splitter moved");
        open(path("photo.JpG")); // smaller than the view: enlarged to fit
        QVERIFY(mainWindow_->view()->viewSize().width() > 64);
        checkFitted("another picture loaded");
        // The fixed scales are as they were.
        open(path("big.bmp"));
        mainWindow_->menuAction(kScaleFullItem)->trigger();
        QCOMPARE(shownPicture(), full);
        mainWindow_->menuAction(kScaleEighthItem)->trigger();
        QCOMPARE(mainWindow_->view()->viewSize(), QSize(125, 93));
        QCOMPARE(mainWindow_->panelText(3), QStringLiteral("表示ｽｹｰﾙ : 1/8"));
    }

    void aFailedLoadSaysWhyAndChangesNothing_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("corrupt") << "broken.jpg"
                                 << "「broken.jpg」は壊れているか対応していない形式のため、開けません。";
        QTest::newRow("over the pixel cap")
            << "huge.bmp" << "「huge.bmp」は画素数が上限（268,435,456画素）を超えるため、開けません。";
        QTest::newRow("not our type") << "notes.txt"
                                      << "「notes.txt」はJPG・BMPファイルではないため、開けません。";
        QTest::newRow("missing") << "gone.jpg" << "「gone.jpg」が見つからないため、開けません。";
    }
    void aFailedLoadSaysWhyAndChangesNothing() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        start();
        open(path("a.bmp"));
        changeImage(9);
        const QImage before = shownPicture();
        dialogs_.confirmAnswers = {Answer::No};
        open(path(file));
        QCOMPARE(dialogs_.errors, QStringList{message});
        QCOMPARE(mainWindow_->panelText(4), QStringLiteral("A.BMP"));
        QCOMPARE(shownPicture(), before);
        QCOMPARE(fileInfoWindow_->fieldText(Field::FileName), QStringLiteral("A.BMP"));
        // 上書き保存 proposes the picture's own file, never the one that failed.
        dialogs_.saveAnswers.clear();
        mainWindow_->menuAction(kSaveBmpItem)->trigger();
        QCOMPARE(dialogs_.saves.back().proposedName, path("a.bmp"));
    }

    void saveOverKeepsTheExtensionAsWritten_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow(".JpG") << "photo.JpG";
        QTest::newRow(".jpeg") << "photo.jpeg";
        QTest::newRow(".JPE") << "photo.JPE";
    }
    void saveOverKeepsTheExtensionAsWritten() {
        QFETCH(QString, file);
        start();
        open(path(file));
        QCOMPARE(mainWindow_->panelText(0), QStringLiteral("W = 64"));
        QVERIFY(mainWindow_->filePane()->listedFiles().contains(path(file)));
        dialogs_.saveAnswers.push_back(path(file));
        mainWindow_->menuAction(kSaveJpegItem)->trigger();
        QCOMPARE(dialogs_.saves.back().proposedName, path(file));
        QCOMPARE(QDir(folder_.path()).entryList({QStringLiteral("photo.*")}, QDir::Files,
                                                QDir::IgnoreCase)
                     .size(),
                 3);
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
        QCOMPARE(mainWindow_->panelText(4), shownAfter);
        QCOMPARE(mainWindow_->document().modified, modifiedAfter);
        if (answer == Answer::Yes)
            QCOMPARE(dialogs_.saves.back().title, QStringLiteral("BMPファイル別名保存 (24bits)"));
    }

    void saveCommandsUseTheirTitlesNamesAndChecks() {
        start();
        open(path("photo.JpG"));
        dialogs_.saveAnswers.push_back(path("out"));
        mainWindow_->menuAction(kSaveJpegItem)->trigger();
        QCOMPARE(dialogs_.saves.back().title, QStringLiteral("JPGファイル上書き保存(50)"));
        QCOMPARE(dialogs_.saves.back().proposedName, path("photo.JpG"));
        QVERIFY(!dialogs_.saves.back().askOverwrite);
        QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("拡張子を正しく入力してください。")});
        QVERIFY(!QFile::exists(path("out")));

        mainWindow_->menuAction(tavlo::kBmp8BitItem)->trigger();
        QVERIFY(mainWindow_->menuAction(tavlo::kBmp8BitItem)->isChecked() &&
                !mainWindow_->menuAction(tavlo::kBmp24BitItem)->isChecked());
        QCOMPARE(mainWindow_->panelText(8),
                 QStringLiteral("　JPG圧縮度：50  / BMP保存形式：(8bits)"));
        dialogs_.saveAnswers.push_back(path("eight.bmp"));
        mainWindow_->menuAction(kSaveBmpAsItem)->trigger();
        QCOMPARE(dialogs_.saves.back().title, QStringLiteral("BMPファイル別名保存 (8bits)"));
        QVERIFY(dialogs_.saves.back().askOverwrite);
        QVERIFY(QFile::exists(path("eight.bmp")));
        QCOMPARE(mainWindow_->document().workImage.format(), tavlo::PixelFormat::Bit8);
    }

    void exitAndCloseAskFirstAndStayWhenTheSaveFails() {
        start();
        open(path("a.bmp"));
        changeImage(9);
        mainWindow_->show();
        dialogs_.confirmAnswers = {Answer::Yes}; // and then the save dialog is cancelled
        mainWindow_->menuAction(kQuitItem)->trigger();
        QVERIFY(mainWindow_->isVisible());
        QVERIFY(mainWindow_->document().modified);

        dialogs_.confirmAnswers = {Answer::Cancel};
        QVERIFY(!mainWindow_->close());
        dialogs_.confirmAnswers = {Answer::No};
        mainWindow_->menuAction(kQuitItem)->trigger();
        QVERIFY(!mainWindow_->isVisible());
        QCOMPARE(dialogs_.confirmations.size(), 3); // exit asks only once
    }

    // A load and an undo hand the same pixels around instead of copying a large photo.
    void loadAndUndoShareThePixels() {
        start();
        open(path("big.bmp"));
        const tavlo::Document& document = mainWindow_->document();
        const auto sharing = [&] {
            return document.workImage.bottomUpData() == document.undoImage.bottomUpData();
        };
        QVERIFY(sharing());
        changeImage(3);
        QVERIFY(!sharing());
        mainWindow_->menuAction(kUndoItem)->trigger();
        QVERIFY(sharing());
    }

    void undoAndBackToTheStart() {
        start();
        open(path("a.bmp"));
        const std::uint8_t original = firstByte();
        changeImage(1);
        changeImage(2);
        mainWindow_->menuAction(kUndoItem)->trigger();
        QCOMPARE(firstByte(), 1);
        mainWindow_->menuAction(kUndoItem)->trigger();
        QCOMPARE(firstByte(), 1);
        dialogs_.confirmAnswers = {Answer::No};
        mainWindow_->menuAction(kRevertItem)->trigger();
        QCOMPARE(firstByte(), original);
        QVERIFY(!mainWindow_->document().modified);
    }

    void dropTakesTheFirstFileAndRefusesOtherTypes() {
        start();
        auto drop = [&](const QStringList& files) {
            QList<QUrl> urls;
            for (const QString& f : files)
                urls << QUrl::fromLocalFile(f);
            mainWindow_->files().drop(urls);
        };
        drop({path("A.PNG")});
        QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("ファイルタイプ.PNGはサポートしてません。")});
        QVERIFY(mainWindow_->document().sourcePath.empty());
        drop({path("big.bmp"), path("a.bmp")});
        QCOMPARE(mainWindow_->panelText(4), QStringLiteral("BIG.BMP"));
    }

    void qualityDialogUpdatesTheStatusBar() {
        start();
        jpegQualityDialog_->show();
        jpegQualityDialog_->qualityBar->setValue(80);
        jpegQualityDialog_->runButton->click();
        QCOMPARE(mainWindow_->document().jpegQuality, 80);
        QCOMPARE(mainWindow_->panelText(8),
                 QStringLiteral("　JPG圧縮度：80  / BMP保存形式：(24bits)"));
    }

    void informationWindowFollowsItsMenuItem() {
        start();
        mainWindow_->show();
        open(path("a.bmp"));
        mainWindow_->menuAction(kFileInfoItem)->trigger();
        QVERIFY(fileInfoWindow_->isVisible());
        fileInfoWindow_->close();
        QVERIFY(!mainWindow_->menuAction(kFileInfoItem)->isChecked());
        mainWindow_->menuAction(kFileInfoItem)->trigger();
        QVERIFY(fileInfoWindow_->isVisible());
        mainWindow_->menuAction(kFileInfoItem)->trigger();
        QVERIFY(!fileInfoWindow_->isVisible());
    }

    void filePaneHidesAndShows() {
        start();
        mainWindow_->show();
        QVERIFY(mainWindow_->filePane()->isVisible());
        mainWindow_->menuAction(kFileListItem)->trigger();
        QVERIFY(!mainWindow_->filePane()->isVisible());
        QTRY_VERIFY(mainWindow_->view()->mapTo(mainWindow_.get(), QPoint(0, 0)).x() < 10);
        mainWindow_->menuAction(kFileListItem)->trigger();
        QVERIFY(mainWindow_->filePane()->isVisible());
    }

    void copyAndPasteThroughTheClipboard() {
        start();
        QApplication::clipboard()->clear();
        mainWindow_->menuAction(kPasteItem)->setEnabled(
            true); // emptied by another program after the menu was enabled
        mainWindow_->menuAction(kPasteItem)->trigger();
        QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("クリップボードは空っぽです。")});

        QSignalSpy refreshes(mainWindow_.get(), &MainWindow::viewRefreshed);
        open(path("a.bmp"));
        QCOMPARE(refreshes.count(), 1); // the histogram follows loads and pastes too
        mainWindow_->menuAction(kFileInfoItem)->setChecked(true);
        mainWindow_->menuAction(kCopyItem)->trigger();
        changeImage(3);
        refreshes.clear();
        mainWindow_->menuAction(kPasteItem)->trigger();
        QCOMPARE(refreshes.count(), 1);
        const tavlo::Document& document = mainWindow_->document();
        QCOMPARE(document.workImage.format(), tavlo::PixelFormat::Device);
        QCOMPARE(document.workImage.pixel(5, 7), gradient(640, 480).pixel(5, 7));
        QCOMPARE(mainWindow_->panelText(7), QStringLiteral("?????"));
        QCOMPARE(mainWindow_->panelText(6), QStringLiteral(" ｻｲｽﾞ= "));
        QVERIFY(document.noSourceFile && !document.modified);
        QVERIFY(!mainWindow_->menuAction(kFileInfoItem)->isEnabled() &&
                !mainWindow_->menuAction(kFileInfoItem)->isChecked());
        QVERIFY(mainWindow_->menu(kColourMenu)->isEnabled()); // a file was loaded before
        QCOMPARE(document.currentFileName, std::string("A.BMP"));
    }

    void cleanup() {
        if (mainWindow_) mainWindow_->document().modified = false;
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
