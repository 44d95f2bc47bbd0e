// In-process timings of the geometry kernels for scripts/bench, beside the yardstick they are
// held to: one memcpy of the image's pixel bytes into a fresh bitmap.
// Usage: tavlo-bench-geometry RUNS IN.bmp    prints "name ms" lines (fastest of RUNS)
#include "bench_support.h"
#include "document/bmp_codec.h"
#include "document/file_io.h"
#include "geometry/deform.h"
#include "geometry/resize.h"
#include "geometry/rotate.h"
#include "geometry/trim.h"
#include "geometry/turn.h"

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
using bench::keep;
using bench::minimumMs;

void keepResult(const KernelResult& result) {
    if (!result) throw std::runtime_error("kernel refused the image");
    keep(result->bottomUpData());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: tavlo-bench-geometry RUNS IN.bmp\n", stderr);
        return 2;
    }
    try {
        const int runs = std::max(1, std::stoi(argv[1]));
        const Bitmap image = bench::loadBmp(argv[2]);
        const auto report = [runs](const char* name, const std::function<void()>& body) {
            std::printf("%s %.1f\n", name, minimumMs(runs, body));
        };
        report("memcpy-fresh", [&] {
            Bitmap copy = Bitmap::uninitialised(image.width(), image.height(), image.format());
            std::memcpy(copy.bottomUpData(), image.bottomUpData(), image.byteSize());
            keep(copy.bottomUpData());
        });
        report("turn-right", [&] { keepResult(turnBitmap(image, TurnMode::Right)); });
        report("turn-left", [&] { keepResult(turnBitmap(image, TurnMode::Left)); });
        report("turn-half", [&] { keepResult(turnBitmap(image, TurnMode::Half)); });
        report("mirror", [&] { keepResult(turnBitmap(image, TurnMode::Mirror)); });
        report("flip", [&] { keepResult(turnBitmap(image, TurnMode::Flip)); });
        const TrimRect middle{image.width() / 4, image.height() / 4, image.width() * 3 / 4,
                              image.height() * 3 / 4};
        report("trim", [&] { keepResult(trimBitmap(image, middle)); });
        report("shrink-1", [&] {
            keepResult(resizeBitmap(image, {image.width(), image.height()}));
        });
        report("shrink-2", [&] {
            keepResult(resizeBitmap(image, {image.width() / 2, image.height() / 2}));
        });
        report("rotate-30", [&] { keepResult(rotateBitmap(image, 30)); });
        report("keystone",
               [&] { keepResult(keystoneBitmap(image, DeformMode::KeystoneBoth, 0.3f)); });
        report("shear", [&] { keepResult(shearBitmap(image, 0.3f)); });
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavlo-bench-geometry: %s\n", e.what());
        return 1;
    }
}
