// The grid of cells a mosaic is made of: the cell size that the tile size,
// the render scale and the tiles' thumbnails give, and the cells that cover
// the area to produce.
#pragma once

#include <cstdint>

#include "base/Rect.h"

namespace patchwork {

struct CellSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The cell of a tile `tileSizePixels` wide at `scale` image pixels per
// rendered pixel, shaped like thumbnails of tw × th pixels:
//   w = trunc(tile size / scale + 0.5), 3 when that is 2 or less;
//   h = trunc(w × th / tw + 0.5); when h < 3, h = 3 and w = trunc(tw × 3 / th + 0.5).
// (The last rule only applies to thumbnails wider than tall, so it never
// gives a width under 4.) Sides are capped at kLargestCellSide, and a tile
// size that is not a number counts as 0. Thumbnails without pixels give
// square cells.
CellSize CellSizeFor(double tileSizePixels, double scale, int32_t thumbnailWidth, int32_t thumbnailHeight);

inline constexpr int32_t kLargestCellSide = 1 << 20;

// Cells of one size laid from the top-left corner of `area`, row by row; the
// last column and row may reach past the area.
class CellGrid {
public:
    CellGrid(const Rect& area, CellSize size);

    int32_t Columns() const { return columns_; }
    int32_t Rows() const { return rows_; }
    int64_t CellCount() const { return static_cast<int64_t>(columns_) * rows_; }
    CellSize Size() const { return size_; }
    Rect Cell(int32_t column, int32_t row) const {
        const int32_t left = area_.left + column * size_.width;
        const int32_t top = area_.top + row * size_.height;
        return Rect(top, left, top + size_.height, left + size_.width);
    }

private:
    Rect area_;
    CellSize size_;
    int32_t columns_ = 0;
    int32_t rows_ = 0;
};

}  // namespace patchwork
