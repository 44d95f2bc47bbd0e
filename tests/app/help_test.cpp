// The help file, the help key and the version window.
#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/version.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

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

    void helpFileIsFoundBesideTheProgramElseInTheInstalledDataFolder_data() {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("found");
        const QString beside = QStringLiteral("usr/bin/Tavlo.hlp");
        const QString installed = QStringLiteral("usr/share/tavlo/Tavlo.hlp");
        QTest::newRow("build tree") << QStringList{beside} << beside;
        QTest::newRow("installed") << QStringList{installed} << installed;
        QTest::newRow("both") << QStringList{beside, installed} << beside;
        QTest::newRow("neither") << QStringList{} << beside;
        QTest::newRow("next to the prefix, not in it")
            << QStringList{QStringLiteral("usr/tavlo/Tavlo.hlp"),
                           QStringLiteral("share/tavlo/Tavlo.hlp")}
            << beside;
    }

    void helpFileIsFoundBesideTheProgramElseInTheInstalledDataFolder() {
        QFETCH(QStringList, present);
        QFETCH(QString, found);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(QStringLiteral("usr/bin")));
        for (const QString& file : present) {
            QVERIFY(dir.mkpath(QFileInfo(file).path()));
            QFile help(dir.filePath(file));
            QVERIFY(help.open(QIODevice::WriteOnly));
        }
        QCOMPARE(findHelpFile(dir.filePath(QStringLiteral("usr/bin"))), dir.filePath(found));
    }

    void controlsTakeTheContextOfTheirWindowUnlessTheyHaveTheirOwn() {
        ScriptedDialogs dialogs;
        TForm1 form1(dialogs, QString());
        TForm8 form8;
        QWidget stranger;
        assignHelpContexts({&form1, &form8, &stranger});
        QCOMPARE(helpContextOf(&form1), 1);
        QCOMPARE(helpContextOf(form1.viewLabel()), 1);
        QCOMPARE(helpContextOf(form8.BitBtn1), 800);
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
        TForm8 form8;
        QCOMPARE(form8.windowTitle(), QStringLiteral("Tavlo Ver 1.3"));
        QCOMPARE(form8.Label1->x(), (228 - 119) / 2);
        QCOMPARE(form8.BitBtn1->x(), (228 - 77) / 2);
        QCOMPARE(form8.Label3->x(), (228 - form8.Label3->width()) / 2);
        QCOMPARE(form8.Label2->pos(), QPoint(64, 64));
        QCOMPARE(form8.height(), 147 + 80);
        QVERIFY(!form8.Image1->pixmap().isNull());
        form8.show();
        form8.BitBtn1->click();
        QVERIFY(!form8.isVisible());
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
