// The cells of a picture tube: columns × rows equal cells over the tube's
// image. A cell is image width / columns by image height / rows pixels
// (integer division), so pixels right of the last column or below the last
// row belong to no cell. Cells are counted row by row, left to right. The
// cell count stored in the file plays no part: how stamps are chosen is the
// effects' decision.
#pragma once

#include <cstdint>

#include "base/Rect.h"

class TubeCellGrid {
public:
    // A grid with columns or rows below 1 has no cells.
    TubeCellGrid(int32_t columns, int32_t rows, int32_t imageWidth, int32_t imageHeight);

    int32_t Columns() const { return columns_; }
    int32_t Rows() const { return rows_; }
    int32_t CellWidth() const { return cellWidth_; }
    int32_t CellHeight() const { return cellHeight_; }
    int32_t CellCount() const { return columns_ * rows_; }

    // The rectangle of cell (column, row) in image coordinates (origin at the
    // image's top-left pixel).
    Rect CellRect(int32_t column, int32_t row) const;
    // The rectangle of the index-th cell in row-by-row order.
    Rect CellRect(int32_t index) const;

private:
    int32_t columns_ = 0;
    int32_t rows_ = 0;
    int32_t cellWidth_ = 0;
    int32_t cellHeight_ = 0;
};
