// The program's own response time: drives the real main window (any Qt platform; scripts/bench
// uses offscreen) on a large JPEG and times each action from the command to the last repaint it
// causes, with the kernel or decoder it waits on timed in the same run as its yardstick.
//
//   tavlo-bench-window RUNS IMAGE.jpg     one "name ms yardstick-ms" line per action, then
//                                         "memory rest-MB peak-MB baseline-MB pixel-MB"; then
//                                         the browsing rows on a folder of ten photos made from
//                                         IMAGE and one of about 100 MP, with
//                                         "browse-memory peak-MB baseline-MB pixel-MB"
//   tavlo-bench-window start T0 IMAGE.jpg (internal) starts like the program and prints the ms
//                                         from T0 (steady clock, ns) to the first picture
#include "app/file_commands.h"
#include "app/filter_commands.h"
#include "app/main_window.h"
#include "app/menu_items.h"
#include "app/program.h"
#include "app/tone_commands.h"
#include "bench_support.h"
#include "document/jpeg_codec.h"
#include "document/large_buffer.h"
#include "document/photo_source.h"
#include "filters/median.h"
#include "filters/monochrome.h"
#include "geometry/turn.h"
#include "tone/gamma.h"
#include "tone/ui/gamma_dialog.h"
#include "widgets/dialog_service.h"

#include "app/file_pane.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
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
    giveLargeBlocksBackWhenFreed(); // as the program does
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

// A camera-sized photo as a camera writes it (4:2:0 at a high quality), from the bench image
// repeated to about `megapixels`.
std::string cameraJpeg(const Bitmap& image, double megapixels) {
    const double grow = std::sqrt(megapixels * 1e6 / (double(image.width()) * image.height()));
    const int width = static_cast<int>(image.width() * grow);
    const int height = static_cast<int>(image.height() * grow);
    Bitmap photo = Bitmap::uninitialised(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = image.row(y % image.height());
        std::uint8_t* out = photo.row(y);
        for (int x = 0; x < width; x += image.width())
            std::memcpy(out + 3 * std::size_t(x), in,
                        3 * std::size_t(std::min(image.width(), width - x)));
    }
    return encodeJpeg(photo, 92);
}

void writeFile(const QString& path, const std::string& bytes) {
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
}

// Events delivered, without a paint to wait for, until `done` or the time is up.
void waitFor(const std::function<bool()>& done, int milliseconds) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!done() && Clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

void pressDown(QWidget* list) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &release);
}

