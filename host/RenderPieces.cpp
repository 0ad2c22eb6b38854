#include "host/RenderPieces.h"

namespace {

int32_t CeilDiv(int32_t value, int32_t divisor) { return (value + divisor - 1) / divisor; }

}  // namespace

int32_t RenderPieceCount(const Rect& area, int32_t size) {
    if (area.IsEmpty()) return 0;
    if (size <= 0) return 1;
    return CeilDiv(area.Width(), size) * CeilDiv(area.Height(), size);
}

Rect RenderPiece(const Rect& area, int32_t size, int32_t index) {
    if (size <= 0) return area;
    const int32_t columns = CeilDiv(area.Width(), size);
    const int32_t left = area.left + (index % columns) * size;
    const int32_t bottom = area.bottom - (index / columns) * size;
    return Rect::Intersect(Rect(bottom - size, left, bottom, left + size), area);
}
