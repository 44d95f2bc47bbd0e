#include "channel_tables.h"

#include <cassert>

namespace tavlo {

Bitmap mapChannels(const Bitmap& source, const ChannelTables& tables) {
    assert(source.format() == PixelFormat::Bit24);
    Bitmap result = Bitmap::uninitialised(source.width(), source.height(), PixelFormat::Bit24,
                                          source.palette());
    mapChannelRows(source, result, tables);
    return result;
}

} // namespace tavlo
