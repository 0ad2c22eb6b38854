#include "filters/resurface/SurfacePainter.h"

#include <algorithm>

#include "filters/resurface/SurfaceTexture.h"
#include "image/Resample.h"

namespace resurface {
namespace {

// The non-negative remainder of value / divisor (divisor > 0).
int32_t Wrapped(int32_t value, int32_t divisor) {
    const int32_t r = value % divisor;
    return r < 0 ? r + divisor : r;
}

unsigned char ClampedByte(double value) { return static_cast<unsigned char>(std::clamp(value, 0.0, 255.0)); }

}  // namespace

void ComputeTexelRows(const SingleChannelImage<double>& heights, double slopeGain, double displacement,
                      const Light& light, int32_t firstRow, int32_t endRow, SurfaceTile& tile) {
    for (int32_t v = firstRow; v < endRow; ++v) {
        SurfaceTexel* texel = &tile.texels[static_cast<std::size_t>(v) * static_cast<std::size_t>(tile.width)];
        for (int32_t u = 0; u < tile.width; ++u, ++texel) {
            const Slope slope = SlopeAt(heights, u, v);
            texel->dx = displacement * slope.x;
            texel->dy = displacement * slope.y;
            texel->shading = ShadingFor(slopeGain, slope.x, slope.y, light);
        }
    }
}

void PaintRows(const SurfacePaint& paint, const Image<unsigned char>& source, Image<unsigned char>& destination,
               int32_t firstRow, int32_t endRow) {
    const SurfaceTile& tile = *paint.tile;
    const ChannelLayout& layout = destination.layout;
    const int32_t colours = layout.colourChannels;
    const int32_t channels = layout.channelCount;
    const int32_t boosted = paint.boostLightnessOnly ? 1 : colours;
    const Rect& bounds = destination.bounds;
    const int32_t firstColumn = Wrapped(bounds.left, tile.width);
    for (int32_t y = firstRow; y < endRow; ++y) {
        const SurfaceTexel* row =
            &tile.texels[static_cast<std::size_t>(Wrapped(y, tile.height)) * static_cast<std::size_t>(tile.width)];
        unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y - bounds.top) * destination.rowStride;
        int32_t u = firstColumn;
        for (int32_t x = bounds.left; x < bounds.right; ++x, out += destination.pixelStride) {
            const SurfaceTexel& texel = row[u];
            if (++u == tile.width) u = 0;

            unsigned char sampled[ColourPixel::kMaxChannels] = {};
            SampleBilinearToEdge(source, x + texel.dx, y + texel.dy, sampled);
            double lit[ColourPixel::kMaxChannels];
            for (int32_t c = 0; c < channels; ++c) lit[c] = sampled[c];
            double* alpha = layout.hasAlpha ? &lit[colours] : nullptr;
            BlendToward(lit, colours, alpha, paint.shadowColour, texel.shading.shadow);
            if (texel.shading.highlight != kNoHighlight)
                BlendToward(lit, colours, alpha, paint.lightColour, texel.shading.highlight);

            for (int32_t c = 0; c < channels; ++c) {
                const unsigned char byte = ClampedByte(lit[c] + 0.5);
                const bool boost = c < boosted || c == colours;
                out[c] = boost ? ClampedByte(byte * paint.boost + 0.5) : byte;
            }
        }
    }
}

}  // namespace resurface
