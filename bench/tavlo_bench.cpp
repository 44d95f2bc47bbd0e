// Helper for scripts/bench. Subcommands:
//   generate WIDTH HEIGHT OUT.{ppm,bmp,jpg}...  a deterministic photo-like test image (JPEG: q90)
//   kernels RUNS IN.jpg IN.bmp SCRATCH_DIR    fastest in-process timings, one "name ms" a line
//   peak-rss COMMAND [ARG ...]                the command's peak resident set, in KiB
#include "bench_support.h"
#include "document/bitmap.h"
#include "document/bmp_codec.h"
#include "document/file_io.h"
#include "document/jpeg_codec.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <numbers>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using namespace tavlo;
using bench::keep;
using bench::minimumMs;
namespace fs = std::filesystem;

class Random {
  public:
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    float uniform() { return static_cast<float>(next() >> 40) / static_cast<float>(1 << 24); }

  private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15u;
};

// Bilinear interpolation over a grid of random brightness offsets: soft blotches whose size
// follows the cell, like foliage, fabric or skin detail in a photograph.
class BlotchTexture {
  public:
    BlotchTexture(int cell, float amplitude, int width, int height, Random& random)
        : cell_(cell), columns_(width / cell + 2),
          values_(static_cast<std::size_t>(columns_) * (height / cell + 2)) {
        for (float& v : values_)
            v = amplitude * (2 * random.uniform() - 1);
    }

    float at(int x, int y) const {
        const int cx = x / cell_, cy = y / cell_;
        const float fx = static_cast<float>(x % cell_) / static_cast<float>(cell_);
        const float fy = static_cast<float>(y % cell_) / static_cast<float>(cell_);
        const float top = lerp(value(cx, cy), value(cx + 1, cy), fx);
        const float bottom = lerp(value(cx, cy + 1), value(cx + 1, cy + 1), fx);
        return lerp(top, bottom, fy);
    }

  private:
    static float lerp(float a, float b, float t) { return a + (b - a) * t; }
    float value(int cx, int cy) const {
        return values_[static_cast<std::size_t>(cy) * columns_ + cx];
    }

    int cell_;
    int columns_;
    std::vector<float> values_;
};

// Smooth colour gradients (separable, so two small tables), brightness detail at two scales and
// a little grain per channel. Texture is mostly in brightness, as in real scenes, so the JPEG
// sizes and entropy-coding work come out near those of a photograph.
Bitmap makePhotoLike(int width, int height) {
    Random random;
    const BlotchTexture coarse(40, 30, width, height, random);
    const BlotchTexture fine(5, 16, width, height, random);
    std::vector<float> across(3 * static_cast<std::size_t>(width));
    std::vector<float> down(3 * static_cast<std::size_t>(height));
    constexpr float kTau = 2 * std::numbers::pi_v<float>;
    for (int c = 0; c < 3; ++c) {
        for (int x = 0; x < width; ++x)
            across[3 * x + c] = 35 * std::sin(kTau * (c + 1) * x / width + c);
        for (int y = 0; y < height; ++y)
            down[3 * y + c] = 30 * std::cos(kTau * (3 - c) * y / height / 2 + 2 * c);
    }

    Bitmap image = Bitmap::uninitialised(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* bgr = image.row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint64_t grain = random.next();
            const float detail =
                coarse.at(x, y) + fine.at(x, y) + static_cast<float>(grain >> 59) - 16;
            for (int c = 0; c < 3; ++c) {
                const int noise = static_cast<int>((grain >> (8 * c)) % 5) - 2;
                const float v = 120 + across[3 * x + c] + down[3 * y + c] + detail;
                bgr[3 * x + 2 - c] =
                    static_cast<std::uint8_t>(std::clamp(static_cast<int>(v) + noise, 0, 255));
            }
        }
        std::fill(bgr + 3 * static_cast<std::size_t>(width), bgr + image.stride(), 0);
    }
    return image;
}

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

void writeOrThrow(const fs::path& path, std::span<const std::span<const std::uint8_t>> pieces) {
    std::string error;
    if (!writeFileAtomically(path, pieces, error)) throw std::runtime_error(error);
}

void writeBmp(const Bitmap& image, const fs::path& path) {
    const BmpFileParts parts = encodeBmp(image);
    const std::span<const std::uint8_t> pieces[] = {bytesOf(parts.header), parts.pixels};
    writeOrThrow(path, pieces);
}

