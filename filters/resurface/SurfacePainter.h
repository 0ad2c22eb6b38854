// The per-pixel stage of the Resurface effect: every destination pixel
// sampled from the source where the surface's slope pushes it, shaded by the
// light and boosted.
#pragma once

#include <cstdint>
#include <vector>

#include "filters/resurface/SurfaceShading.h"
#include "image/Image.h"
#include "image/ImageStatistics.h"

namespace resurface {

// What one texel of the repeated texture does to the pixels under it: the
// displacement of the source position and the shading.
struct SurfaceTexel {
    double dx = 0.0;
    double dy = 0.0;
    Shading shading;
};

// One tile of the surface: texel (u, v) at u + v × width.
struct SurfaceTile {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<SurfaceTexel> texels;
};

// Fills the texels of tile rows [firstRow, endRow) of `tile` (sized for
// `heights`) from the slopes of the height field: displacement d × slope,
// shading with slope gain k.
void ComputeTexelRows(const SingleChannelImage<double>& heights, double slopeGain, double displacement,
                      const Light& light, int32_t firstRow, int32_t endRow, SurfaceTile& tile);

// Everything the per-pixel stage reads besides the pixels.
struct SurfacePaint {
    const SurfaceTile* tile = nullptr;
    // The colours in the destination's colour channels, 0 to 255.
    double shadowColour[ColourPixel::kMaxChannels] = {};
    double lightColour[ColourPixel::kMaxChannels] = {};
    double boost = 1.0;  // factor every channel is multiplied by at the end
    // Lab keeps a and b: multiplying them would tint the picture.
    bool boostLightnessOnly = false;
};

// Paints rows [firstRow, endRow) (document rows) of `destination` from
// `source`, which has the destination's layout (at most
// ColourPixel::kMaxChannels channels). The tile repeats from the
// document's origin. Reads only what it is given and writes only those rows,
// so that row ranges may be painted side by side.
void PaintRows(const SurfacePaint& paint, const Image<unsigned char>& source, Image<unsigned char>& destination,
               int32_t firstRow, int32_t endRow);

}  // namespace resurface
