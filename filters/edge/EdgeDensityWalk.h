// The pattern stage of the screen treatments: a walk over the density image,
// tile by tile, within the area the render produces. Most tiles of a large
// selection hold one density (outside or deep inside the band) and can be
// settled at once instead of pixel by pixel.
#pragma once

#include <cstddef>
#include <cstdint>

#include "filters/edge/EdgeTiles.h"
#include "filters/edge/EdgeTreatments.h"

namespace edge {

// Visits `density` over the request's area and reports progress from `from`
// to the end of the request's range, once per row of tiles. For a tile that
// holds one density t throughout, `constantTile(tile, whole, t)` is asked
// first (`whole`: the area covers all of the tile) and may settle the tile's
// part of the area at once by answering true; every pixel of the other tiles
// goes to `pixel(x, y, t)`.
template <typename ConstantTile, typename Pixel>
void WalkDensity(const TreatmentRequest& request, const TiledImage& density, double from, ConstantTile&& constantTile,
                 Pixel&& pixel) {
    for (int32_t row = 0; row < density.TileRows(); ++row) {
        request.Report(from + static_cast<double>(row) / density.TileRows() * (request.progressEnd - from));
        for (int32_t column = 0; column < density.TileColumns(); ++column) {
            const Rect whole = density.TileRect(column, row);
            const Rect part = Rect::Intersect(whole, request.area);
            if (part.IsEmpty()) continue;
            const std::size_t tile = density.TileIndex(part.left, part.top);
            const double* data = density.TileData(tile);
            if (data == nullptr && constantTile(tile, part == whole, density.TileConstant(tile))) continue;
            for (int32_t y = part.top; y < part.bottom; ++y) {
                for (int32_t x = part.left; x < part.right; ++x) {
                    pixel(x, y, data != nullptr ? data[density.OffsetInTile(x, y)] : density.TileConstant(tile));
                }
            }
        }
    }
    request.Report(request.progressEnd);
}

}  // namespace edge