void writePpm(const Bitmap& image, const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width() << ' ' << image.height() << "\n255\n";
    std::vector<char> rgb(3 * static_cast<std::size_t>(image.width()));
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* bgr = image.row(y);
        for (std::size_t i = 0; i < rgb.size(); i += 3) {
            rgb[i] = static_cast<char>(bgr[i + 2]);
            rgb[i + 1] = static_cast<char>(bgr[i + 1]);
            rgb[i + 2] = static_cast<char>(bgr[i]);
        }
        out.write(rgb.data(), static_cast<std::streamsize>(rgb.size()));
    }
    if (!out.flush()) throw std::runtime_error("cannot write " + path.string());
}

void writeImage(const Bitmap& image, const fs::path& out) {
    const std::string type = out.extension().string();
    if (type == ".ppm") {
        writePpm(image, out);
    } else if (type == ".bmp") {
        writeBmp(image, out);
    } else if (type == ".jpg") {
        const std::string jpeg = encodeJpeg(image, 90);
        const std::span<const std::uint8_t> pieces[] = {bytesOf(jpeg)};
        writeOrThrow(out, pieces);
    } else {
        throw std::runtime_error("output must end in .ppm, .bmp or .jpg: " + out.string());
    }
}

int generate(int width, int height, std::span<char*> outputs) {
    const Bitmap image = makePhotoLike(width, height);
    for (const char* out : outputs)
        writeImage(image, out);
    return 0;
}

ByteBuffer readOrThrow(const fs::path& path) {
    ByteBuffer bytes;
    std::string error;
    if (!readWholeFile(path, bytes, error, std::max(kMaxBmpFileBytes, kMaxJpegFileBytes)))
        throw std::runtime_error(error);
    return bytes;
}

Bitmap decodedOrThrow(DecodeResult result) {
    if (!result) throw std::runtime_error(result.error);
    return std::move(*result.image);
}

int kernels(int runs, const fs::path& jpegPath, const fs::path& bmpPath, const fs::path& scratch) {
    const ByteBuffer jpeg = readOrThrow(jpegPath);
    const Bitmap image = decodedOrThrow(decodeBmp(readOrThrow(bmpPath)));
    const fs::path bmpOut = scratch / "kernel-out.bmp";
    const std::size_t pixelBytes = image.byteSize();
    const auto warmCopy = std::make_unique<std::uint8_t[]>(pixelBytes);

    const auto report = [runs](const char* name, const std::function<void()>& body) {
        std::printf("%s %.2f\n", name, minimumMs(runs, body));
        std::fflush(stdout);
    };
    report("jpeg-decode", [&] { decodedOrThrow(decodeJpeg(jpeg)); });
    report("jpeg-encode-q50", [&] { keep(encodeJpeg(image, 50).data()); });
    report("bmp-read", [&] { decodedOrThrow(decodeBmp(readOrThrow(bmpPath))); });
    report("bmp-read-file", [&] { keep(readOrThrow(bmpPath).data()); });
    const ByteBuffer bmp = readOrThrow(bmpPath);
    report("bmp-decode", [&] { decodedOrThrow(decodeBmp(bmp)); });
    report("bmp-write", [&] { writeBmp(image, bmpOut); });
    // The yardstick copies into a bitmap allocated as the decoder's is, so that both pay the
    // same first touch of fresh pages (large blocks come straight from the system, in huge pages
    // where it has them); the warm copy is the copy alone.
    report("memcpy-fresh", [&] {
        Bitmap copy = Bitmap::uninitialised(image.width(), image.height(), image.format());
        std::memcpy(copy.bottomUpData(), image.bottomUpData(), pixelBytes);
        keep(copy.bottomUpData());
    });
    report("memcpy-warm", [&] {
        std::memcpy(warmCopy.get(), image.bottomUpData(), pixelBytes);
        keep(warmCopy.get());
    });
    fs::remove(bmpOut);
    return 0;
}

int peakRss(char** command) {
    const pid_t child = fork();
    if (child < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (child == 0) {
        execvp(command[0], command);
        std::fprintf(stderr, "tavlo-bench: cannot run %s: %s\n", command[0], std::strerror(errno));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) < 0)
        throw std::runtime_error(std::string("wait4: ") + std::strerror(errno));
    std::printf("%ld\n", usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

int run(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "generate" && argc > 4)
        return generate(std::stoi(argv[2]), std::stoi(argv[3]), {argv + 4, argv + argc});
    if (command == "kernels" && argc == 6)
        return kernels(std::max(1, std::stoi(argv[2])), argv[3], argv[4], argv[5]);
    if (command == "peak-rss" && argc > 2) return peakRss(argv + 2);
    std::fputs("usage: tavlo-bench generate WIDTH HEIGHT OUT.{ppm,bmp,jpg} ...\n"
               "       tavlo-bench kernels RUNS IN.jpg IN.bmp SCRATCH_DIR\n"
               "       tavlo-bench peak-rss COMMAND [ARG ...]\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavlo-bench: %s\n", e.what());
        return 1;
    }
}
