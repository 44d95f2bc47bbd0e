#include "gamma.h"

#include "channel_tables.h"
#include "clamp_channel.h"
#include "document/pixel_convert.h"

#include <cmath>

namespace tavlo {

float gammaValue(std::int32_t amount) {
    return static_cast<float>(static_cast<long double>(static_cast<float>(amount)) / 100 + 1);
}

std::uint8_t gammaCorrected(int v, float gamma) {
    if (v == 0) return 0;
    const float t =
        static_cast<float>(std::log(static_cast<long double>(static_cast<float>(v)) / 255));
    const float out = static_cast<float>(std::exp(static_cast<long double>(t) / gamma) * 255);
    return roundedHalfUpChannel(out);
}

ChannelTables gammaTables(std::int32_t amount) {
    const float gamma = gammaValue(amount);
    const ChannelTable table = tableOf([gamma](int v) { return gammaCorrected(v, gamma); });
    return {table, table, table};
}

KernelResult gammaBitmap(const Bitmap& source, std::int32_t amount) {
    requireNonEmpty(source);
    const ChannelTables tables = gammaTables(amount);
    if (source.format() == PixelFormat::Bit24) return mapChannels(source, tables);
    return mapChannels(convertedTo(source, PixelFormat::Bit24), tables);
}

} // namespace tavlo
