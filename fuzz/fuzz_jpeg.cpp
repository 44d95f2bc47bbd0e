// libFuzzer target for the JPEG decoder.
#include "document/jpeg_codec.h"
#include "frame_limit.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (tavlo::fuzz::declaresHugeFrame(data, size)) return 0;
    tavlo::decodeJpeg({data, size});
    return 0;
}
