#include "filters/resurface/SurfacePainter.h"

#include <algorithm>

#include "filters/resurface/SurfaceTexture.h"
#include "image/Resample.h"
#include "image/SampleBilinearLanes.h"
#include "image/VectorClones.h"

namespace resurface {
namespace {

// The non-negative remainder of value / divisor (divisor > 0).
int32_t Wrapped(int32_t value, int32_t divisor) {
    const int32_t r = value % divisor;
    return r < 0 ? r + divisor : r;
}

unsigned char ClampedByte(double value) { return static_cast<unsigned char>(std::clamp(value, 0.0, 255.0)); }

// One pixel sampled, lit and boosted, of `colours` colour channels and
// alpha or not (fixed by kColours and kAlpha for the compiler where not 0).
template <int32_t kColours, bool kAlpha>
[[gnu::always_inline]] inline void PaintPixel(const SurfacePaint& paint, const Shading& shading,
                                              const unsigned char* sampled, int32_t colours, bool hasAlpha,
                                              unsigned char* out) {
    const int32_t channels = colours + (hasAlpha ? 1 : 0);
    const int32_t boosted = paint.boostLightnessOnly ? 1 : colours;
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

// The pixels of one row, from texel `firstColumn` of the tile row on.
// kColours 0 takes the layout from the destination.
template <int32_t kColours, bool kAlpha>
void PaintRow(const SurfacePaint& paint, const SurfaceTexel* row, int32_t firstColumn, const unsigned char* sampled,
              int32_t y, Image<unsigned char>& destination) {
    const ChannelLayout& layout = destination.layout;
    const int32_t colours = kColours > 0 ? kColours : layout.colourChannels;
    const bool hasAlpha = kColours > 0 ? kAlpha : layout.hasAlpha;
    const int32_t channels = colours + (hasAlpha ? 1 : 0);
    const int32_t width = paint.tile->width;
    const Rect& bounds = destination.bounds;
    unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y - bounds.top) * destination.rowStride;
    int32_t u = firstColumn;
    for (int32_t x = bounds.left; x < bounds.right; ++x, out += destination.pixelStride, sampled += channels) {
        PaintPixel<kColours, kAlpha>(paint, row[u].shading, sampled, colours, hasAlpha, out);
        if (++u == width) u = 0;
    }
}

// PaintPixel<kColours, false> for a vector's worth of pixels sampled into
// `values`, in the same operations lane by lane: the channels of the lanes
// as vectors, a highlight blended in every lane and kept where the lane has
// one.
template <typename Vector, int32_t kColours>
[[gnu::always_inline]] inline void PaintOpaqueLanes(const SurfacePaint& paint, const double* shadows,
                                                    const double* highlights, const Vector (&values)[kColours],
                                                    unsigned char* out, std::ptrdiff_t pixelStride) {
    using Ints = typename vectors::IntLanes<Vector>::Type;
    constexpr int32_t kLanes = sizeof(Vector) / sizeof(double);
    const Vector zero = {};
    Vector shadow, highlight;
    vectors::Load(shadow, shadows);
    vectors::Load(highlight, highlights);
    const auto lightened = highlight != kNoHighlight;
    const int32_t boosted = paint.boostLightnessOnly ? 1 : kColours;
    for (int32_t c = 0; c < kColours; ++c) {
        Vector lit = values[c];
        lit = lit + (paint.shadowColour[c] - lit) * shadow / 255.0;
        lit = lightened ? lit + (paint.lightColour[c] - lit) * highlight / 255.0 : lit;
        Vector value = lit + 0.5;
        value = value < zero ? zero : value;
        value = 255.0 < value ? zero + 255.0 : value;
        if (c < boosted) {
            value = __builtin_convertvector(__builtin_convertvector(value, Ints), Vector) * paint.boost + 0.5;
            value = value < zero ? zero : value;
            value = 255.0 < value ? zero + 255.0 : value;
        }
        const Ints bytes = __builtin_convertvector(value, Ints);
        for (int32_t k = 0; k < kLanes; ++k) out[k * pixelStride + c] = static_cast<unsigned char>(bytes[k]);
    }
}

// The pixels of a row without alpha, sampled from `source` (of the same
// layout, not empty) at (xs[i], ys[i]) and shaded by shadows[i] and
// highlights[i]: a vector's worth at a time, the rest one by one.
template <typename Vector, int32_t kColours>
[[gnu::always_inline]] inline void PaintOpaqueRow(const SurfacePaint& paint, const Image<unsigned char>& source,
                                                  const double* xs, const double* ys, const double* shadows,
                                                  const double* highlights, int32_t count, unsigned char* out,
                                                  std::ptrdiff_t pixelStride) {
    constexpr int32_t kLanes = sizeof(Vector) / sizeof(double);
    auto paintOne = [&](int32_t i) {
        unsigned char sampled[kColours] = {};
        SampleBilinearToEdge(source, xs[i], ys[i], sampled);
        PaintPixel<kColours, false>(paint, Shading{shadows[i], highlights[i]}, sampled, kColours, false,
                                    out + i * pixelStride);
    };
    int32_t i = 0;
    for (; i + kLanes <= count; i += kLanes) {
        Vector values[kColours];
        if (SampleOpaqueLanes<Vector, kColours>(source, xs + i, ys + i, values)) {
            PaintOpaqueLanes<Vector, kColours>(paint, shadows + i, highlights + i, values, out + i * pixelStride,
                                               pixelStride);
        } else {
            for (int32_t k = i; k < i + kLanes; ++k) paintOne(k);
        }
    }
    for (; i < count; ++i) paintOne(i);
}

// For 1, 3 or 4 colour channels.
template <typename Vector>
[[gnu::always_inline]] inline void PaintOpaqueRowOf(const SurfacePaint& paint, const Image<unsigned char>& source,
                                                    const double* xs, const double* ys, const double* shadows,
                                                    const double* highlights, int32_t count, unsigned char* out,
                                                    std::ptrdiff_t stride) {
    switch (source.layout.colourChannels) {
        case 1: return PaintOpaqueRow<Vector, 1>(paint, source, xs, ys, shadows, highlights, count, out, stride);
        case 3: return PaintOpaqueRow<Vector, 3>(paint, source, xs, ys, shadows, highlights, count, out, stride);
        default: return PaintOpaqueRow<Vector, 4>(paint, source, xs, ys, shadows, highlights, count, out, stride);
    }
}

// On AVX-512 registers where the processor has them.
DAPPLE_VECTOR_CLONES void PaintOpaqueRowNarrow(const SurfacePaint& paint, const Image<unsigned char>& source,
                                               const double* xs, const double* ys, const double* shadows,
                                               const double* highlights, int32_t count, unsigned char* out,
                                               std::ptrdiff_t stride) {
    PaintOpaqueRowOf<vectors::Double4>(paint, source, xs, ys, shadows, highlights, count, out, stride);
}
DAPPLE_AVX512_ONLY void PaintOpaqueRowWide(const SurfacePaint& paint, const Image<unsigned char>& source,
                                           const double* xs, const double* ys, const double* shadows,
                                           const double* highlights, int32_t count, unsigned char* out,
                                           std::ptrdiff_t stride) {
    PaintOpaqueRowOf<vectors::Double8>(paint, source, xs, ys, shadows, highlights, count, out, stride);
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
    // Layouts without alpha are sampled and painted a vector's worth of
    // pixels at a time.
    const int32_t colours = layout.colourChannels;
    const bool opaque = !layout.hasAlpha && (colours == 1 || colours == 3 || colours == 4) &&
                        !source.bounds.IsEmpty() && source.HasData();
    std::vector<double> xs(width), ys(width);
    std::vector<double> shadows(opaque ? width : 0), highlights(opaque ? width : 0);
    std::vector<unsigned char> sampled(opaque ? 0 : width * static_cast<std::size_t>(layout.channelCount));
    auto paintRow = &PaintRow<0, false>;
    if (colours == 3) paintRow = layout.hasAlpha ? &PaintRow<3, true> : &PaintRow<3, false>;
    if (colours == 1) paintRow = layout.hasAlpha ? &PaintRow<1, true> : &PaintRow<1, false>;
    auto paintOpaqueRow = vectors::HasAvx512() ? &PaintOpaqueRowWide : &PaintOpaqueRowNarrow;
    for (int32_t y = firstRow; y < endRow; ++y) {
        const SurfaceTexel* row =
            &tile.texels[static_cast<std::size_t>(Wrapped(y, tile.height)) * static_cast<std::size_t>(tile.width)];
        int32_t u = firstColumn;
        for (std::size_t i = 0; i < width; ++i) {
            xs[i] = (bounds.left + static_cast<int32_t>(i)) + row[u].dx;
            ys[i] = y + row[u].dy;
            if (opaque) {
                shadows[i] = row[u].shading.shadow;
                highlights[i] = row[u].shading.highlight;
            }
            if (++u == tile.width) u = 0;
        }
        if (opaque) {
            unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y - bounds.top) * destination.rowStride;
            paintOpaqueRow(paint, source, xs.data(), ys.data(), shadows.data(), highlights.data(),
                           static_cast<int32_t>(width), out, destination.pixelStride);
            continue;
        }
        // Where a source with alpha is transparent the colours are not
        // sampled; they start as 0 (painting over them ignores them anyway).
        std::fill(sampled.begin(), sampled.end(), 0);
        SampleBilinearToEdgeRow(source, xs.data(), ys.data(), static_cast<int32_t>(width), sampled.data());
        paintRow(paint, row, firstColumn, sampled.data(), y, destination);
    }
}

}  // namespace resurface
