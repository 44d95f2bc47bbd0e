// What the main window's runner does when an operation fails: a result beyond the pixel cap and
// memory running out are both reported, the document stays exactly as it was, and the program
// goes on working.
#include "app/geometry_commands.h"
#include "app/main_window.h"
#include "app/scripted_dialogs.h"
#include "geometry/geometry_entries.h"
#include "geometry/ui/rotation_dialog.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

using namespace tavlo;

namespace {

// Everything about the document the user could see or save.
struct DocumentState {
    int width, height, undoWidth, undoHeight;
    Rgb corner;
    bool modified;
    std::array<std::string, kStatusPanelCount> panels;
    bool operator==(const DocumentState&) const = default;
};

DocumentState stateOf(const Document& document) {
    return {document.workImage.width(),
            document.workImage.height(),
            document.undoImage.width(),
            document.undoImage.height(),
            document.workImage.pixel(0, 0),
            document.modified,
            document.panels};
}

} // namespace

class RunnerTest : public QObject {
    Q_OBJECT

    ScriptedDialogs dialogs_;
    MainWindow* mainWindow_ = nullptr;
    GeometryCommands* geometry_ = nullptr;

    Document& document() { return mainWindow_->document(); }

    // A working image with a distinct undo image and no unsaved changes.
    void load(Bitmap image) {
        image.row(0)[0] = 42;
        document().workImage = std::move(image);
        document().undoImage = Bitmap(7, 5, PixelFormat::Bit24);
        document().modified = false;
        mainWindow_->refresh();
    }

    // The rotation dialog's run button at `degrees`; the bar's range is the angle's.
    void rotate(int degrees) {
        mainWindow_->menuAction(kRotationMenuItems[0].item)->trigger();
        auto* bar = geometry_->rotationDialog->findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
        bar->setValue(bar->minimum() + degrees - RotationParameters::kAngle.minimum);
        QTest::mouseClick(
            geometry_->rotationDialog->findChild<QPushButton*>(QStringLiteral("Button1")),
            Qt::LeftButton);
    }

    // The document is as it was before, and a quarter turn still works afterwards.
    void expectUnchangedAndWorking(const DocumentState& before) {
        QCOMPARE(stateOf(document()), before);
        QCOMPARE(mainWindow_->panelText(0), QString::fromStdString(before.panels[0]));
        mainWindow_->menuAction(kTurnMenuItems[0].item)->trigger();
        QCOMPARE(document().workImage.width(), before.height);
        QVERIFY(document().modified);
    }

  private slots:
    void init() {
        dialogs_ = ScriptedDialogs();
        mainWindow_ = new MainWindow(dialogs_, QString());
        geometry_ = new GeometryCommands(*mainWindow_);
    }
    void cleanup() { delete mainWindow_; }

    // A line 23200 pixels long turned by 45° needs more pixels than a bitmap may hold.
    void aResultBeyondThePixelCapChangesNothing() {
        load(Bitmap(1, 23200, PixelFormat::Bit24));
        const DocumentState before = stateOf(document());
        rotate(45);
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY2(dialogs_.errors.first().startsWith(QStringLiteral("処理後の画像が大きすぎる")),
                 qPrintable(dialogs_.errors.first()));
        expectUnchangedAndWorking(before);
    }

#ifndef TAVLO_ALLOCATOR_ABORTS_ON_FAILURE
    // In a child whose address space leaves 16 MB free, turning a line of 12000 pixels by 45°
    // (a result of 216 MB, more than any free block the heap may still hold) runs out.
    void runningOutOfMemoryChangesNothing() {
        load(Bitmap(1, 12000, PixelFormat::Bit24));
        const DocumentState before = stateOf(document());
        std::fflush(nullptr);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            alarm(120);     // a child stuck on a lock its parent's threads held must not hang
            malloc_trim(0); // what earlier tests freed must not be what the rotation gets
            long pages = 0;
            if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
                if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
                std::fclose(statm);
            }
            rlimit limit{};
            getrlimit(RLIMIT_AS, &limit);
            const rlim_t unlimited = limit.rlim_cur;
            limit.rlim_cur = static_cast<rlim_t>(pages) * sysconf(_SC_PAGESIZE) + (16 << 20);
            if (pages == 0 || setrlimit(RLIMIT_AS, &limit) != 0) _exit(2);
            // What the rotation dialog's run button hands over, without a window to paint:
            // painting needs the raster engine's threads, which a forked child does not have.
            emit geometry_->rotationDialog->runRequested(RotationParameters{45});
            const bool reported =
                dialogs_.errors ==
                QStringList{QStringLiteral(
                    "メモリが不足しているため、実行できません。\n画像は元のままです。")};
            const bool unchanged = stateOf(document()) == before;
            limit.rlim_cur = unlimited;
            setrlimit(RLIMIT_AS, &limit);
            mainWindow_->menuAction(kTurnMenuItems[0].item)->trigger();
            const bool working = document().workImage.width() == 12000 && document().modified;
            _exit(reported && unchanged && working ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), "the child ended without exiting");
        QCOMPARE(WEXITSTATUS(status), 0);
    }
#endif
};

QTEST_MAIN(RunnerTest)
#include "runner_test.moc"
