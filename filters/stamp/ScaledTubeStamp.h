// One tube cell made ready for stamping, and the table of all cells.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "image/Image.h"

struct FillStampScaledTubeStamp {
    // The sum of the scaled stamp's alpha values ÷ 255, before any shadow.
    double area = 0.0;
    // Half the diagonal of the box of visible pixels, rounded up.
    int32_t radius = 0;
    // The centre of the visible box, rounded to the nearest pixel, from the
    // scaled stamp's top-left corner; and what the rounding took off.
    int32_t centreOffsetX = 0;
    int32_t centreOffsetY = 0;
    double centreFractionX = 0.0;
    double centreFractionY = 0.0;
    // Red, green, blue and alpha: the scaled cell with its shadow when
    // shadows are on. The scaled cell's top-left corner is at (0, 0); a
    // shadow may reach to negative coordinates.
    std::unique_ptr<Image<unsigned char>> stamp;
    // The part of `stamp` that holds its visible pixels, in the stamp's
    // coordinates: a wide blur leaves most of a small stamp's picture
    // transparent, and drawing passes over the rest. Empty: all of it.
    Rect visible;
    // The stamp as hue, saturation, value (each 0..1) and alpha (0..255),
    // for recolouring; null unless asked for.
    std::unique_ptr<Image<double>> colourStamp;
};

// The cells of a tube, indexed by (column, row).
class CellTable {
public:
    void Reset(int32_t columns, int32_t rows) {
        columns_ = columns;
        rows_ = rows;
        cells_.clear();
        cells_.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    }
    void Clear() { Reset(0, 0); }

    int32_t Columns() const { return columns_; }
    int32_t Rows() const { return rows_; }
    bool IsEmpty() const { return cells_.empty(); }
    FillStampScaledTubeStamp& At(int32_t column, int32_t row) { return cells_[Index(column, row)]; }
    const FillStampScaledTubeStamp& At(int32_t column, int32_t row) const { return cells_[Index(column, row)]; }

private:
    std::size_t Index(int32_t column, int32_t row) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + static_cast<std::size_t>(column);
    }

    int32_t columns_ = 0;
    int32_t rows_ = 0;
    std::vector<FillStampScaledTubeStamp> cells_;
};
