#include "app/geometry_commands.h"
#include "app/main_window.h"
#include "geometry/ui/size_dialog.h"
#include "widgets/dialog_service.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class DialogServiceTest : public QObject {
    Q_OBJECT

  private slots:
    void saveRefusesAReadOnlyFileAndAsksAgain();
    void aRefusedRunIsReportedAboveItsDialog();
};

// The save dialogs refuse a read-only file with their message and ask again. A file without any
// write bit is read-only for root as well, which may write anything.
void DialogServiceTest::saveRefusesAReadOnlyFileAndAsksAgain() {
    QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("locked.bmp"));
    QFile file(locked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    // Plays the user: the first dialog chooses the locked file, the message is read and closed,
    // the dialog that comes back is cancelled.
    QStringList messages;
    int dialogs = 0;
    QTimer user;
    user.setInterval(10);
    connect(&user, &QTimer::timeout, this, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->text();
            box->accept();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (++dialogs == 1) {
                dialog->selectFile(locked);
                static_cast<QDialog*>(dialog)->accept(); // as the Save button does
            } else {
                dialog->reject();
            }
        }
    });
    user.start();
    tavlo::QtDialogService service;
    const auto chosen = service.saveImage(nullptr, QStringLiteral("BMPファイル上書き保存 (24bits)"),
                                          QStringLiteral("BMPﾌｧｲﾙ(*.BMP)|*.BMP"),
                                          dir.filePath(QStringLiteral("photo.bmp")), false);
    QVERIFY(!chosen);
    QCOMPARE(dialogs, 2);
    QCOMPARE(messages,
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
    mainWindow.sizeCustomAction->trigger();
    tavlo::SizeDialog* dialog = commands->sizeDialog;
    dialog->activateWindow();
    QTRY_COMPARE(QApplication::activeWindow(), static_cast<QWidget*>(dialog));
    dialog->CheckBox2->setChecked(false);
    dialog->Edit4->setText(QStringLiteral("100000"));
    dialog->Edit3->setText(QStringLiteral("100000")); // beyond the pixel limit

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
    dialog->Button1->click();
    QCOMPARE(owner, static_cast<QWidget*>(dialog));
    QCOMPARE(document.workImage.width(), 40);
}

QTEST_MAIN(DialogServiceTest)
#include "dialog_service_test.moc"
