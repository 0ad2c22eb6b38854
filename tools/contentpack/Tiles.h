// The default tile library's tiles: a few hundred small pictures whose
// colours fill the colour cube evenly (the muted middle of it twice as densely), each with a texture of its own
// (marble, granite, wood, weave, brushed metal, crackle, pebbles, glass),
// cut like tesserae with a slight bevel.
#pragma once

#include <cstdint>
#include <vector>

#include "imagefiles/RasterImage.h"

// The side of every tile, in pixels, and of its thumbnail.
constexpr int32_t kTileSize = 64;
constexpr int32_t kTileThumbnailSize = 3;

// The tiles, red, green and blue, in library order.
std::vector<RasterImage> DrawTiles();
