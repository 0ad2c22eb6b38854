#include "filters/patchwork/PatchworkCells.h"

namespace patchwork {
namespace {

// trunc(value + 0.5) kept within [0, kLargestCellSide]; not a number gives 0.
int32_t RoundedSide(double value) {
    const double rounded = value + 0.5;
    if (!(rounded >= 0.0)) return 0;
    if (rounded >= kLargestCellSide) return kLargestCellSide;
    return static_cast<int32_t>(rounded);
}

// Whole cells of `step` over `length`, the last one cut short; none for a
// side of no length.
int32_t CellsAlong(int64_t length, int32_t step) {
    if (length <= 0 || step <= 0) return 0;
    return static_cast<int32_t>(CeilDiv(length, step));
}

}  // namespace

CellSize CellSizeFor(double tileSizePixels, double scale, int32_t thumbnailWidth, int32_t thumbnailHeight) {
    CellSize size;
    size.width = RoundedSide(tileSizePixels / scale);
    if (size.width <= 2) size.width = 3;
    if (thumbnailWidth <= 0 || thumbnailHeight <= 0) {
        size.height = size.width;
        return size;
    }
    size.height = RoundedSide(static_cast<double>(size.width) * thumbnailHeight / thumbnailWidth);
    if (size.height < 3) {
        size.height = 3;
        size.width = RoundedSide(static_cast<double>(thumbnailWidth) * 3 / thumbnailHeight);
    }
    return size;
}

CellGrid::CellGrid(const Rect& area, CellSize size) : area_(area), size_(size) {
    if (area.IsEmpty()) return;
    columns_ = CellsAlong(int64_t{area.right} - area.left, size.width);
    rows_ = CellsAlong(int64_t{area.bottom} - area.top, size.height);
}

}  // namespace patchwork
