// The texture of the Resurface effect as a height field: loaded from a
// grey-scale JPEG, scaled to the width the surface is to have on the
// rendered image, and repeated over it.
#pragma once

#include <cstdint>
#include <string>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "image/Image.h"

namespace resurface {

struct TextureSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The texture's size for a surface `renderedWidth` rendered pixels wide:
// s = renderedWidth / texture width, each side trunc(side × s + 0.5) and at
// least 2 (capped at kLargestTextureSide; not a number gives 2).
TextureSize ScaledTextureSize(int32_t textureWidth, int32_t textureHeight, double renderedWidth);

inline constexpr int32_t kLargestTextureSide = 1 << 20;

// Loads the texture at `path` (progress 0 to 0.1 of the render), scales it
// (0.1 to 0.2) and turns it into heights = value / 255 (0.2 to 0.3). A file
// that cannot be opened is {-1, 10032}; one that is damaged, or not a
// one-channel grey picture, {-1, 10033}; out of memory -108. Quick enough
// not to ask for abort.
ResultCode LoadHeightField(const std::string& path, double renderedWidth, ProgressUpdateSink* progress,
                           SingleChannelImage<double>& heights);

// The slope of the repeated height field at texel (u, v): half the
// difference of the right and left neighbours, and of the lower and upper
// ones, neighbours taken round the tile's edges.
struct Slope {
    double x = 0.0;
    double y = 0.0;
};
Slope SlopeAt(const SingleChannelImage<double>& heights, int32_t u, int32_t v);

}  // namespace resurface
