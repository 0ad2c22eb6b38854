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

// The pixels of one row, sampled, lit and boosted. kColours and kAlpha fix
// the layout for the compiler; kColours 0 takes it from the destination.
template <int32_t kColours, bool kAlpha>
void PaintRow(const SurfacePaint& paint, const SurfaceTexel* row, int32_t firstColumn, const unsigned char* sampled,
              int32_t y, Image<unsigned char>& destination) {
    const ChannelLayout& layout = destination.layout;
    const int32_t colours = kColours > 0 ? kColours : layout.colourChannels;
    const bool hasAlpha = kColours > 0 ? kAlpha : layout.hasAlpha;
    const int32_t channels = colours + (hasAlpha ? 1 : 0);
    const int32_t boosted = paint.boostLightnessOnly ? 1 : colours;
    const int32_t width = paint.tile->width;
    const Rect& bounds = destination.bounds;
    unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y - bounds.top) * destination.rowStride;
    int32_t u = firstColumn;
    for (int32_t x = bounds.left; x < bounds.right; ++x, out += destination.pixelStride, sampled += channels) {
        const Shading& shading = row[u].shading;
        if (++u == width) u = 0;
        double lit[ColourPixel::kMaxChannels];
        for (int32_t c = 0; c < channels; ++c) lit[c] = sampled[c];
        double* alpha = hasAlpha ? &lit[colours] : nullptr;
        BlendToward(lit, colours, alpha, paint.shadowColour, shading.shadow);
        if (shading.highlight != kNoHighlight) BlendToward(lit, colours, alpha, paint.lightColour, shading.highlight);
        for (int32_t c = 0; c < channels; ++c) {
            const unsigned char byte = ClampedByte(lit[c] + 0.5);
            const bool boost = c < boosted || c == colours;
            out[c] = boost ? ClampedByte(byte * paint.boost + 0.5) : byte;
        }
    }
}

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
    const Rect& bounds = destination.bounds;
    const int32_t firstColumn = Wrapped(bounds.left, tile.width);
    const std::size_t width = static_cast<std::size_t>(bounds.Width());
    std::vector<double> xs(width), ys(width);
    std::vector<unsigned char> sampled(width * static_cast<std::size_t>(layout.channelCount));
    auto paintRow = &PaintRow<0, false>;
    if (layout.colourChannels == 3) paintRow = layout.hasAlpha ? &PaintRow<3, true> : &PaintRow<3, false>;
    if (layout.colourChannels == 1) paintRow = layout.hasAlpha ? &PaintRow<1, true> : &PaintRow<1, false>;
    for (int32_t y = firstRow; y < endRow; ++y) {
        const SurfaceTexel* row =
            &tile.texels[static_cast<std::size_t>(Wrapped(y, tile.height)) * static_cast<std::size_t>(tile.width)];
        int32_t u = firstColumn;
        for (std::size_t i = 0; i < width; ++i) {
            xs[i] = (bounds.left + static_cast<int32_t>(i)) + row[u].dx;
            ys[i] = y + row[u].dy;
            if (++u == tile.width) u = 0;
        }
        // Where a source with alpha is transparent the colours are not
        // sampled; they start as 0 (painting over them ignores them anyway).
        std::fill(sampled.begin(), sampled.end(), 0);
        SampleBilinearToEdgeRow(source, xs.data(), ys.data(), static_cast<int32_t>(width), sampled.data());
        paintRow(paint, row, firstColumn, sampled.data(), y, destination);
    }
}

}  // namespace resurface
