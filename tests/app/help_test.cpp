// The help file, the help key and the version window.
#include "app/application.h"
#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/version_window.h"
#include "scripted_dialogs.h"
#include "widgets/image_view.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

using namespace tavlo;

namespace {

QString helpText() {
    QFile file(QStringLiteral(TAVLO_HELP_FILE));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The topic's text from its heading to the next one; empty when the file has no such topic.
QString topic(const QString& html, int context) {
    const qsizetype start = html.indexOf(QStringLiteral("id=\"context-%1\"").arg(context));
    if (start < 0) return {};
    const qsizetype end = html.indexOf(QStringLiteral("<h2"), start);
    return html.mid(start, end < 0 ? -1 : end - start);
}

// What a user reads on a control: a button's or a group's caption, else the hint of a control
// that has a topic of its own.
bool hasOwnContext(const QWidget* widget) {
    return helpContextOf(widget) != helpContextOf(widget->parentWidget());
}

QString visibleName(const QWidget* control) {
    QString name;
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        name = button->text();
    else if (const auto* group = qobject_cast<const QGroupBox*>(control))
        name = group->title();
    else if (hasOwnContext(control))
        name = control->toolTip();
    return name.remove(QLatin1Char('&')).trimmed();
}

// Where the topic's heading lies in the laid-out help text.
int topicTop(QTextBrowser& viewer, int context) {
    const QString name = QStringLiteral("context-%1").arg(context);
    QTextDocument* document = viewer.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            if (fragment.fragment().charFormat().anchorNames().contains(name))
                return qRound(document->documentLayout()->blockBoundingRect(block).top());
    return -1;
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT

  private slots:
    void everyContextNumberHasATopic() {
        const QString html = helpText();
        for (const int context : helpContextNumbers())
            QVERIFY2(!topic(html, context).isEmpty(), qPrintable(QString::number(context)));
    }

    // Each topic names every button, check box, group and hinted control of the windows that
    // open it, so that a renamed or added control cannot leave its help behind.
    void topicsNameTheControlsOfTheirWindows() {
        ScriptedDialogs dialogs;
        // Every window the program has, as created at start-up, with their help contexts.
        const Program program(dialogs, QString(), QStringLiteral(TAVLO_HELP_FILE));
        const QList<QWidget*> windows = QApplication::topLevelWidgets();
        const QString html = helpText();
        int checked = 0;
        for (QWidget* window : windows)
            for (const QWidget* control : window->findChildren<QWidget*>()) {
                // A window without a topic of its own is described where its menu item is.
                if (!hasOwnContext(control->window()) && !hasOwnContext(control)) continue;
                const int context = helpContextOf(control);
                const QString name = visibleName(control);
                if (name.isEmpty()) continue;
                QVERIFY2(topic(html, context).contains(name),
                         qPrintable(QStringLiteral("topic %1 lacks %2").arg(context).arg(name)));
                ++checked;
            }
        QVERIFY(checked > 60);
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
        MainWindow mainWindow(dialogs, QString());
        VersionWindow versionWindow;
        QWidget stranger;
        assignHelpContexts({&mainWindow, &versionWindow, &stranger});
        QCOMPARE(helpContextOf(&mainWindow), 1);
        QCOMPARE(helpContextOf(mainWindow.view()), 1);
        QCOMPARE(helpContextOf(versionWindow.findChild<QPushButton*>(QStringLiteral("BitBtn1"))),
                 800);
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

    // F1 pressed in each window, and in each control with a topic of its own, brings that topic
    // to the top of the help window, the last ones of the file too. The help window stays
    // above the windows that stay on top.
    void helpKeyBringsEachTopicToTheTop() {
        ScriptedDialogs dialogs;
        const Program program(dialogs, QString(), QStringLiteral(TAVLO_HELP_FILE));
        const QList<QWidget*> windows = QApplication::topLevelWidgets();
        HelpViewer& viewer = program.help();
        QVERIFY(viewer.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

        QList<int> reached;
        for (QWidget* window : windows) {
            QList<QWidget*> targets = window->findChildren<QWidget*>();
            targets << window;
            for (QWidget* target : targets) {
                if (target == &viewer || target->window() != window || !hasOwnContext(target))
                    continue;
                // A control that takes no focus is reached through one inside it that does.
                QWidget* pressed = target;
                if (target != window && target->focusPolicy() == Qt::NoFocus) {
                    pressed = nullptr;
                    for (QWidget* inner : target->findChildren<QWidget*>())
                        if (inner->focusPolicy() != Qt::NoFocus && !hasOwnContext(inner))
                            pressed = inner;
                    if (!pressed) continue;
                }
                const int context = helpContextOf(target);
                window->show();
                QApplication::setActiveWindow(window);
                if (pressed != window)
                    pressed->setFocus();
                else if (QWidget* focus = QApplication::focusWidget();
                         focus && hasOwnContext(focus))
                    focus->clearFocus();
                QTest::keyClick(pressed, Qt::Key_F1);
                QVERIFY(viewer.isVisible());
                QVERIFY2(topicTop(viewer, context) > 0, qPrintable(QString::number(context)));
                QVERIFY2(viewer.verticalScrollBar()->value() == topicTop(viewer, context),
                         qPrintable(QStringLiteral("topic %1 at %2, shown from %3")
                                        .arg(context)
                                        .arg(topicTop(viewer, context))
                                        .arg(viewer.verticalScrollBar()->value())));
                reached << context;
                window->hide();
            }
        }
        std::sort(reached.begin(), reached.end());
        // The histogram's fourth chart takes no focus; its topic is reached from the contents.
        QList<int> expected = helpContextNumbers();
        expected.removeAll(1200);
        std::sort(expected.begin(), expected.end());
        QCOMPARE(reached, expected);
    }

    // F1 on any control of a window other than the main one, outside the controls with a topic
    // of their own too, opens that window's topic, never the main window's.
    void helpKeyAnywhereInASecondaryWindowOpensItsTopic() {
        ScriptedDialogs dialogs;
        const Program program(dialogs, QString(), QStringLiteral(TAVLO_HELP_FILE));
        HelpViewer& viewer = program.help();
        int pressed = 0;
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window == &program.mainWindow() || window == &viewer) continue;
            window->show();
            QApplication::setActiveWindow(window);
            for (QWidget* control : window->findChildren<QWidget*>()) {
                if (control->window() != window || control->focusPolicy() == Qt::NoFocus ||
                    !control->isVisible())
                    continue;
                control->setFocus();
                QTest::keyClick(control, Qt::Key_F1);
                const int context = helpContextOf(control);
                QVERIFY2(
                    context > 1 && viewer.verticalScrollBar()->value() == topicTop(viewer, context),
                    qPrintable(QStringLiteral("%1 %2 opens topic %3")
                                   .arg(window->metaObject()->className(), control->objectName())
                                   .arg(context)));
                ++pressed;
            }
            window->hide();
        }
        QVERIFY(pressed > 100);
    }

    // Qt's own dialogs, the print ones too, in Japanese: their buttons, the texts Qt's catalogue
    // lacks, and no Latin sample text in the page preview.
    void qtDialogsSpeakJapanese() {
        QVERIFY(speakJapaneseInQtDialogs(*qApp));
        QCOMPARE(QCoreApplication::translate("QPrintPropertiesWidget", "Advanced"),
                 QStringLiteral("詳細設定"));
        QPrinter printer;
        QPageSetupDialog dialog(&printer);
        dialog.show();
        const auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
        QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("preview"))->isVisible());
    }

    void versionWindowCentresItsControls() {
        VersionWindow versionWindow;
        const auto label = [&](const char* name) {
            return versionWindow.findChild<QLabel*>(QString::fromLatin1(name));
        };
        QCOMPARE(versionWindow.windowTitle(), QStringLiteral("Tavlo Ver 1.3"));
        QCOMPARE(versionWindow.findChild<QLabel*>(QStringLiteral("Label1"))->x(), (228 - 119) / 2);
        QCOMPARE(versionWindow.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->x(),
                 (228 - 77) / 2);
        QCOMPARE(label("Label3")->x(), (228 - label("Label3")->width()) / 2);
        QCOMPARE(label("Label2")->pos(), QPoint(64, 64));
        QCOMPARE(versionWindow.height(), 147 + 80);
        QVERIFY(!label("Image1")->pixmap().isNull());
        versionWindow.show();
        versionWindow.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        QVERIFY(!versionWindow.isVisible());
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
