// Pictures of the default content for people to look at: each tube's cells
// over a checkerboard and at stamp size, each frame put together around a
// picture, the tile library as a grid, and each texture tiled and lit.
#pragma once

#include <string>
#include <vector>

#include "imagefiles/RasterImage.h"

#include "tools/contentpack/Picture.h"
#include "tools/contentpack/TubeSheet.h"

#include "tools/contentpack/FrameSheet.h"

// `picture` over a grey checkerboard of `square`-pixel squares, opaque.
Picture OverCheckerboard(const Picture& picture, int32_t square);

// A tube's sheet over a checkerboard, and below it every cell scaled down to
// `stampSize` pixels over a light and a dark ground.
Picture TubeContactSheet(const TubePicture& tube, int32_t stampSize);
// The frame put together as the Frame effect does, at the picture's own
// size: the corners, and each side cell repeated `repeats` times along its
// side, around a plain picture.
Picture AssembledFrame(const FramePicture& frame, int32_t repeats);

#include "tools/contentpack/Relief.h"
#include "tools/contentpack/Textures.h"

// A texture laid 2 × 2 (at half size) beside a relief lit as the Resurface
// effect lights it, so seams and the surface's character both show.
Picture TextureContactSheet(const HeightField& texture);

// The tiles in a grid, `side` pixels each.
Picture TileContactSheet(const std::vector<RasterImage>& tiles, int32_t side);

// `picture` beside the mosaic made of it by matching its cells of `cell`
// pixels against the tiles' thumbnails (`side` × `side` pixels, red, green
// and blue bytes), as the Patchwork effect matches them.
Picture MosaicPreview(const Picture& picture, const std::vector<RasterImage>& tiles,
                      const std::vector<std::vector<unsigned char>>& thumbnails, int32_t side, int32_t cell);
