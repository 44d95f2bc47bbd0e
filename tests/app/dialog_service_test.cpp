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

QTEST_MAIN(DialogServiceTest)
#include "dialog_service_test.moc"
