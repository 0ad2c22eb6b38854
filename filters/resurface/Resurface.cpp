#include "filters/resurface/Resurface.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "content/ContentFolders.h"
#include "filters/ColourConversion.h"
#include "filters/FilterParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/resurface/SurfacePainter.h"
#include "filters/resurface/SurfaceShading.h"
#include "filters/resurface/SurfaceTexture.h"
#include "image/Parallel.h"

namespace {

using namespace resurface;

// A value from the record that is not a finite number counts as 0.
double Finite(double value) { return std::isfinite(value) ? value : 0.0; }

// The light as the lighting parameter keeps it legal, so that a record
// that never went through it cannot make the shading undefined.
LightingValue LegalLight(LightingValue light) {
    light.brightness = ClampToRange(light.brightness, 0.0, 100.0);
    light.sharpness = ClampToRange(light.sharpness, 0.0, 100.0);
    light.direction = ClampToRange(light.direction, 0.0, 360.0);
    light.elevation = ClampToRange(light.elevation, 0.0, 90.0);
    return light;
}

void PutColour(const ColorSpec& colour, const ChannelLayout& layout, double* out) {
    const PixelSamples samples = ColourSamples(colour, layout);
    for (int32_t c = 0; c < layout.colourChannels; ++c) out[c] = samples[static_cast<std::size_t>(c)];
}

// Rows in chunks on the worker threads; abort and progress between chunks.
ResultCode PaintAll(const SurfacePaint& paint, const RenderContext& context, double from, double to) {
    return ParallelRows(
        context.outputView->bounds,
        [&](int32_t first, int32_t end) { PaintRows(paint, *context.inputView, *context.outputView, first, end); },
        context.abort, context.progress, from, to);
}

}  // namespace

void Resurface::WriteDefaults(ParameterBlock& block) const {
    block.As<ResurfaceParameters>() = resurface::DefaultParameters();
}

Rect Resurface::NeededInputRect(const Rect& area, const ParameterBlock& block, double /*scale*/) const {
    // Slopes are at most 1/2, displacements at most distortion × 0.5 × 1/2.
    const double distortion = std::clamp(Finite(block.As<ResurfaceParameters>().distortion), 0.0, 1e6);
    const int32_t reach = static_cast<int32_t>(std::ceil(distortion * 0.25)) + 1;
    Rect needed = area;
    needed.Inflate(reach, reach);
    return needed;
}

ResultCode Resurface::Render(RenderContext& context) {
    if (context.parameters == nullptr || context.inputView == nullptr || context.outputView == nullptr)
        return ResultCode::Failure();
    const double zoom = context.scale;
    if (!(zoom > 0.0) || !std::isfinite(zoom)) return ResultCode::Failure();
    const ChannelLayout& layout = context.outputView->layout;
    if (layout.channelCount > ColourPixel::kMaxChannels || context.inputView->layout != layout)
        return ResultCode::Failure();
    const ResurfaceParameters& p = context.parameters->As<ResurfaceParameters>();

    std::string path;
    ResultCode result = resolve(p.texture, path);
    if (result.IsFailure()) return result;

    try {
        SingleChannelImage<double> heights;
        const double renderedWidth = Finite(p.width.In(kLengthPixels, pixelsPerInch)) / zoom;
        result = LoadHeightField(path, renderedWidth, context.progress, heights);
        if (result.IsFailure()) return result;

        const double slopeGain = (Finite(p.height) * 0.01 * 2.9 + 0.1) / zoom;
        const double displacement = Finite(p.distortion) * 0.5 / zoom;
        SurfaceTile tile;
        tile.width = heights.Width();
        tile.height = heights.Height();
        tile.texels.resize(static_cast<std::size_t>(tile.width) * static_cast<std::size_t>(tile.height));
        ComputeTexelRows(heights, slopeGain, displacement, LightFrom(LegalLight(p.light)), 0, tile.height, tile);
        heights = SingleChannelImage<double>();

        SurfacePaint paint;
        paint.tile = &tile;
        PutColour(p.shadowColour, layout, paint.shadowColour);
        PutColour(p.light.colour, layout, paint.lightColour);
        paint.boost = Finite(p.boost) * 0.005 + 1.0;
        paint.boostLightnessOnly = layout.colourModel == kColourModelLab;
        return PaintAll(paint, context, 0.3, 1.0);
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
}
