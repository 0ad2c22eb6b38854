// Writes picture tubes (*.tub) and frame files (*.rfr): one picture cut into
// columns × rows cells, stored as a Paint Shop Pro file of major version 5
// (Paint Shop Pro 7, with a JPEG thumbnail as its preview composite) or 3
// (Paint Shop Pro 5, no composite). The picture becomes one raster layer
// with red, green, blue and transparency channels, compressed with zlib.
#pragma once

#include <cstdint>
#include <string>

#include "imagefiles/RasterImage.h"

struct PictureTubeOptions {
    int32_t columns = 1;
    int32_t rows = 1;
    uint16_t majorVersion = 5;  // 3 or 5
};

// The preview composite is the picture scaled to fit this square, never enlarged.
constexpr int32_t kTubeThumbnailSize = 150;

// Writes `picture` (any channel count) to `path`, replacing any file there
// only once the new one is complete. Empty on success, else one line saying
// what went wrong.
std::string WritePictureTube(const std::string& path, const RasterImage& picture, const PictureTubeOptions& options);

// The thumbnail a version 5 file carries of `rgba`: fitted into
// kTubeThumbnailSize pixels square, keeping its aspect ratio.
RasterImage TubeThumbnail(const RasterImage& rgba);
