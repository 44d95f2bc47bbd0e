#include "channel_tables.h"

#include "document/channel_lookup.h"
#include "document/worker_pool.h"

#include <cassert>

namespace tavlo {

ChannelTable identityTable() {
    return tableOf([](int v) { return static_cast<std::uint8_t>(v); });
}

Bitmap mapChannels(const Bitmap& source, const ChannelTables& tables) {
    assert(source.format() == PixelFormat::Bit24);
    const int width = source.width(), height = source.height();
    Bitmap result = Bitmap::uninitialised(width, height, PixelFormat::Bit24, source.palette());
    const WritableRows to(result);
    forEachBand(height, kRowsPerBand, [&](int first, int last) {
        for (int y = first; y < last; ++y)
            mapChannelRow(source.row(y), to[y], width, tables.blue.data(), tables.green.data(),
                          tables.red.data());
    });
    return result;
}

} // namespace tavlo
