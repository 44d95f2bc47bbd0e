#include "contrast.h"

#include "channel_tables.h"

#include <algorithm>
#include <cmath>

namespace tavlo {

std::uint8_t contrastValue(int v, std::int32_t contrast, std::int32_t brightness) {
    const float factor = 1.0f + static_cast<float>(contrast) / 128.0f; // exact for −128 … 128
    const long double product = static_cast<long double>(std::int64_t{v} + brightness) * factor;
    const long double rounded = std::nearbyint(product) - contrast;
    return static_cast<std::uint8_t>(std::clamp(rounded, 0.0L, 255.0L));
}

ChannelTables contrastTables(const ContrastSettings& settings) {
    const auto table = [&](ColourChannel c) {
        return tableOf(
            [&](int v) { return contrastValue(v, settings.contrast[c], settings.brightness[c]); });
    };
    return {.red = table(Red), .green = table(Green), .blue = table(Blue)};
}

KernelResult contrastBitmap(const Bitmap& source, const ContrastSettings& settings) {
    requireNonEmpty(source);
    if (source.format() != PixelFormat::Bit24) return std::nullopt;
    return mapChannels(source, contrastTables(settings));
}

} // namespace tavlo