// Holding Down through the folder at 1/4, a click on a decoded-ahead neighbour at 1/1, the
// start with a 100 MP photo, and the peak memory while browsing.
void measureBrowsing(int runs, const char* self, const char* image, MainWindow& window,
                     PaintCounter& paints, double baselineMb,
                     const std::function<void(const char*, double, double)>& report) {
    QTemporaryDir folder;
    if (!folder.isValid()) throw std::runtime_error("no temporary folder");
    // Out of the folder browsed, where it would be a neighbour.
    QDir(folder.path()).mkdir(QStringLiteral("large"));
    const QString large = folder.filePath(QStringLiteral("large/LARGE.JPG"));
    std::string camera;
    {
        ByteBuffer benchImage;
        std::string error;
        if (!readWholeFile(image, benchImage, error, kMaxJpegFileBytes))
            throw std::runtime_error(error);
        const Bitmap picture = decodeJpeg(benchImage).image.value();
        writeFile(large, cameraJpeg(picture, 100));
        camera = cameraJpeg(picture, 24);
    }
    constexpr int kFiles = 10;
    QStringList files;
    for (int i = 0; i < kFiles; ++i) {
        files.push_back(folder.filePath(QStringLiteral("P%1.JPG").arg(i, 3, 10, QChar('0'))));
        writeFile(files.back(), camera);
    }
    double decodeMs = 0, reducedMs = 0;
    {
        const ByteBuffer bytes(camera.begin(), camera.end());
        decodeMs = minimumMs(runs, [&] { consume(decodeJpeg(bytes)); });
        reducedMs = minimumMs(runs, [&] { consume(decodeReducedPhoto(bytes, true, 4)); });
    }
    camera = {}; // the peak below is the program's
    QListWidget* list = window.filePane()->fileList;
    const auto shownRow = [&] { return list->currentRow(); };
    const auto settled = [&] {
        settle(paints, Clock::now());
        waitFor([&] { return !window.files().loadPending(); }, 5000);
    };

    resetPeak();
    window.menuAction(kScaleQuarterItem)->trigger();
    std::vector<double> rates;
    for (int run = 0; run < runs; ++run) {
        window.files().load(files.front());
        settled();
        waitFor([] { return false; }, 600); // what is decoded ahead of the first file is done
        const Clock::time_point begin = Clock::now();
        for (int i = 1; i < kFiles; ++i) {
            pressDown(list);
            settle(paints, Clock::now());
        }
        const double seconds = msSince(begin) / 1000;
        if (shownRow() != kFiles - 1) throw std::runtime_error("holding Down lost its way");
        rates.push_back((kFiles - 1) / seconds);
        settled();
    }
    std::nth_element(rates.begin(), rates.begin() + runs / 2, rates.end());
    report("browse-down-quarter", rates[static_cast<std::size_t>(runs / 2)], reducedMs);

    window.menuAction(kScaleFullItem)->trigger();
    std::vector<double> clicks;
    for (int run = 0; run < std::min(runs, kFiles - 1); ++run) {
        window.files().load(files[run]);
        settled();
        waitFor([] { return false; }, static_cast<int>(3 * decodeMs) + 200);
        const Clock::time_point begin = Clock::now();
        pressDown(list);
        clicks.push_back(
            std::chrono::duration<double, std::milli>(settle(paints, begin) - begin).count());
        if (window.files().loadPending() || shownRow() != run + 1)
            throw std::runtime_error("the neighbour was not shown whole");
        settled();
    }
    std::nth_element(clicks.begin(), clicks.begin() + clicks.size() / 2, clicks.end());
    report("browse-click-neighbour", clicks[clicks.size() / 2], decodeMs);
    const double pixelMb = static_cast<double>(window.document().workImage.byteSize()) / (1 << 20);
    std::printf("browse-memory %.1f %.1f %.1f\n", residentMb("VmHWM:"), baselineMb, pixelMb);

    const std::string largePath = large.toStdString();
    ByteBuffer largeBytes;
    std::string error;
    if (!readWholeFile(largePath, largeBytes, error, kMaxJpegFileBytes))
        throw std::runtime_error(error);
    const double largeDecodeMs = minimumMs(1, [&] { consume(decodeJpeg(largeBytes)); });
    std::vector<double> starts;
    startupMs(self, largePath.c_str());
    for (int i = 0; i < std::min(runs, 3); ++i)
        starts.push_back(startupMs(self, largePath.c_str()));
    std::nth_element(starts.begin(), starts.begin() + starts.size() / 2, starts.end());
    report("start-100mp", starts[starts.size() / 2], largeDecodeMs);
}

int measure(int runs, const char* self, const char* given, int argc, char** argv) {
    // A folder of its own, so that the actions' figures have no neighbours decoded beside them.
    const QTemporaryDir alone;
    if (!alone.isValid()) throw std::runtime_error("no temporary folder");
    const std::string copy = alone.filePath(QStringLiteral("IMAGE.JPG")).toStdString();
    std::filesystem::copy_file(given, copy);
    const char* image = copy.c_str();
    std::vector<double> starts;
    startupMs(self, image); // the files and libraries in the page cache
    for (int i = 0; i < runs; ++i)
        starts.push_back(startupMs(self, image));
    std::nth_element(starts.begin(), starts.begin() + runs / 2, starts.end());

    giveLargeBlocksBackWhenFreed(); // as the program does
    QApplication application(argc, argv);
    PaintCounter paints;
    application.installEventFilter(&paints);
    ShownProgram shown({});
    settle(paints, Clock::now());
    const double baselineMb = residentMb("VmRSS:");
    MainWindow& window = shown.program.mainWindow();
    window.files().load(QString::fromStdString(image));
    settle(paints, Clock::now());
    waitFor([&] { return !window.files().loadPending(); }, 10000); // the whole picture in
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
    report("undo",
           timed([&] { window.menuAction(kMonochromeItem)->trigger(); },
                 [&] { window.menuAction(kUndoItem)->trigger(); }),
           0);
    report("scale-quarter-to-full",
           timed([&] { window.menuAction(kScaleQuarterItem)->trigger(); },
                 [&] { window.menuAction(kScaleFullItem)->trigger(); }),
           0);
    // The charts follow every refresh while the histogram window is shown.
    window.menuAction(kHistogramItem)->trigger();
    report("turn-right-histogram",
           timed(nothing, [&] { window.menuAction(kRotateRightItem)->trigger(); }),
           minimumMs(runs, [&] { consume(turnBitmap(work, TurnMode::Right)); }));
    std::printf("memory %.1f %.1f %.1f %.1f\n", restMb, peakMb, baselineMb, pixelMb);
    window.menuAction(kHistogramItem)->trigger(); // hidden again
    window.document().modified = false;           // the actions' changes are not to be saved
    measureBrowsing(runs, self, image, window, paints, baselineMb, report);
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
