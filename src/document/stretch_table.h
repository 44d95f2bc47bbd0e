// The index rule of the colour-on-colour stretch, shared by the whole-image stretch, the view and
// the printed page: position i of a side stretched from `sourceSize` to `stretchedSize` takes
// source position i × sourceSize div stretchedSize.
#pragma once

#include <cstdint>
#include <vector>

namespace tavlo {

inline int stretchSource(std::int64_t position, int sourceSize, std::int64_t stretchedSize) {
    return static_cast<int>(position * sourceSize / stretchedSize);
}

// The source positions of the `count` stretched positions from `first` on: a row's column table.
inline std::vector<int> stretchTable(std::int64_t first, int count, int sourceSize,
                                     std::int64_t stretchedSize) {
    std::vector<int> table(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        table[static_cast<std::size_t>(i)] = stretchSource(first + i, sourceSize, stretchedSize);
    return table;
}

} // namespace tavlo
