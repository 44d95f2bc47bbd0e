// Browsing a folder of photos: files decoded ahead, the reduced first draw and what waits for
// the whole picture.
#include "app/file_commands.h"
#include "app/file_pane.h"
#include "app/main_window.h"
#include "app/menu_items.h"
#include "app/program.h"
#include "document/jpeg_codec.h"
#include "scripted_dialogs.h"
#include "widgets/image_view.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace tavlo;

namespace {

// Picture `index` of a folder: its width tells which it is, full (512 + 8 index) or reduced by
// four (128 + 2 index); fine stripes make the reduced decode differ from the exact view.
constexpr int kHeight = 384;
int fullWidth(int index) {
    return 512 + 8 * index;
}

std::string photoBytes(int index, int width = 0) {
    Bitmap picture =
        Bitmap::uninitialised(width ? width : fullWidth(index), kHeight, PixelFormat::Bit24);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            std::uint8_t* bgr = picture.row(y) + 3 * x;
            bgr[0] = static_cast<std::uint8_t>(x % 2 ? 255 : 0);
            bgr[1] = static_cast<std::uint8_t>(y * 255 / kHeight);
            bgr[2] = static_cast<std::uint8_t>(index * 40);
        }
    return encodeJpeg(picture, 90);
}

void writeFile(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc) << bytes;
}

// Which file a shown picture is, full or reduced; -1 for none of them.
int fileShowing(const Bitmap& shown) {
    if (shown.height() == kHeight) return (shown.width() - 512) / 8;
    if (shown.height() == kHeight / 4) return (shown.width() - 128) / 2;
    return -1;
}

QByteArray pixelBytes(const Bitmap& image) {
    QByteArray bytes;
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char*>(image.row(y)), image.stride());
    return bytes;
}

} // namespace

class BrowseTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<Program> program_;
    MainWindow* window_ = nullptr;
    QStringList files_;

    Document& document() { return window_->document(); }
    const Bitmap& shown() const { return window_->view()->shownImage(); }
    void load(int index) { window_->files().load(files_[index]); }
    // Long enough for the background thread to decode a few of these small files.
    void letDecodesRun() { QTest::qWait(300); }
    void waitForWholePicture() { QTRY_VERIFY(!window_->files().loadPending()); }

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(folder_->isValid());
        files_.clear();
        for (int i = 0; i < 6; ++i) {
            files_ << folder_->filePath(QStringLiteral("P%1.JPG").arg(i));
            writeFile(files_.back(), photoBytes(i));
        }
        dialogs_ = std::make_unique<ScriptedDialogs>();
        program_ = std::make_unique<Program>(*dialogs_, QString(), QString());
        window_ = &program_->mainWindow();
        window_->resize(1152, 921);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_));
    }
    void cleanup() { program_.reset(); }

    // A neighbour decoded ahead is taken as it was decoded while its file keeps its size and
    // time, and read again when either changed.
    void decodedNeighbourFollowsItsFile_data() {
        QTest::addColumn<bool>("sameStamp");
        QTest::newRow("size and time kept: the decode ahead is taken") << true;
        QTest::newRow("file rewritten: read again") << false;
    }
    void decodedNeighbourFollowsItsFile() {
        QFETCH(bool, sameStamp);
        load(0);
        letDecodesRun();
        const std::filesystem::path path = files_[1].toStdString();
        const auto written = std::filesystem::last_write_time(path);
        std::string other = photoBytes(4, fullWidth(1)); // same size, other colours
        const auto before = std::filesystem::file_size(path);
        QVERIFY(other.size() <= before);
        if (sameStamp) other.resize(before, '\0'); // bytes after the picture are not read
        writeFile(files_[1], other);
        if (sameStamp) std::filesystem::last_write_time(path, written);
        load(1);
        QVERIFY(!window_->files().loadPending());
        const int red = document().workImage.row(kHeight / 2)[2];
        QVERIFY2(std::abs(red - (sameStamp ? 40 : 160)) < 30, qPrintable(QString::number(red)));
    }

    // Taking a decode made ahead gives the very document a plain load gives.
    void decodedAheadEqualsPlainLoad() {
        load(0);
        letDecodesRun();
        load(1);
        Document plain;
        plain.sourcePath = files_[1].toStdString();
        QCOMPARE(plain.loadImageFile(), LoadOutcome::Loaded);
        const Document& taken = document();
        QCOMPARE(pixelBytes(taken.workImage), pixelBytes(plain.workImage));
        QCOMPARE(pixelBytes(taken.undoImage), pixelBytes(plain.undoImage));
        QCOMPARE(taken.panels, plain.panels);
        QCOMPARE(taken.information.fields, plain.information.fields);
        QCOMPARE(taken.loadedPath, plain.loadedPath);
        QCOMPARE(taken.viewWidth, plain.viewWidth);
        QVERIFY(taken.iccProfile == plain.iccProfile);
        // The file kept for saves is the same file: an untouched save writes the same bytes.
        const QString savedTaken = folder_->filePath(QStringLiteral("a.jpg"));
        const QString savedPlain = folder_->filePath(QStringLiteral("b.jpg"));
        QCOMPARE(document().saveJpeg(savedTaken.toStdString()), SaveOutcome::Saved);
        QCOMPARE(plain.saveJpeg(savedPlain.toStdString()), SaveOutcome::Saved);
        QFile a(savedTaken), b(savedPlain);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
    }

    // At 1/4 a file not decoded ahead is drawn at once from the reduced decode while the
    // document keeps the picture before; the exact view replaces it when the whole file is in.
    void reducedFirstDrawThenExactView() {
        load(5);
        window_->menuAction(kScaleQuarterItem)->trigger();
        load(0);
        QVERIFY(window_->files().loadPending());
        QCOMPARE(shown().width(), 128);
        QCOMPARE(window_->view()->viewSize(), QSize(fullWidth(0) / 4, kHeight / 4));
        QCOMPARE(document().loadedWidth, fullWidth(5));
        waitForWholePicture();
        QCOMPARE(shown().width(), fullWidth(0));
        QCOMPARE(document().loadedWidth, fullWidth(0));
        QCOMPARE(window_->view()->viewSize(), QSize(fullWidth(0) / 4, kHeight / 4));
        QCOMPARE(pixelBytes(shown()), pixelBytes(document().workImage));
    }

    // At 1/1 a picture far taller than the view is first drawn from the rows the view shows.
    void tallPictureFirstDrawnFromItsTopRows() {
        load(0);
        const int rows = document().fitHeight;
        QVERIFY(rows > 0);
        const QString tall = folder_->filePath(QStringLiteral("tall/T.JPG"));
        QDir(folder_->path()).mkdir(QStringLiteral("tall"));
        Bitmap picture(64, 2 * rows + 8, PixelFormat::Bit24);
        writeFile(tall, encodeJpeg(picture, 90));
        window_->files().load(tall);
        QVERIFY(window_->files().loadPending());
        QCOMPARE(shown().height(), rows);
        QCOMPARE(window_->view()->viewSize(), QSize(64, rows));
        QCOMPARE(document().loadedWidth, fullWidth(0));
        waitForWholePicture();
        QCOMPARE(shown().height(), 2 * rows + 8);
        QCOMPARE(document().loadedHeight, 2 * rows + 8);
    }

    // Started with a picture first drawn from its top rows, the second load at start-up reads
    // the same file once the first has it, and nothing is reported.
    void startWithATallPictureLoadsItTwiceWithoutComplaint() {
        program_.reset();
        const QString tall = folder_->filePath(QStringLiteral("tall/T.JPG"));
        QDir(folder_->path()).mkdir(QStringLiteral("tall"));
        const QScreen* screen = QGuiApplication::primaryScreen();
        const int rows = static_cast<int>(screen->size().height() * screen->devicePixelRatio());
        // Noise at the top quality, so that the whole decode outlasts the 100 ms to the second
        // load.
        Bitmap noise = Bitmap::uninitialised(4096, 3 * rows, PixelFormat::Bit24);
        std::uint32_t seed = 1;
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < 3 * noise.width(); ++x)
                noise.row(y)[x] =
                    static_cast<std::uint8_t>((seed = seed * 1664525u + 1013904223u) >> 24);
        writeFile(tall, encodeJpeg(noise, 100));
        program_ = std::make_unique<Program>(*dialogs_, tall, QString());
        window_ = &program_->mainWindow();
        QVERIFY(window_->files().loadPending());
        QTest::qWait(200); // past the second load
        waitForWholePicture();
        QVERIFY2(dialogs_->errors.isEmpty(), qPrintable(dialogs_->errors.join(QLatin1Char('|'))));
        QCOMPARE(document().loadedPath, tall.toStdString());
        QCOMPARE(document().loadedHeight, 3 * rows);
        QCOMPARE(shown().height(), 3 * rows);
    }

    // What needs the working image waits for the whole picture: the runner's operations and a
    // menu item that reads the document.
    void workRightAfterALoadWaitsForTheWholePicture_data() {
        QTest::addColumn<bool>("throughRunner");
        QTest::newRow("quarter turn") << true;
        QTest::newRow("display scale menu") << false;
    }
    void workRightAfterALoadWaitsForTheWholePicture() {
        QFETCH(bool, throughRunner);
        window_->menuAction(kScaleQuarterItem)->trigger();
        load(2);
        QVERIFY(window_->files().loadPending());
        if (throughRunner) {
            window_->menuAction(kRotateRightItem)->trigger();
            QVERIFY(!window_->files().loadPending());
            QCOMPARE(document().workImage.width(), kHeight);
            QCOMPARE(document().workImage.height(), fullWidth(2));
            QCOMPARE(document().undoImage.width(), fullWidth(2));
            QVERIFY(document().modified);
        } else {
            window_->menuAction(kScaleHalfItem)->trigger();
            QVERIFY(!window_->files().loadPending());
            QCOMPARE(document().loadedWidth, fullWidth(2));
            QCOMPARE(window_->view()->viewSize(), QSize(fullWidth(2) / 2, kHeight / 2));
        }
    }

    // A file that turns out broken after its first draw brings the picture before back whole
    // and is reported as a failed load always is.
    void wholeDecodeFailingBringsThePictureBack() {
        load(3);
        window_->menuAction(kScaleQuarterItem)->trigger();
        const QByteArray before = pixelBytes(document().workImage);
        load(1);
        QVERIFY(window_->files().loadPending());
        QCOMPARE(shown().width(), 130);
        writeFile(files_[1], "not a JPEG file at all");
        waitForWholePicture();
        QCOMPARE(dialogs_->errors.size(), 1);
        QVERIFY(dialogs_->errors.front().contains(QStringLiteral("P1.JPG")));
        QCOMPARE(document().loadedPath, files_[3].toStdString());
        QCOMPARE(document().panels[NamePanel], std::string("P3.JPG"));
        QCOMPARE(pixelBytes(document().workImage), before);
        QCOMPARE(shown().width(), fullWidth(3));
        QCOMPARE(window_->view()->viewSize(), QSize(fullWidth(3) / 4, kHeight / 4));
    }

    // Holding Down shows the files in their order, each first reduced or whole, and ends on
    // the last one whole.
    void holdingDownShowsFilesInOrder() {
        window_->menuAction(kScaleQuarterItem)->trigger();
        load(0);
        waitForWholePicture();
        QListWidget* list = window_->filePane()->fileList;
        list->setFocus();
        QList<int> seen{fileShowing(shown())};
        const auto note = [&] {
            if (fileShowing(shown()) != seen.back()) seen << fileShowing(shown());
        };
        connect(window_, &MainWindow::viewRefreshed, this, note);
        for (int i = 1; i < files_.size(); ++i) {
            QTest::keyClick(list, Qt::Key_Down);
            note();
            QTest::qWait(i % 2 ? 1 : 60); // some files are whole before the next key, some not
            note();
        }
        waitForWholePicture();
        note();
        QCOMPARE(seen, (QList<int>{0, 1, 2, 3, 4, 5}));
        QCOMPARE(shown().width(), fullWidth(5));
        QCOMPARE(document().loadedWidth, fullWidth(5));
        QVERIFY(dialogs_->errors.isEmpty());
    }
};

QTEST_MAIN(BrowseTest)
#include "browse_test.moc"
