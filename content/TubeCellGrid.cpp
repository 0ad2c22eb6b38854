#include "content/TubeCellGrid.h"

TubeCellGrid::TubeCellGrid(int32_t columns, int32_t rows, int32_t imageWidth, int32_t imageHeight) {
    if (columns < 1 || rows < 1) return;
    columns_ = columns;
    rows_ = rows;
    cellWidth_ = imageWidth / columns;
    cellHeight_ = imageHeight / rows;
}

Rect TubeCellGrid::CellRect(int32_t column, int32_t row) const {
    const int32_t left = column * cellWidth_;
    const int32_t top = row * cellHeight_;
    return Rect(top, left, top + cellHeight_, left + cellWidth_);
}

Rect TubeCellGrid::CellRect(int32_t index) const {
    if (columns_ == 0) return Rect();
    return CellRect(index % columns_, index / columns_);
}
