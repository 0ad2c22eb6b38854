// A real-valued image stored in square tiles, of which only the tiles that
// hold more than one value take memory. The edge amounts and densities of
// the Edges effect are constant (0 deep inside, 1 outside) everywhere but in
// a band along the selection edge; over a whole photograph they would
// otherwise cost eight bytes a pixel, most of it spent writing one value.
//
// Every pixel of the bounds must be written (Set) before it is read (At),
// except where the image is known to hold its initial value: a tile takes
// the first value written into it as its constant and is given memory only
// when a second, different value arrives.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "base/Rect.h"
#include "base/ResultCode.h"

namespace edge {

class TiledImage {
public:
    static constexpr int32_t kTileShift = 6;
    static constexpr int32_t kTileSize = 1 << kTileShift;  // 64 pixels, 32 KB per tile

    TiledImage() = default;
    TiledImage(const TiledImage&) = delete;
    TiledImage& operator=(const TiledImage&) = delete;

    // Every tile constant at `initial`; `outside` is read beyond the bounds.
    // -108 when memory runs out.
    ResultCode Init(const Rect& bounds, double initial, double outside);

    const Rect& Bounds() const { return bounds_; }
    double Outside() const { return outside_; }
    // True once a tile could not be given memory; values written into it since
    // are lost, and the owner must give up with -108.
    bool OutOfMemory() const { return outOfMemory_; }

    double At(int32_t x, int32_t y) const {
        if (!bounds_.Contains(Point{x, y})) return outside_;
        const std::size_t tile = TileIndex(x, y);
        const double* data = data_[tile].get();
        return data != nullptr ? data[OffsetInTile(x, y)] : constants_[tile];
    }

    // Bilinear between the four pixels around (x, y).
    double Bilinear(double x, double y) const;

    // (x, y) must lie inside the bounds.
    void Set(int32_t x, int32_t y, double value) {
        const std::size_t tile = TileIndex(x, y);
        double* data = data_[tile].get();
        if (data != nullptr) {
            data[OffsetInTile(x, y)] = value;
            return;
        }
        if (!written_[tile]) {
            written_[tile] = 1;
            constants_[tile] = value;
            return;
        }
        if (constants_[tile] == value) return;
        data = Materialise(tile);
        if (data != nullptr) data[OffsetInTile(x, y)] = value;
    }

    // Set(x, y, value) for x = left .. right - 1, a tile at a time.
    void SetRun(int32_t y, int32_t left, int32_t right, double value) {
        for (int32_t x = left; x < right;) {
            const int32_t end = std::min(TileEnd(x), right);
            const std::size_t tile = TileIndex(x, y);
            double* data = data_[tile].get();
            if (data == nullptr && !written_[tile]) {
                written_[tile] = 1;
                constants_[tile] = value;
            } else if (data != nullptr || constants_[tile] != value) {
                if (data == nullptr) data = Materialise(tile);
                if (data != nullptr) std::fill(data + OffsetInTile(x, y), data + OffsetInTile(x, y) + (end - x), value);
            }
            x = end;
        }
    }

    // Tiles, for loops that treat a constant tile at once.
    int32_t TileColumns() const { return columns_; }
    int32_t TileRows() const { return rows_; }
    // The part of the bounds tile (column, row) covers.
    Rect TileRect(int32_t column, int32_t row) const;
    // One past the last column of the tile that holds column x of the bounds.
    int32_t TileEnd(int32_t x) const {
        const int32_t end = bounds_.left + ((((x - bounds_.left) >> kTileShift) + 1) << kTileShift);
        return end < bounds_.right ? end : bounds_.right;
    }
    // The tile that holds (x, y), which must lie inside the bounds.
    std::size_t TileIndex(int32_t x, int32_t y) const {
        return static_cast<std::size_t>((y - bounds_.top) >> kTileShift) * static_cast<std::size_t>(columns_) +
               static_cast<std::size_t>((x - bounds_.left) >> kTileShift);
    }
    // The tile's pixels, row after row kTileSize long, or null for a constant tile.
    const double* TileData(std::size_t tile) const { return data_[tile].get(); }
    double TileConstant(std::size_t tile) const { return constants_[tile]; }
    // The tile's pixels, given memory (filled with its constant) when it has
    // none; null when memory runs out.
    double* MutableTileData(std::size_t tile) {
        double* data = data_[tile].get();
        return data != nullptr ? data : Materialise(tile);
    }
    // Makes every pixel of the tile `value` and releases its memory.
    void SetTileConstant(std::size_t tile, double value) {
        data_[tile].reset();
        written_[tile] = 1;
        constants_[tile] = value;
    }
    // Pixel (x, y) within its tile's data.
    std::size_t OffsetInTile(int32_t x, int32_t y) const {
        return static_cast<std::size_t>((y - bounds_.top) & (kTileSize - 1)) * kTileSize +
               static_cast<std::size_t>((x - bounds_.left) & (kTileSize - 1));
    }

private:
    double* Materialise(std::size_t tile);

    Rect bounds_;
    double outside_ = 0.0;
    int32_t columns_ = 0;
    int32_t rows_ = 0;
    std::unique_ptr<std::unique_ptr<double[]>[]> data_;
    std::unique_ptr<double[]> constants_;
    std::unique_ptr<uint8_t[]> written_;
    bool outOfMemory_ = false;
};

}  // namespace edge
