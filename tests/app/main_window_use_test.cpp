// The main window as a user meets it: moving through the file list, the folder tree at start,
// the menu bar's disabled titles and the status bar's texts.
#include "app/file_pane.h"
#include "app/main_window.h"
#include "app/menu_items.h"
#include "document/bmp_codec.h"
#include "scripted_dialogs.h"

#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace tavlo;

namespace {

// A BMP whose width tells which file it is.
void writeBmp(const QString& path, int width, int height = 4) {
    const tavlo::Bitmap bitmap(width, height, tavlo::PixelFormat::Bit24);
    const tavlo::BmpFileParts parts = tavlo::encodeBmp(bitmap);
    std::ofstream(path.toStdString(), std::ios::binary)
        << parts.header << std::string(parts.pixels.begin(), parts.pixels.end());
}

} // namespace

class MainWindowUseTest : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;
    ScriptedDialogs dialogs_;
    std::unique_ptr<MainWindow> mainWindow_;

    void start() {
        mainWindow_ = std::make_unique<MainWindow>(dialogs_, QString());
        mainWindow_->resize(1152, 921); // as on a 1280 × 1024 screen
        mainWindow_->show();
        QVERIFY(QTest::qWaitForWindowExposed(mainWindow_.get()));
    }
    QListWidget* list() const { return mainWindow_->filePane()->fileList; }

  private slots:
    void initTestCase() {
        QFont font(QStringLiteral("IPAPGothic")); // as the program starts
        font.setPixelSize(12);
        QApplication::setFont(font);
        QVERIFY(folder_.isValid());
    }

    // Each Down loads the next file; the list is the same list all along, with the loaded file
    // selected and in view, also far down a long folder.
    void arrowKeysLoadEachFileInTurn() {
        QDir(folder_.path()).mkdir(QStringLiteral("many"));
        const int files = 40;
        for (int i = 0; i < files; ++i)
            writeBmp(folder_.filePath(QStringLiteral("many/p%1.bmp").arg(i, 2, 10, QChar('0'))),
                     10 + i);
        start();
        mainWindow_->filePane()->fileTypeChooser->setCurrentIndex(1);
        dialogs_.openAnswers.push_back(folder_.filePath(QStringLiteral("many/p00.bmp")));
        mainWindow_->menuAction(kOpenBmpItem)->trigger();
        QCOMPARE(mainWindow_->panelText(0), QStringLiteral("W = 10"));
        QListWidgetItem* first = list()->item(0);
        QCOMPARE(list()->currentItem(), first);
        list()->setFocus();
        for (int i = 1; i < files; ++i) {
            QTest::keyClick(list(), Qt::Key_Down);
            QCOMPARE(mainWindow_->panelText(0), QStringLiteral("W = %1").arg(10 + i));
            QCOMPARE(list()->item(0), first);
            QCOMPARE(list()->currentRow(), i);
            QCOMPARE(list()->selectedItems(), QList<QListWidgetItem*>{list()->item(i)});
            QVERIFY(list()->viewport()->rect().contains(list()->visualItemRect(list()->item(i))));
        }
        QTest::keyClick(list(), Qt::Key_Up);
        QCOMPARE(mainWindow_->panelText(0), QStringLiteral("W = %1").arg(10 + files - 2));
    }

    // Started without a file from any folder, the tree opens where photos are kept: the XDG
    // Pictures folder, else home. A deep folder is then shown with the start of its name.
    void startedWithoutAFileTheTreeOpensOnPicturesElseHome() {
        const QString home = folder_.filePath(QStringLiteral("home"));
        const QString pictures = home + QStringLiteral("/写真");
        const QString deep = pictures + QStringLiteral("/a/b/c/d/e/f/g");
        QVERIFY(QDir().mkpath(deep));
        QVERIFY(QDir().mkpath(home + QStringLiteral("/.config")));
        std::ofstream(QString(home + QStringLiteral("/.config/user-dirs.dirs")).toStdString())
            << "XDG_PICTURES_DIR=\"$HOME/写真\"\n";
        const QByteArray startedHome = qgetenv("HOME"), startedConfig = qgetenv("XDG_CONFIG_HOME");
        const QString startedIn = QDir::currentPath();
        qputenv("HOME", home.toUtf8());
        qunsetenv("XDG_CONFIG_HOME");
        QDir::setCurrent(QDir::rootPath());
        const auto startedFolder = [&] {
            start();
            return mainWindow_->filePane()->currentFolder();
        };
        const QString withPictures = startedFolder();
        QVERIFY(QDir(pictures).removeRecursively());
        const QString withoutPictures = startedFolder();
        qputenv("HOME", startedHome);
        if (!startedConfig.isEmpty()) qputenv("XDG_CONFIG_HOME", startedConfig);
        QDir::setCurrent(startedIn);
        QCOMPARE(withPictures, pictures);
        QCOMPARE(withoutPictures, home);

        QVERIFY(QDir().mkpath(deep));
        writeBmp(deep + QStringLiteral("/p.bmp"), 12);
        mainWindow_->filePane()->fileTypeChooser->setCurrentIndex(1);
        dialogs_.openAnswers.push_back(deep + QStringLiteral("/p.bmp"));
        mainWindow_->menuAction(kOpenBmpItem)->trigger();
        QTreeView* tree = mainWindow_->filePane()->folderTree;
        QCOMPARE(tree->currentIndex().data(Qt::ToolTipRole).toString(), deep);
        QTRY_VERIFY(
            tree->viewport()->rect().contains(tree->visualRect(tree->currentIndex()).topLeft()));
    }

    // Disabled menu titles stay readable: their text stands out from the bar.
    void disabledMenuTitlesAreReadable() {
        start();
        QMenuBar* bar = mainWindow_->menuBar();
        const QImage shot = bar->grab().toImage();
        for (QMenu* menu : {mainWindow_->menu(kUndoMenu), mainWindow_->menu(kColourMenu)}) {
            QVERIFY(!menu->isEnabled());
            const QRect title = bar->actionGeometry(menu->menuAction());
            const QColor background = shot.pixelColor(title.topLeft() + QPoint(1, 1));
            int contrast = 0;
            for (int y = title.top(); y <= title.bottom(); ++y)
                for (int x = title.left(); x <= title.right(); ++x)
                    contrast = std::max(
                        contrast, std::abs(qGray(shot.pixel(x, y)) - qGray(background.rgb())));
            QVERIFY2(contrast >= 40,
                     qPrintable(QStringLiteral("%1: %2").arg(menu->title()).arg(contrast)));
        }
    }

    // The file-size panel shows its whole text, also for a file of millions of bytes.
    void fileSizePanelShowsItsWholeText() {
        const QString big = folder_.filePath(QStringLiteral("big.bmp"));
        writeBmp(big, 700, 600);
        start();
        dialogs_.openAnswers.push_back(big);
        mainWindow_->menuAction(kOpenBmpItem)->trigger();
        QLabel* panel = nullptr;
        for (QLabel* label : mainWindow_->statusBar()->findChildren<QLabel*>())
            if (label->text() == mainWindow_->panelText(6)) panel = label;
        QVERIFY(panel);
        QVERIFY(panel->text().endsWith(QStringLiteral("ﾊﾞｲﾄ")));
        QVERIFY(panel->text().contains(QStringLiteral("1,260,054")));
        QTRY_VERIFY(panel->contentsRect().width() >=
                    panel->fontMetrics().horizontalAdvance(panel->text()));
    }
};

QTEST_MAIN(MainWindowUseTest)
#include "main_window_use_test.moc"
