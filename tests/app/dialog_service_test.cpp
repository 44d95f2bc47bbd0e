#include "app/menu_items.h"
#include "app/geometry_commands.h"
#include "app/main_window.h"
#include "document/jpeg_codec.h"
#include "geometry/ui/size_dialog.h"
#include "widgets/dialog_service.h"
#include "widgets/picture_preview.h"

#include "child_process.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

class DialogServiceTest : public QObject {
    Q_OBJECT

  private slots:
    void saveRefusesAReadOnlyFileAndAsksAgain();
    void aRefusedRunIsReportedAboveItsDialog();
    void constantsSaveChecksTheNameItWrites_data();
    void constantsSaveChecksTheNameItWrites();
    void saveRefusesAFolderThatDoesNotExist();
    void fileTypeBoxShowsEachPatternOnce();
    void openDialogPreviewsThePictureUnderTheCursor();
    void aDismissedSavePromptKeepsTheChanges_data();
    void aDismissedSavePromptKeepsTheChanges();
};

namespace {

// Plays the user while a dialog runs: `fileDialog` gets each file dialog that comes up with its
// count (1 for the first), every message or question box is read into `boxes` and answered with
// `answer`.
class User {
  public:
    User(std::function<void(QFileDialog*, int)> fileDialog,
         QMessageBox::StandardButton answer = QMessageBox::Ok)
        : fileDialog_(std::move(fileDialog)), answer_(answer) {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { act(); });
        timer_.start();
    }
    QStringList boxes;
    int dialogs = 0;

  private:
    void act() {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes << box->text();
            current_ = nullptr; // the file dialog that comes back counts as a new one
            if (QAbstractButton* button = box->button(answer_))
                button->click();
            else
                box->accept();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (dialog != current_) {
                current_ = dialog;
                ++dialogs;
                ticks_ = 0;
            }
            fileDialog_(dialog, dialogs);
            // A dialog the script leaves open is closed after about ten seconds, so a fault
            // fails the test instead of hanging it.
            if (++ticks_ > 1000 && dialog->isVisible()) dialog->reject();
        }
    }

    std::function<void(QFileDialog*, int)> fileDialog_;
    QMessageBox::StandardButton answer_;
    QTimer timer_;
    QFileDialog* current_ = nullptr;
    int ticks_ = 0;
};

// The names the dialog's list shows, in its order.
QStringList listedNames(QFileDialog* dialog) {
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
        names << view->model()->index(row, 0, view->rootIndex()).data().toString();
    return names;
}

// Types `name` into the file-name field and presses Save in the first dialog; cancels any
// later one.
std::function<void(QFileDialog*, int)> typeOnce(const QString& name) {
    return [name](QFileDialog* dialog, int count) {
        if (count == 1 && dialog->isVisible()) {
            dialog->findChild<QListView*>(QStringLiteral("listView"))->clearSelection();
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
            static_cast<QDialog*>(dialog)->accept(); // as the Save button does
        } else if (count > 1) {
            dialog->reject();
        }
    };
}

QString mtxName(const QString& chosen) {
    return chosen.endsWith(QStringLiteral(".mtx"), Qt::CaseInsensitive) ? chosen : chosen + ".mtx";
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The save dialogs refuse a read-only file with their message and ask again. A file without any
// write bit is read-only for root as well, which may write anything.
void DialogServiceTest::saveRefusesAReadOnlyFileAndAsksAgain() {
    QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("locked.bmp"));
    writeFile(locked, {});
    QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    User user(typeOnce(locked));
    tavlo::QtDialogService service;
    const auto chosen = service.saveImage(nullptr, QStringLiteral("BMPファイル上書き保存 (24bits)"),
                                          QStringLiteral("BMPﾌｧｲﾙ(*.BMP)|*.BMP"),
                                          dir.filePath(QStringLiteral("photo.bmp")), false);
    QVERIFY(!chosen);
    QCOMPARE(user.dialogs, 2);
    QCOMPARE(user.boxes,
             QStringList{locked + QStringLiteral("\n読み取り専用のファイルには保存できません。")});
}

