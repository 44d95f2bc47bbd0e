// The one pass that the table-driven tone operations share: every channel value of a 24-bit
// image is replaced by its entry in that channel's 256-entry table.
#pragma once

#include "document/bitmap.h"
#include "document/channel_lookup.h"

namespace tavlo {

// Fills a table with f(v) for v = 0 … 255.
template <class F> ChannelTable tableOf(F&& f) {
    ChannelTable table{};
    for (int v = 0; v < 256; ++v)
        table[static_cast<std::size_t>(v)] = f(v);
    return table;
}

// A new 24-bit image of the same size (and palette) whose pixels are the source's mapped through
// the tables; the row padding is zero. The source must have 24 bits per pixel.
Bitmap mapChannels(const Bitmap& source, const ChannelTables& tables);

} // namespace tavlo
