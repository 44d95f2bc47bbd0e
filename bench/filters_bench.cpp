// Times the filter kernels in process, for the filters section of scripts/bench.
//   tavlo-bench-filters RUNS IMAGE.bmp   prints "name milliseconds" lines (fastest of RUNS)
#include "bench_support.h"
#include "document/bmp_codec.h"
#include "document/file_io.h"
#include "filters/convolution.h"
#include "filters/equalisation.h"
#include "filters/histogram.h"
#include "filters/median.h"
#include "filters/monochrome.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace tavlo;
using bench::minimumMs;

volatile std::uint8_t sink;

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: tavlo-bench-filters RUNS IMAGE.bmp\n", stderr);
        return 2;
    }
    try {
        const int runs = std::max(1, std::stoi(argv[1]));
        const Bitmap image = bench::loadBmp(argv[2]);
        const auto report = [runs](const char* name, const std::function<void()>& body) {
            std::printf("%s %.2f\n", name, minimumMs(runs, body));
            std::fflush(stdout);
        };
        const auto keep = [](const Bitmap& b) { sink = b.bottomUpData()[0]; };
        report("convolution", [&] { keep(convolved(image, kFilterPresets[3])); });
        report("median", [&] { keep(medianFiltered(image)); });
        report("histogram",
               [&] { sink = static_cast<std::uint8_t>(computeHistogram(image, 1.0f).red[7]); });
        report("equalisation", [&] { keep(equalised(image, 1.0f)); });
        report("monochrome", [&] { keep(greyed(image)); });
        // The baseline: a copy into pages never touched, as a kernel's result is.
        // The kernels' yardstick, allocated as their results are.
        report("memcpy-fresh", [&] {
            Bitmap copy = Bitmap::uninitialised(image.width(), image.height(), image.format());
            std::memcpy(copy.bottomUpData(), image.bottomUpData(), image.byteSize());
            sink = copy.bottomUpData()[1];
        });
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavlo-bench-filters: %s\n", e.what());
        return 1;
    }
    return 0;
}
