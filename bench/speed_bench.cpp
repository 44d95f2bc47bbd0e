// In-process timings of the kernels the speed aims name, on a given number of worker threads,
// with their yardsticks measured in the same run: one copy of the pixels into a fresh bitmap
// and one into pages already touched.
// Usage: tavlo-bench-speed RUNS IN.bmp THREADS [NAME]   prints "name ms" lines (fastest of RUNS,
// the kernels timed in turns); with NAME, only the kernels whose name contains it or one of its
// comma-separated parts (for profiling a few alone, e.g. "memcpy,turn,mirror"). The first line
// names the instruction set the kernels ran on; TAVLO_INSTRUCTION_SET=NAME picks another that this
// processor runs (AVX2 on an AVX-512 machine), and `tavlo-bench-speed --instruction-sets` lists
// them, best first.
#include "bench_support.h"
#include "document/worker_pool.h"
#include "filters/convolution.h"
#include "filters/equalisation.h"
#include "filters/median.h"
#include "filters/monochrome.h"
#include "geometry/rotate.h"
#include "geometry/turn.h"
#include "tone/colour_tone.h"
#include "tone/contrast.h"
#include "tone/gamma.h"
#include "tone/tone_curve.h"
#include "tone/vividness.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <hwy/targets.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace tavlo;
using bench::keep;

void keepResult(const KernelResult& result) {
    if (!result) throw std::runtime_error("kernel refused the image");
    keep(result->bottomUpData());
}

void keepBitmap(const Bitmap& result) {
    keep(result.bottomUpData());
}

// Dispatches every kernel to the named instruction set; false when this processor does not run it
// or the kernels were not built for it.
bool useInstructionSet(const char* name) {
    for (const std::int64_t target : hwy::SupportedAndGeneratedTargets())
        if (std::strcmp(hwy::TargetName(target), name) == 0) {
            hwy::SetSupportedTargetsForTest(target);
            hwy::GetChosenTarget().Update(hwy::SupportedTargets());
            return true;
        }
    return false;
}

struct Kernel {
    const char* name;
    std::function<void()> body;
};

// The fastest of `runs` timings of each kernel, taken in turns (one of each, then again), so that
// a yardstick and the kernels it measures meet the same load from the rest of the machine. One
// untimed round first warms the code and the pages.
std::vector<std::pair<const char*, double>> fastestInTurn(int runs,
                                                          const std::vector<Kernel>& kernels) {
    std::vector<std::pair<const char*, double>> fastest;
    for (const Kernel& kernel : kernels) {
        kernel.body();
        fastest.emplace_back(kernel.name, 1e300);
    }
    for (int run = 0; run < runs; ++run)
        for (std::size_t k = 0; k < kernels.size(); ++k) {
            const auto start = std::chrono::steady_clock::now();
            kernels[k].body();
            const std::chrono::duration<double, std::milli> ms =
                std::chrono::steady_clock::now() - start;
            fastest[k].second = std::min(fastest[k].second, ms.count());
        }
    return fastest;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--instruction-sets") == 0) {
        for (const std::int64_t target : hwy::SupportedAndGeneratedTargets())
            std::printf("%s\n", hwy::TargetName(target));
        return 0;
    }
    if (const char* wanted = std::getenv("TAVLO_INSTRUCTION_SET"); wanted && *wanted)
        if (!useInstructionSet(wanted)) {
            std::fprintf(stderr, "tavlo-bench-speed: no instruction set %s here\n", wanted);
            return 2;
        }
    if (argc != 4 && argc != 5) {
        std::fputs("usage: tavlo-bench-speed RUNS IN.bmp THREADS [NAME]\n", stderr);
        return 2;
    }
    try {
        const int runs = std::max(1, std::stoi(argv[1]));
        const Bitmap image = bench::loadBmp(argv[2]);
        setWorkerCount(std::stoi(argv[3]));
        const std::string only = argc == 5 ? argv[4] : "";
        const auto wanted = [&only](const std::string& name) {
            for (std::size_t from = 0;; ++from) {
                const std::size_t to = std::min(only.find(',', from), only.size());
                if (name.find(only.substr(from, to - from)) != std::string::npos) return true;
                if ((from = to) == only.size()) return false;
            }
        };
        std::vector<Kernel> kernels;
        const auto report = [&](const char* name, std::function<void()> body) {
            if (wanted(name)) kernels.push_back({name, std::move(body)});
        };
        const auto warm = std::make_unique<std::uint8_t[]>(image.byteSize());
        report("memcpy-fresh", [&] {
            Bitmap copy = Bitmap::uninitialised(image.width(), image.height(), image.format());
            std::memcpy(copy.bottomUpData(), image.bottomUpData(), image.byteSize());
            keep(copy.bottomUpData());
        });
        report("memcpy-warm", [&] {
            std::memcpy(warm.get(), image.bottomUpData(), image.byteSize());
            keep(warm.get());
        });
        report("turn-right", [&] { keepResult(turnBitmap(image, TurnMode::Right)); });
        report("turn-left", [&] { keepResult(turnBitmap(image, TurnMode::Left)); });
        report("turn-half", [&] { keepResult(turnBitmap(image, TurnMode::Half)); });
        report("mirror", [&] { keepResult(turnBitmap(image, TurnMode::Mirror)); });
        report("rotate-30", [&] { keepResult(rotateBitmap(image, 30)); });
        report("convolution", [&] { keepBitmap(convolved(image, kFilterPresets[3])); });
        report("median", [&] { keepBitmap(medianFiltered(image)); });
        report("equalisation", [&] { keepBitmap(equalised(image, 1.0f)); });
        report("monochrome", [&] { keepBitmap(greyed(image)); });
        ToneCurve curve;
        curve.levels = {10, 100, 200, 240};
        report("curve", [&] { keepResult(toneCurveBitmap(image, curve)); });
        report("tone", [&] { keepResult(colourToneBitmap(image, {20, -10, 5})); });
        report("contrast", [&] {
            keepResult(contrastBitmap(image, {{40, 40, 40}, {-10, -10, -10}}));
        });
        report("gamma", [&] { keepResult(gammaBitmap(image, 30)); });
        report("vivid", [&] { keepResult(vividBitmap(image, 30)); });
        std::printf("instructions %s\n",
                    hwy::TargetName(hwy::SupportedAndGeneratedTargets().front()));
        for (const auto& [name, ms] : fastestInTurn(runs, kernels))
            std::printf("%s %.1f\n", name, ms);
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavlo-bench-speed: %s\n", e.what());
        return 1;
    }
}
