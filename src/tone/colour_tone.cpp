#include "colour_tone.h"

#include "channel_tables.h"
#include "tone_parameters.h"

#include <algorithm>

namespace tavlo {

namespace {

ChannelTable shiftTable(std::int32_t offset) {
    return tableOf([offset](int v) {
        return static_cast<std::uint8_t>(
            std::clamp<std::int64_t>(std::int64_t{v} + offset, 0, 255));
    });
}

} // namespace

ChannelTables colourToneTables(const std::array<std::int32_t, 3>& offsets) {
    return {.red = shiftTable(offsets[Red]),
            .green = shiftTable(offsets[Green]),
            .blue = shiftTable(offsets[Blue])};
}

KernelResult colourToneBitmap(const Bitmap& source, const std::array<std::int32_t, 3>& offsets) {
    requireNonEmpty(source);
    if (source.format() != PixelFormat::Bit24) return std::nullopt;
    return mapChannels(source, colourToneTables(offsets));
}

} // namespace tavlo
