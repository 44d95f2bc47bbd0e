// The help file, the help key and the version window.
#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/version_window.h"
#include "scripted_dialogs.h"

#include <QFile>
#include <QLineEdit>
#include <QtTest>

using namespace tavlo;

class HelpTest : public QObject {
    Q_OBJECT

  private slots:
    void everyContextNumberHasATopic() {
        QFile file(QStringLiteral(TAVLO_HELP_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        for (const int context : helpContextNumbers())
            QVERIFY2(html.contains(QStringLiteral("id=\"context-%1\"").arg(context)),
                     qPrintable(QString::number(context)));
    }

    void controlsTakeTheContextOfTheirWindowUnlessTheyHaveTheirOwn() {
        ScriptedDialogs dialogs;
        MainWindow mainWindow(dialogs, QString());
        VersionWindow versionWindow;
        QWidget stranger;
        assignHelpContexts({&mainWindow, &versionWindow, &stranger});
        QCOMPARE(helpContextOf(&mainWindow), 1);
        QCOMPARE(helpContextOf(mainWindow.viewLabel()), 1);
        QCOMPARE(helpContextOf(versionWindow.BitBtn1), 800);
        QCOMPARE(helpContextOf(&stranger), 0);
    }

    void helpKeyOpensTheTopicAndAMissingFileIsReported() {
        ScriptedDialogs dialogs;
        HelpViewer viewer(QStringLiteral(TAVLO_HELP_FILE), dialogs);
        viewer.showTopic(800);
        QVERIFY(viewer.isVisible());
        QVERIFY(dialogs.messages.isEmpty());

        HelpViewer missing(QStringLiteral("/nonexistent/Tavlo.hlp"), dialogs);
        missing.showContents();
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.front().contains(QStringLiteral("Tavlo.hlp")));
        QVERIFY(!missing.isVisible());
    }

    void versionWindowCentresItsControls() {
        VersionWindow versionWindow;
        QCOMPARE(versionWindow.windowTitle(), QStringLiteral("Tavlo Ver 1.3"));
        QCOMPARE(versionWindow.Label1->x(), (228 - 119) / 2);
        QCOMPARE(versionWindow.BitBtn1->x(), (228 - 77) / 2);
        QCOMPARE(versionWindow.Label3->x(), (228 - versionWindow.Label3->width()) / 2);
        QCOMPARE(versionWindow.Label2->pos(), QPoint(64, 64));
        QCOMPARE(versionWindow.height(), 147 + 80);
        QVERIFY(!versionWindow.Image1->pixmap().isNull());
        versionWindow.show();
        versionWindow.BitBtn1->click();
        QVERIFY(!versionWindow.isVisible());
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
