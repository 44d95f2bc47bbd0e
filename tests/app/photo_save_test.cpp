// A JPEG save from the main window: the status bar tells whether the turn was lossless, and the
// metadata item decides whether the tags go with the picture.
#include "app/main_window.h"
#include "app/menu_items.h"
#include "core/test_profiles.h"
#include "document/jpeg_codec.h"
#include "geometry/geometry_steps.h"
#include "scripted_dialogs.h"

#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <fstream>

using namespace tavlo;

namespace {

// As the rotation menu's command runs, which the program's geometry commands own.
void turnRight(Document& document) {
    QCOMPARE(runQuarterTurn(document, TurnMode::Right), OperationStatus::Done);
    document.modified = true;
}

std::string profileText(const std::vector<std::uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// A JPEG with `profile` in one APP2 ICC_PROFILE segment after its start marker.
std::string withProfile(const std::string& jpeg, const std::string& profile) {
    const std::string payload = std::string("ICC_PROFILE\0\x01\x01", 14) + profile;
    const std::size_t length = payload.size() + 2;
    const std::string segment = std::string("\xFF\xE2", 2) + static_cast<char>(length >> 8) +
                                static_cast<char>(length & 0xFF) + payload;
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

QRgb shownCentre(MainWindow& window) {
    QWidget* view = window.findChild<QWidget*>(QStringLiteral("Image1"));
    return view->grab().toImage().pixel(view->contentsRect().topLeft() + QPoint(32, 24));
}

} // namespace

class PhotoSaveTest : public QObject {
    Q_OBJECT

  private slots:
    // The view shows a tagged photo through its profile; the working image keeps the stored values.
    void theViewShowsThePictureThroughItsProfile() {
        QTemporaryDir folder;
        Bitmap grey(64, 48, PixelFormat::Bit24);
        std::fill(grey.bottomUpData(), grey.bottomUpData() + grey.byteSize(), 64);
        const std::string plain = encodeJpeg(grey, 95);
        const QString untagged = folder.filePath(QStringLiteral("plain.jpg"));
        const QString tagged = folder.filePath(QStringLiteral("linear.jpg"));
        std::ofstream(untagged.toStdString(), std::ios::binary) << plain;
        std::ofstream(tagged.toStdString(), std::ios::binary)
            << withProfile(plain, profileText(test::linearRgbProfile()));
        ScriptedDialogs dialogs;
        MainWindow window(dialogs, QString());
        window.show();
        dialogs.openAnswers = {untagged, tagged, untagged};
        const auto open = [&] { window.menuAction(kOpenJpegItem)->trigger(); };
        open();
        const int stored = std::as_const(window.document().workImage).row(24)[3 * 32 + 1];
        QCOMPARE(qGreen(shownCentre(window)), stored);
        open();
        QVERIFY(!window.document().iccProfile.empty());
        QCOMPARE(std::as_const(window.document().workImage).row(24)[3 * 32 + 1], stored);
        QVERIFY2(qGreen(shownCentre(window)) > stored + 60, "linear 0.25 shows as sRGB 0.54");
        open();
        QCOMPARE(qGreen(shownCentre(window)), stored);
    }

    void aSaveReportsHowItWroteThePictureAndFollowsTheMetadataItem() {
        QTemporaryDir folder;
        const QString photo = folder.filePath(QStringLiteral("photo.jpg"));
        std::ofstream(photo.toStdString(), std::ios::binary)
            << encodeJpeg(Bitmap(64, 48, PixelFormat::Bit24), 75);
        ScriptedDialogs dialogs;
        MainWindow window(dialogs, QString());
        window.show();
        QVERIFY(window.menuAction(kSaveMetadataItem)->isChecked());
        dialogs.openAnswers.push_back(photo);
        window.menuAction(kOpenJpegItem)->trigger();
        turnRight(window.document());
        dialogs.saveAnswers.push_back(folder.filePath(QStringLiteral("turned.jpg")));
        window.menuAction(kSaveJpegAsItem)->trigger();
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("JPG無劣化保存（回転・反転のみ）"));
        window.document().jpegQuality = 40;
        window.document().losslessTurns = false;
        turnRight(window.document());
        dialogs.saveAnswers.push_back(folder.filePath(QStringLiteral("encoded.jpg")));
        window.menuAction(kSaveJpegAsItem)->trigger();
        QCOMPARE(window.statusBar()->currentMessage(),
                 QStringLiteral("JPG再圧縮保存（圧縮度 40）"));

        window.menuAction(kSaveMetadataItem)->trigger();
        QVERIFY(!window.document().keepMetadata);
        window.menuAction(kSaveMetadataItem)->trigger();
        QVERIFY(window.document().keepMetadata);
    }
};

QTEST_MAIN(PhotoSaveTest)
#include "photo_save_test.moc"
