// The program's own response time: drives the real main window (any Qt platform; scripts/bench
// uses offscreen) on a large JPEG and times each action from the command to the last repaint it
// causes, with the kernel or decoder it waits on timed in the same run as its yardstick.
//
//   tavlo-bench-window RUNS IMAGE.jpg     one "name ms yardstick-ms" line per action, then
//                                         "memory rest-MB peak-MB baseline-MB pixel-MB"
//   tavlo-bench-window start T0 IMAGE.jpg (internal) starts like the program and prints the ms
//                                         from T0 (steady clock, ns) to the first picture
#include "app/menu_items.h"
#include "app/filter_commands.h"
#include "app/file_commands.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/tone_commands.h"
#include "bench_support.h"
#include "document/jpeg_codec.h"
#include "filters/median.h"
#include "filters/monochrome.h"
#include "geometry/turn.h"
#include "tone/gamma.h"
#include "tone/ui/gamma_dialog.h"
#include "widgets/dialog_service.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace {

using namespace tavlo;
using Clock = std::chrono::steady_clock;

// Keeps a result alive until the work that made it cannot be dropped.
template <class T> void consume(T&& result) {
    bench::keep(&result);
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Counts paint events anywhere in the application.
class PaintCounter : public QObject {
  public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

// Delivers what is pending until three passes in a row paint nothing; returns when the last pass
// that painted ended, or the start when nothing painted.
Clock::time_point settle(const PaintCounter& paints, Clock::time_point start) {
    Clock::time_point lastPaint = start;
    for (int quiet = 0; quiet < 3;) {
        const int before = paints.count;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        QCoreApplication::sendPostedEvents();
        if (paints.count != before) {
            lastPaint = Clock::now();
            quiet = 0;
        } else {
            ++quiet;
        }
    }
    return lastPaint;
}

// The program as it starts, in the size it takes on a 1280 × 1024 screen whatever the platform
// offers.
struct ShownProgram {
    QtDialogService dialogs;
    Program program;

    explicit ShownProgram(const QString& file) : program(dialogs, file, QString()) {
        program.mainWindow().resize(1152, 921);
        program.mainWindow().show();
    }
};

double residentMb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::strlen(field))) / 1024;
    return 0;
}

// Lets the next VmHWM reading be the peak from now on.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

int start(long long t0, const char* image, int argc, char** argv) {
    QApplication application(argc, argv);
    PaintCounter paints;
    application.installEventFilter(&paints);
    ShownProgram shown(QString::fromLocal8Bit(image));
    const Clock::time_point begin{Clock::duration(t0)};
    std::printf("%.1f\n",
                std::chrono::duration<double, std::milli>(settle(paints, begin) - begin).count());
    return 0;
}

double startupMs(const char* self, const char* image) {
    const long long t0 = Clock::now().time_since_epoch().count();
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        const std::string from = std::to_string(t0);
        execl(self, self, "start", from.c_str(), image, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    char text[64] = {};
    const ssize_t got = read(pipeEnds[0], text, sizeof text - 1);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("the start-up run failed");
    return std::stod(text);
}

double minimumMs(int runs, const std::function<void()>& body) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point begin = Clock::now();
        body();
        best = std::min(best, msSince(begin));
    }
    return best;
}

int measure(int runs, const char* self, const char* image, int argc, char** argv) {
    std::vector<double> starts;
    startupMs(self, image); // the files and libraries in the page cache
    for (int i = 0; i < runs; ++i)
        starts.push_back(startupMs(self, image));
    std::nth_element(starts.begin(), starts.begin() + runs / 2, starts.end());

    QApplication application(argc, argv);
    PaintCounter paints;
    application.installEventFilter(&paints);
    ShownProgram shown({});
    settle(paints, Clock::now());
    const double baselineMb = residentMb("VmRSS:");
    MainWindow& window = shown.program.mainWindow();
    window.files().load(QString::fromStdString(image));
    settle(paints, Clock::now());
    const double restMb = residentMb("VmRSS:");
    const Bitmap& work = window.document().workImage;
    const double pixelMb = static_cast<double>(work.byteSize()) / (1 << 20);

    ByteBuffer bytes;
    std::string error;
    if (!readWholeFile(image, bytes, error, kMaxJpegFileBytes)) throw std::runtime_error(error);
    const double decodeMs = minimumMs(runs, [&] { consume(decodeJpeg(bytes)); });

    double peakMb = 0;
    // Median over the runs of one action, from the command to its last repaint.
    const auto timed = [&](const std::function<void()>& prepare,
                           const std::function<void()>& action) {
        std::vector<double> ms;
        for (int i = 0; i < runs; ++i) {
            prepare();
            settle(paints, Clock::now());
            resetPeak();
            const Clock::time_point begin = Clock::now();
            action();
            ms.push_back(
                std::chrono::duration<double, std::milli>(settle(paints, begin) - begin).count());
            peakMb = std::max(peakMb, residentMb("VmHWM:"));
        }
        std::nth_element(ms.begin(), ms.begin() + runs / 2, ms.end());
        return ms[static_cast<std::size_t>(runs / 2)];
    };
    const auto report = [](const char* name, double ms, double yardstick) {
        std::printf("%s %.1f %.1f\n", name, ms, yardstick);
        std::fflush(stdout);
    };
    const auto nothing = [] {};

    report("start", starts[static_cast<std::size_t>(runs / 2)], decodeMs);
    report("turn-right", timed(nothing, [&] { window.menuAction(kRotateRightItem)->trigger(); }),
           minimumMs(runs, [&] { consume(turnBitmap(work, TurnMode::Right)); }));
    report("median", timed(nothing, [&] { window.menuAction(kMedianItem)->trigger(); }),
           minimumMs(runs, [&] { consume(medianFiltered(work)); }));
    report("monochrome", timed(nothing, [&] { window.menuAction(kMonochromeItem)->trigger(); }),
           minimumMs(runs, [&] { consume(greyed(work)); }));
    GammaDialog& gamma = *shown.program.tone().gammaDialog;
    gamma.show();
    gamma.findChild<QScrollBar*>(QStringLiteral("ScrollBar1"))->setValue(80);
    QPushButton* gammaRun = gamma.findChild<QPushButton*>(QStringLiteral("Button2"));
    report("gamma", timed(nothing, [&] { gammaRun->click(); }),
           minimumMs(runs, [&] { consume(gammaBitmap(work, 30)); }));
    gamma.hide();
    report(
        "undo",
        timed([&] { window.menuAction(kMonochromeItem)->trigger(); }, [&] { window.menuAction(kUndoItem)->trigger(); }),
        0);
    report("scale-quarter-to-full",
           timed([&] { window.menuAction(kScaleQuarterItem)->trigger(); },
                 [&] { window.menuAction(kScaleFullItem)->trigger(); }),
           0);
    // The charts follow every refresh while the histogram window is shown.
    window.menuAction(kHistogramItem)->trigger();
    report("turn-right-histogram", timed(nothing, [&] { window.menuAction(kRotateRightItem)->trigger(); }),
           minimumMs(runs, [&] { consume(turnBitmap(work, TurnMode::Right)); }));
    std::printf("memory %.1f %.1f %.1f %.1f\n", restMb, peakMb, baselineMb, pixelMb);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::string(argv[1]) == "start")
            return start(std::stoll(argv[2]), argv[3], argc, argv);
        if (argc == 3)
            return measure(std::max(1, std::stoi(argv[1])), argv[0], argv[2], argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavlo-bench-window: %s\n", e.what());
        return 1;
    }
    std::fputs("usage: tavlo-bench-window RUNS IMAGE.jpg\n", stderr);
    return 2;
}
