// In-process timings of the tone kernels for scripts/bench, beside the yardstick they are held
// to: one plain 256-entry table pass over the same pixel bytes into a fresh buffer.
// Usage: tavlo-bench-tone RUNS IN.bmp    prints "name ms" lines (fastest of RUNS)
#include "bench_support.h"
#include "document/bmp_codec.h"
#include "document/file_io.h"
#include "tone/colour_tone.h"
#include "tone/contrast.h"
#include "tone/gamma.h"
#include "tone/tone_curve.h"
#include "tone/vividness.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace tavlo;
using bench::keep;
using bench::minimumMs;

// The yardstick: every byte through one table, into a fresh bitmap as the kernels use.
void plainTablePass(const Bitmap& image) {
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(255 - v);
    Bitmap result = Bitmap::uninitialised(image.width(), image.height(), image.format());
    const std::size_t size = image.byteSize();
    const std::uint8_t* in = image.bottomUpData();
    std::uint8_t* out = result.bottomUpData();
    for (std::size_t i = 0; i < size; ++i)
        out[i] = table[in[i]];
    keep(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: tavlo-bench-tone RUNS IN.bmp\n", stderr);
        return 2;
    }
    try {
        const int runs = std::max(1, std::stoi(argv[1]));
        const Bitmap image = bench::loadBmp(argv[2]);
        ToneCurve curve;
        curve.levels = {10, 100, 200, 240};
        const auto report = [runs](const char* name, const std::function<void()>& body) {
            std::printf("%s %.2f\n", name, minimumMs(runs, body));
            std::fflush(stdout);
        };
        report("table-pass", [&] { plainTablePass(image); });
        report("curve", [&] { keep(toneCurveBitmap(image, curve)->row(0)); });
        report("curve-red", [&] {
            ToneCurve red = curve;
            red.channel = 1;
            keep(toneCurveBitmap(image, red)->row(0));
        });
        report("tone", [&] { keep(colourToneBitmap(image, {20, -10, 5})->row(0)); });
        report("contrast", [&] {
            keep(contrastBitmap(image, {{40, 40, 40}, {-10, -10, -10}})->row(0));
        });
        report("gamma", [&] { keep(gammaBitmap(image, 30)->row(0)); });
        report("vivid", [&] { keep(vividBitmap(image, 30)->row(0)); });
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavlo-bench-tone: %s\n", e.what());
        return 1;
    }
}
