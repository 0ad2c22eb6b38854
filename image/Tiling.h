// Cuts an area into squares of one size, each clipped to the area, and
// visits them row by row, left to right. The rows start at the top edge of
// the area (top down) or at its bottom edge (bottom up, as the full-size
// render does); the clipped squares lie at the far edges.
#pragma once

#include <cstdint>

#include "base/Rect.h"

enum class TileOrder { TopDown, BottomUp };

struct Tiling {
    Rect area;
    // A size that is not positive takes the area whole, as one tile.
    int32_t size = 0;
    TileOrder order = TileOrder::TopDown;

    // ⌈width ÷ size⌉ × ⌈height ÷ size⌉; 0 for an empty area.
    int32_t Count() const;
    // Tile `index` (0 ≤ index < Count()) in visiting order.
    Rect Tile(int32_t index) const;
};