// The size dialog stays on top of the main window, so the refusal of its "実行" must be owned by
// the dialog, not by the main window beneath it.
void DialogServiceTest::aRefusedRunIsReportedAboveItsDialog() {
    tavlo::QtDialogService service;
    tavlo::MainWindow mainWindow(service, QString());
    auto* commands = new tavlo::GeometryCommands(mainWindow);
    tavlo::Document& document = mainWindow.document();
    document.sourcePath = "/photos/holiday.bmp";
    document.workImage = tavlo::Bitmap(40, 30, tavlo::PixelFormat::Bit24);
    mainWindow.refresh();
    mainWindow.show();
    mainWindow.menuAction(tavlo::kSizeCustomItem)->trigger();
    tavlo::SizeDialog* dialog = commands->sizeDialog;
    dialog->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog));
    dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->setChecked(false);
    dialog->findChild<QLineEdit*>(QStringLiteral("Edit4"))->setText(QStringLiteral("100000"));
    // beyond the pixel limit
    dialog->findChild<QLineEdit*>(QStringLiteral("Edit3"))->setText(QStringLiteral("100000"));

    QWidget* owner = nullptr;
    QTimer user;
    user.setInterval(10);
    connect(&user, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            owner = box->parentWidget();
            box->accept();
        }
    });
    user.start();
    dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    QCOMPARE(owner, static_cast<QWidget*>(dialog));
    QCOMPARE(document.workImage.width(), 40);
}

// A constants file is written under the typed name with its extension added: the overwrite
// question and the read-only refusal are about that file, the one the save would replace.
void DialogServiceTest::constantsSaveChecksTheNameItWrites_data() {
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool>("written");

    const QString asks = QStringLiteral("k.mtx は既に存在します。\n上書きしますか？");
    const QString refuses = QStringLiteral("k.mtx\n読み取り専用のファイルには保存できません。");
    QTest::newRow("typed without extension, No")
        << false << "k" << int(QMessageBox::No) << asks << false;
    QTest::newRow("typed without extension, Yes")
        << false << "k" << int(QMessageBox::Yes) << asks << true;
    QTest::newRow("typed with extension, No")
        << false << "k.mtx" << int(QMessageBox::No) << asks << false;
    QTest::newRow("read-only, typed without extension")
        << true << "k" << int(QMessageBox::Ok) << refuses << false;
}

void DialogServiceTest::constantsSaveChecksTheNameItWrites() {
    QFETCH(bool, readOnly);
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(QString, box);
    QFETCH(bool, written);

    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("k.mtx"));
    writeFile(existing, "kept");
    if (readOnly) QVERIFY(QFile::setPermissions(existing, QFile::ReadOwner | QFile::ReadOther));

    User user(typeOnce(dir.filePath(typed)), QMessageBox::StandardButton(answer));
    tavlo::QtDialogService service;
    const auto chosen =
        service.saveImage(nullptr, QStringLiteral("３×３フィルター定数保存"),
                          QStringLiteral("MTXﾌｧｲﾙ(*.MTX)|*.mtx"), dir.path() + "/", true, mtxName);
    QCOMPARE(user.boxes, QStringList{QString(box).replace("k.mtx", existing)});
    QCOMPARE(chosen.has_value(), written);
    if (chosen) QCOMPARE(*chosen, existing);
    QCOMPARE(user.dialogs, written ? 1 : 2);
    QCOMPARE(readFile(existing), QByteArray("kept"));
}

// A name in a folder that does not exist is refused in the dialog, before anything is written.
void DialogServiceTest::saveRefusesAFolderThatDoesNotExist() {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing"));
    User user(typeOnce(missing + QStringLiteral("/photo.jpg")));
    tavlo::QtDialogService service;
    const auto chosen = service.saveImage(nullptr, QStringLiteral("JPGファイル別名保存(50)"),
                                          QStringLiteral("JPGﾌｧｲﾙ(*.JPG)|*.jpg"),
                                          dir.filePath(QStringLiteral("photo.jpg")), true);
    QVERIFY(!chosen);
    QCOMPARE(user.dialogs, 2);
    QCOMPARE(
        user.boxes,
        QStringList{missing +
                    QStringLiteral("\nフォルダが見つかりません。フォルダ名を確認してください。")});
}

