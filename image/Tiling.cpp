#include "image/Tiling.h"

int32_t Tiling::Count() const {
    if (area.IsEmpty()) return 0;
    if (size <= 0) return 1;
    return CeilDiv(area.Width(), size) * CeilDiv(area.Height(), size);
}

Rect Tiling::Tile(int32_t index) const {
    if (size <= 0) return area;
    const int32_t columns = CeilDiv(area.Width(), size);
    const int32_t left = area.left + (index % columns) * size;
    const int32_t row = index / columns;
    const int32_t top = order == TileOrder::TopDown ? area.top + row * size : area.bottom - (row + 1) * size;
    return Rect::Intersect(Rect(top, left, top + size, left + size), area);
}
