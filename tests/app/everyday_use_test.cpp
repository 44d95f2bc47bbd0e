// What a person meets every day in the main window and its dialogs: the keyboard reaches every
// bar, the view walks the folder with the keys, and the status panels show their whole texts.
#include "app/file_pane.h"
#include "app/main_window.h"
#include "app/status_panels.h"
#include "document/bmp_codec.h"
#include "geometry/ui/deformation_dialog.h"
#include "geometry/ui/rotation_dialog.h"
#include "scripted_dialogs.h"
#include "tone/ui/colour_tone_dialog.h"
#include "tone/ui/contrast_dialog.h"
#include "tone/ui/gamma_dialog.h"
#include "tone/ui/vividness_dialog.h"
#include "widgets/image_view.h"

#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <functional>
#include <memory>

using namespace tavlo;

namespace {

// A BMP whose width tells which file it is.
void writeBmp(const QString& path, int width) {
    const tavlo::Bitmap bitmap(width, 4, tavlo::PixelFormat::Bit24);
    const tavlo::BmpFileParts parts = tavlo::encodeBmp(bitmap);
    std::ofstream(path.toStdString(), std::ios::binary)
        << parts.header << std::string(parts.pixels.begin(), parts.pixels.end());
}

using DialogMaker = std::function<QWidget*()>;

} // namespace

Q_DECLARE_METATYPE(DialogMaker)

class EverydayUseTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QFont font(QStringLiteral("IPAPGothic")); // as the program starts
        font.setPixelSize(12);
        QApplication::setFont(font);
    }

    void tabReachesEveryBarAndTheKeysMoveIt_data() {
        QTest::addColumn<DialogMaker>("make");
        QTest::addRow("gamma") << DialogMaker([] { return new GammaDialog; });
        QTest::addRow("contrast") << DialogMaker([] { return new ContrastDialog; });
        QTest::addRow("vividness") << DialogMaker([] { return new VividnessDialog; });
        QTest::addRow("colour tone") << DialogMaker([] { return new ColourToneDialog; });
        QTest::addRow("rotation") << DialogMaker([] { return new RotationDialog; });
        QTest::addRow("deformation") << DialogMaker([] { return new DeformationDialog; });
    }
    void tabReachesEveryBarAndTheKeysMoveIt() {
        QFETCH(DialogMaker, make);
        const std::unique_ptr<QWidget> dialog(make());
        dialog->show();
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QList<QScrollBar*> bars = dialog->findChildren<QScrollBar*>();
        QVERIFY(!bars.isEmpty());
        for (int tab = 0; tab < 60 && !bars.isEmpty(); ++tab) {
            QWidget* focused = QApplication::focusWidget();
            QTest::keyClick(focused ? focused : dialog.get(), Qt::Key_Tab);
            auto* bar = qobject_cast<QScrollBar*>(QApplication::focusWidget());
            if (!bar || !bars.removeOne(bar)) continue;
            const bool across = bar->orientation() == Qt::Horizontal;
            QTest::keyClick(bar, Qt::Key_Home);
            QCOMPARE(bar->value(), bar->minimum());
            QTest::keyClick(bar, across ? Qt::Key_Right : Qt::Key_Down);
            QCOMPARE(bar->value(), bar->minimum() + 1);
            QTest::keyClick(bar, Qt::Key_PageDown);
            QCOMPARE(bar->value(), std::min(bar->maximum(), bar->minimum() + 11));
            QTest::keyClick(bar, Qt::Key_End);
            QCOMPARE(bar->value(), bar->maximum());
            QTest::keyClick(bar, across ? Qt::Key_Left : Qt::Key_Up);
            QCOMPARE(bar->value(), bar->maximum() - 1);
        }
        QVERIFY2(bars.isEmpty(),
                 qPrintable(bars.isEmpty() ? QString() : bars.first()->objectName()));
    }

    // A phone's long file name and an 8-digit size are shown whole.
    void statusPanelsShowTheirWholeTexts() {
        QMainWindow window;
        auto* panels = new StatusPanels;
        window.setStatusBar(panels);
        window.resize(1152, 300);
        panels->showPanel(4, "PXL_20260612_093015123.MP.jpg");
        panels->showPanel(6, "12,345,678 ﾊﾞｲﾄ");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const QLabel* panel : panels->findChildren<QLabel*>())
            QTRY_VERIFY2(panel->contentsRect().width() >=
                             panel->fontMetrics().horizontalAdvance(panel->text()),
                         qPrintable(panel->text()));
    }

    // →, PageDown and Space in the view show the next file, ←, PageUp and Backspace the previous
    // one, as Down and Up in the list; a changed picture is asked about first, and a cancelled
    // prompt keeps the shown file, and the list's mark on it.
    void viewKeysWalkTheList() {
        QTemporaryDir folder;
        for (int i = 0; i < 4; ++i)
            writeBmp(folder.filePath(QStringLiteral("p%1.bmp").arg(i)), 10 + i);
        ScriptedDialogs dialogs;
        MainWindow window(dialogs, QString());
        window.resize(1152, 921);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QListWidget* list = window.filePane()->fileList;
        window.filePane()->fileTypeChooser->setCurrentIndex(1);
        dialogs.openAnswers.push_back(folder.filePath(QStringLiteral("p0.bmp")));
        window.findChild<QAction*>(QStringLiteral("BMPP1"))->trigger();
        QCOMPARE(window.panelText(0), QStringLiteral("W = 10"));
        auto* area = qobject_cast<QScrollArea*>(window.view()->parentWidget()->parentWidget());
        QVERIFY(area);
        QTest::mouseClick(window.view(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(QApplication::focusWidget(), area);
        const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Right, 11},     {Qt::Key_PageDown, 12},
                                                 {Qt::Key_Space, 13},     {Qt::Key_Right, 13},
                                                 {Qt::Key_Left, 12},      {Qt::Key_PageUp, 11},
                                                 {Qt::Key_Backspace, 10}, {Qt::Key_Left, 10}};
        for (const auto& [key, width] : steps) {
            QTest::keyClick(area, key);
            QCOMPARE(window.panelText(0), QStringLiteral("W = %1").arg(width));
            QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(width - 10)});
        }

        window.document().modified = true;
        dialogs.confirmAnswers.push_back(DialogService::Answer::Cancel);
        QTest::keyClick(area, Qt::Key_Right);
        QCOMPARE(dialogs.confirmations.size(), 1);
        QCOMPARE(window.panelText(0), QStringLiteral("W = 10"));
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(0)});
        dialogs.confirmAnswers.push_back(DialogService::Answer::No);
        QTest::keyClick(area, Qt::Key_Right);
        QCOMPARE(window.panelText(0), QStringLiteral("W = 11"));
        QCOMPARE(list->selectedItems(), QList<QListWidgetItem*>{list->item(1)});
    }
};

QTEST_MAIN(EverydayUseTest)
#include "everyday_use_test.moc"