// The file-type box shows the menu's filter as it is written, and its pattern still finds files
// in either letter case.
void DialogServiceTest::fileTypeBoxShowsEachPatternOnce() {
    QTemporaryDir dir;
    for (const char* name : {"a.jpg", "B.JPG", "c.bmp"})
        writeFile(dir.filePath(QString::fromLatin1(name)), {});
    QString shown;
    QStringList listed;
    User user([&](QFileDialog* dialog, int) {
        shown = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
        listed = listedNames(dialog);
        listed.sort();
        if (listed.size() >= 2) dialog->reject();
    });
    tavlo::QtDialogService service;
    QVERIFY(!service.openImage(nullptr, QStringLiteral("JPGファイルを開く"),
                               QStringLiteral("JPGﾌｧｲﾙ(*.JPG)|*.JPG"), dir.path(), {}));
    QCOMPARE(shown, QStringLiteral("JPGﾌｧｲﾙ(*.JPG)"));
    QCOMPARE(listed, QStringList({"B.JPG", "a.jpg"}));
}

// Moving the cursor onto a picture shows it reduced beside the list; another file clears it.
void DialogServiceTest::openDialogPreviewsThePictureUnderTheCursor() {
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("photo.jpg"));
    const QString broken = dir.filePath(QStringLiteral("broken.jpg"));
    // Made here, not read from the source tree, which "nobody" may not be allowed to read.
    const std::string jpeg =
        tavlo::encodeJpeg(tavlo::Bitmap(64, 48, tavlo::PixelFormat::Bit24), 90);
    writeFile(picture, QByteArray(jpeg.data(), static_cast<qsizetype>(jpeg.size())));
    writeFile(broken, "not a picture");
    QList<QSize> previews;
    int inner = 0;
    bool busy = false;
    User user([&](QFileDialog* dialog, int) {
        auto* preview = dialog->findChild<tavlo::PicturePreview*>();
        if (!preview) {
            dialog->reject();
            return;
        }
        const QStringList names = listedNames(dialog);
        if (names.size() < 2 || busy) return; // still reading the folder, or waiting below
        busy = true;
        inner = tavlo::PicturePreview::kSide - 2 * preview->frameWidth();
        auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
        for (const QString& file : {QStringLiteral("photo.jpg"), QStringLiteral("broken.jpg")}) {
            QSignalSpy shown(preview, &tavlo::PicturePreview::pictureShown);
            view->setCurrentIndex(view->model()->index(names.indexOf(file), 0, view->rootIndex()));
            // Read off the interface thread: the dialog answers before the picture is shown.
            previews << preview->pixmap().size();
            QVERIFY(shown.wait(5000));
            previews << preview->pixmap().size();
        }
        dialog->reject();
    });
    tavlo::QtDialogService service;
    QVERIFY(!service.openImage(nullptr, QStringLiteral("JPGファイルを開く"),
                               QStringLiteral("JPGﾌｧｲﾙ(*.JPG)|*.JPG"), dir.path(), {}));
    QCOMPARE(previews,
             QList<QSize>({QSize(0, 0), QSize(inner, inner * 48 / 64), QSize(0, 0), QSize(0, 0)}));
}

// Escape or the close box at the save prompt, on 終了 or on closing the window, leaves the
// program running with the changes; the prompt comes above the windows that stay on top.
void DialogServiceTest::aDismissedSavePromptKeepsTheChanges_data() {
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("終了, Escape") << true << true;
    QTest::newRow("終了, close box") << true << false;
    QTest::newRow("window closed, Escape") << false << true;
    QTest::newRow("window closed, close box") << false << false;
}

void DialogServiceTest::aDismissedSavePromptKeepsTheChanges() {
    QFETCH(bool, byMenu);
    QFETCH(bool, byEscape);
    tavlo::QtDialogService service;
    tavlo::MainWindow mainWindow(service, QString());
    tavlo::Document& document = mainWindow.document();
    document.workImage = tavlo::Bitmap(40, 30, tavlo::PixelFormat::Bit24);
    document.currentFileName = "photo.bmp";
    document.modified = true;
    mainWindow.refresh();
    mainWindow.show();
    bool above = false, asked = false;
    QTimer user;
    user.setInterval(10);
    connect(&user, &QTimer::timeout, this, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = true;
            above = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            if (byEscape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        }
    });
    user.start();
    if (byMenu)
        mainWindow.findChild<QAction*>(QStringLiteral("X1"))->trigger();
    else
        mainWindow.close();
    QVERIFY(asked);
    QVERIFY(above);
    QVERIFY(mainWindow.isVisible());
    QVERIFY(document.modified);
}

int main(int argc, char** argv) {
    return runAsNobodyUnderRoot<DialogServiceTest>(argc, argv);
}

#include "dialog_service_test.moc"
