#include "channel_tables.h"

#include "document/worker_pool.h"
#include <cassert>
#include <cstring>

namespace tavlo {

ChannelTable identityTable() {
    return tableOf([](int v) { return static_cast<std::uint8_t>(v); });
}

namespace {

void mapRow(const std::uint8_t* source, std::uint8_t* target, int width,
            const ChannelTables& tables) {
    const std::uint8_t* blue = tables.blue.data();
    const std::uint8_t* green = tables.green.data();
    const std::uint8_t* red = tables.red.data();
    for (int x = 0; x < width; ++x, source += 3, target += 3) {
        target[0] = blue[source[0]];
        target[1] = green[source[1]];
        target[2] = red[source[2]];
    }
}

} // namespace

Bitmap mapChannels(const Bitmap& source, const ChannelTables& tables) {
    assert(source.format() == PixelFormat::Bit24);
    const int width = source.width(), height = source.height();
    Bitmap result = Bitmap::uninitialised(width, height, PixelFormat::Bit24, source.palette());
    const WritableRows to(result);
    forEachBand(height, kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            mapRow(source.row(y), to[y], width, tables);
    });
    return result;
}

} // namespace tavlo
