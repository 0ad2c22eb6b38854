// Writes tile libraries (*.ptl, content/TileLibraryFormat.h) for the
// Patchwork effect: every tile the same size, stored as a colour JPEG, with
// a small thumbnail by which the effect matches tiles to the picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imagefiles/RasterImage.h"

struct TileLibraryOptions {
    // Tile size; 0 takes the first picture's size.
    int32_t tileWidth = 0;
    int32_t tileHeight = 0;
    // Thumbnail size; 0 gives kDefaultThumbnailSide pixels on the tile's
    // longer side and the tile's aspect ratio.
    int32_t thumbnailWidth = 0;
    int32_t thumbnailHeight = 0;
};

constexpr int32_t kDefaultThumbnailSide = 8;

// Fills `picture` with the index-th picture; empty on success, else what
// went wrong. Pictures are asked for one at a time, in order, each once.
using TilePictureSource = std::function<std::string(std::size_t index, RasterImage& picture)>;

// Writes `count` pictures (any channel counts) from `source` as the tiles of
// a library at `path`: each is cut to the tile's aspect ratio around its
// centre, scaled to the tile size and composited over white. Replaces any
// file there only once the new one is complete. Empty on success, else one
// line saying what went wrong.
std::string WriteTileLibrary(const std::string& path, std::size_t count, const TilePictureSource& source,
                             const TileLibraryOptions& options);
std::string WriteTileLibrary(const std::string& path, const std::vector<RasterImage>& pictures,
                             const TileLibraryOptions& options);

// The same for every PNG and JPEG file in `folder`, in the order of their names.
std::string WriteTileLibraryFromFolder(const std::string& path, const std::string& folder,
                                       const TileLibraryOptions& options);
