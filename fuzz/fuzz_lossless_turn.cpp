// libFuzzer target for the lossless turn of a JPEG file; the input's length chooses the turn, so
// that the corpus can be plain JPEG files.
#include "document/lossless_turn.h"
#include "frame_limit.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (tavlo::fuzz::declaresHugeFrame(data, size)) return 0;
    const auto turn = tavlo::PictureTurn::fromExifOrientation(static_cast<int>(size % 8) + 1);
    tavlo::turnLosslessly({data, size}, turn);
    return 0;
}
