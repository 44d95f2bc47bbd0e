// A JPEG save from the main window: the status bar tells whether the turn was lossless, and the
// metadata item decides whether the tags go with the picture.
#include "app/menu_items.h"
#include "app/main_window.h"
#include "document/jpeg_codec.h"
#include "geometry/geometry_steps.h"
#include "scripted_dialogs.h"

#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>

using namespace tavlo;

namespace {

// As the rotation menu's command runs, which the program's geometry commands own.
void turnRight(Document& document) {
    QCOMPARE(runQuarterTurn(document, TurnMode::Right), OperationStatus::Done);
    document.modified = true;
}

} // namespace

class PhotoSaveTest : public QObject {
    Q_OBJECT

  private slots:
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
