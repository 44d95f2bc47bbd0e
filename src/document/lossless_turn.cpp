#include "lossless_turn.h"

#include <memory>
#include <new>

#include <turbojpeg.h>

namespace tavlo {

namespace {

int operationFor(PictureTurn turn) {
    static constexpr int kByOrientation[] = {TJXOP_NONE,       TJXOP_HFLIP,     TJXOP_ROT180,
                                             TJXOP_VFLIP,      TJXOP_TRANSPOSE, TJXOP_ROT90,
                                             TJXOP_TRANSVERSE, TJXOP_ROT270};
    return kByOrientation[turn.exifOrientation() - 1];
}

struct HandleCloser {
    void operator()(void* handle) const { tjDestroy(handle); }
};

struct BufferFreer {
    void operator()(unsigned char* buffer) const { tjFree(buffer); }
};

} // namespace

std::optional<std::string> turnLosslessly(std::span<const std::uint8_t> jpeg, PictureTurn turn) {
    const std::unique_ptr<void, HandleCloser> handle(tjInitTransform());
    if (!handle) throw std::bad_alloc();
    tjtransform transform{};
    transform.op = operationFor(turn);
    transform.options = TJXOPT_PERFECT | TJXOPT_COPYNONE;
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    // A progressive file with a flood of scans is refused rather than worked through for minutes.
    const int status = tjTransform(handle.get(), jpeg.data(), jpeg.size(), 1, &output, &outputSize,
                                   &transform, TJFLAG_LIMITSCANS);
    const std::unique_ptr<unsigned char, BufferFreer> owned(output);
    if (status != 0 || !output) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(output), outputSize);
}

} // namespace tavlo
