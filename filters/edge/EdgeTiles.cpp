#include "filters/edge/EdgeTiles.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace edge {

ResultCode TiledImage::Init(const Rect& bounds, double initial, double outside) {
    bounds_ = bounds.IsEmpty() ? Rect() : bounds;
    outside_ = outside;
    outOfMemory_ = false;
    columns_ = bounds_.IsEmpty() ? 0 : (bounds_.Width() + kTileSize - 1) >> kTileShift;
    rows_ = bounds_.IsEmpty() ? 0 : (bounds_.Height() + kTileSize - 1) >> kTileShift;
    const std::size_t count = std::max<std::size_t>(static_cast<std::size_t>(columns_) * rows_, 1);
    data_.reset(new (std::nothrow) std::unique_ptr<double[]>[count]);
    constants_.reset(new (std::nothrow) double[count]);
    written_.reset(new (std::nothrow) uint8_t[count]());
    if (!data_ || !constants_ || !written_) return ResultCode::OutOfMemory();
    std::fill(constants_.get(), constants_.get() + count, initial);
    return ResultCode::Success();
}

Rect TiledImage::TileRect(int32_t column, int32_t row) const {
    const int32_t left = bounds_.left + (column << kTileShift);
    const int32_t top = bounds_.top + (row << kTileShift);
    return Rect::Intersect(Rect(top, left, top + kTileSize, left + kTileSize), bounds_);
}

double TiledImage::Bilinear(double x, double y) const {
    const double fx0 = std::floor(x);
    const double fy0 = std::floor(y);
    if (!(std::fabs(fx0) < 2e9) || !(std::fabs(fy0) < 2e9)) return outside_;
    const auto x0 = static_cast<int32_t>(fx0);
    const auto y0 = static_cast<int32_t>(fy0);
    const double fx = x - fx0;
    const double fy = y - fy0;
    return (1.0 - fx) * (1.0 - fy) * At(x0, y0) + fx * (1.0 - fy) * At(x0 + 1, y0) + (1.0 - fx) * fy * At(x0, y0 + 1) +
           fx * fy * At(x0 + 1, y0 + 1);
}

double* TiledImage::Materialise(std::size_t tile) {
    std::unique_ptr<double[]> data(new (std::nothrow) double[kTileSize * kTileSize]);
    if (!data) {
        outOfMemory_ = true;
        return nullptr;
    }
    std::fill(data.get(), data.get() + kTileSize * kTileSize, constants_[tile]);
    written_[tile] = 1;
    data_[tile] = std::move(data);
    return data_[tile].get();
}

}  // namespace edge
