#pragma once

#include <algorithm>
#include <cstddef>

namespace tessaro::richtext {

// Width in twips given to a table cell whose width is unknown: the row shares 6.25 inches,
// but no cell is narrower than 600 twips.
inline int cellWidthFallback(std::size_t cellsInRow) {
    return static_cast<int>(
        std::max<std::size_t>(600, 9000 / std::max<std::size_t>(cellsInRow, 1)));
}

} // namespace tessaro::richtext
