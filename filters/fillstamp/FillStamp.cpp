#include "filters/fillstamp/FillStamp.h"

#include <cmath>
#include <cstdint>

#include "filters/ColourConversion.h"
#include "filters/LayerFillParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/TransparencyNote.h"
#include "filters/fillstamp/FillStampDistanceTransform.h"
#include "filters/fillstamp/LayerFill.h"
#include "filters/fillstamp/StampRecolouring.h"
#include "filters/fillstamp/TiledPlacement.h"
#include "filters/stamp/FullSizeSelection.h"
#include "filters/stamp/StampColours.h"
#include "filters/stamp/StampFit.h"
#include "filters/stamp/StampPlacement.h"

namespace {

// Colourized stamps need an RGB source to take their brightness from.
bool RecolourStamps(const FillStampParameters& p, const RenderContext& context) {
    if (p.colorize == 0 || context.inputView == nullptr) return false;
    const ChannelLayout& layout = context.inputView->layout;
    return layout.colourModel == kColourModelRGB && layout.colourChannels == 3;
}

LayerFill LayerFillFor(const FillStampParameters& p, const RenderContext& context) {
    LayerFill fill;
    fill.behaviour = p.layerFill.behaviour;
    fill.destination = context.outputView;
    const ChannelLayout& layout = context.outputView->layout;
    if (layout.colourChannels <= 8) {
        const std::array<uint8_t, 3> rgb = ColourToRGB(p.layerFill.colour);
        DestinationColours(rgb[0], rgb[1], rgb[2], layout, fill.colour);
    }
    fill.selection = CoverageOf(context);
    return fill;
}

}  // namespace

FillStamp::~FillStamp() = default;

void FillStamp::WriteDefaults(ParameterBlock& block) const {
    block.As<FillStampParameters>() = fillstamp::DefaultParameters();
}

Rect FillStamp::AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const {
    const FillStampParameters& p = block.As<FillStampParameters>();
    if (!(scale > 0.0) || !std::isfinite(scale)) scale = 1.0;
    if (p.tileMode != 0) return in;
    const Rect out = in.Grown(StampReach(stamp::RenderedPixels(p.edgeOffset, pixelsPerInch, scale)));
    if (p.shadowOn == 0) return out;
    return ShadowedRect(out, stamp::ShadowAt(true, p.shadow, pixelsPerInch, scale));
}

Rect FillStamp::NeededInputRect(const Rect& area, const ParameterBlock& block, double /*scale*/) const {
    const FillStampParameters& p = block.As<FillStampParameters>();
    if (p.colorize == 0 || p.tileMode != 0) return area;
    // Everything; the render keeps what lies in the document.
    constexpr int32_t kFar = INT32_MAX / 4;
    return Rect(-kFar, -kFar, kFar, kFar);
}

ResultCode FillStamp::BeginRender(RenderContext& /*context*/) {
    pass_.Release();
    return ResultCode::Success();
}

void FillStamp::EndRender(const ParameterBlock& /*block*/) { pass_.Release(); }

ResultCode FillStamp::Place(const RenderContext& context, double meanArea, int32_t largestRadius) {
    const FillStampParameters& p = context.parameters->As<FillStampParameters>();
    FullSizeSelection full;
    ResultCode result = full.Prepare(context);
    if (result.IsFailure()) return result;
    if (p.tileMode != 0) {
        TiledPlacementDraw draw;
        draw.image = full.document;
        draw.meanArea = meanArea;
        draw.density = p.density;
        draw.cells = &pass_.cells;
        draw.generator = &pass_.generator;
        draw.abort = context.abort;
        draw.progress = context.progress;
        draw.progressFrom = 0.2;
        draw.progressTo = 0.5;
        return DrawTiledPlacements(draw, pass_.placements);
    }

    FillCentreSearch search;
    full.Aim(search, context, 0.2, 0.35);
    search.offset = stamp::RenderedPixels(p.edgeOffset, pixelsPerInch, 1.0);
    search.radius = largestRadius;
    const CentreSearchKey key = full.SearchKey(search.offset, 0.0, largestRadius);
    const StampCentres* centres = nullptr;
    result = pass_.centres.Recall(
        key, [&](StampCentres& found) { return FindFillCentres(search, found); }, centres);
    if (result.IsFailure()) return result;

    return pass_.Place(*centres, p.density, full.document, context, 0.35, 0.5);
}

ResultCode FillStamp::Render(RenderContext& context) {
    if (context.parameters == nullptr || context.outputView == nullptr) return ResultCode::Failure();
    const double scale = context.scale;
    if (!(scale > 0.0) || !std::isfinite(scale)) return ResultCode::Failure();
    const FillStampParameters& p = context.parameters->As<FillStampParameters>();
    pass_.Start(p.randomSeed);

    bool found = false;
    ResultCode result = pass_.ReadTube(p.tubeFile, context, 0.1, found);
    if (result.IsFailure() || !found) return result;

    const bool recolour = RecolourStamps(p, context);
    const bool fullSize = scale == 1.0;
    const double size = stamp::RenderedPixels(p.stampSize, pixelsPerInch, 1.0);
    // Inside the selection, stamps whose centres cannot lie as deep as their
    // radius and the offset ask are refused before any cell is made.
    const double offset = stamp::RenderedPixels(p.edgeOffset, pixelsPerInch, 1.0);
    if (p.tileMode == 0 && !SomePixelThatDeep(FullSizeSelectionBox(context), pass_.LeastLargestRadius(size) + offset))
        return NothingFits(context);
    CellMeasures measures;
    result =
        pass_.PrepareCells(context, size, stamp::ShadowAt(p.shadowOn != 0 && fullSize, p.shadow, pixelsPerInch, 1.0),
                           recolour && fullSize, 0.1, 0.2, measures);
    if (result.IsFailure()) return result;
    // A tube without a visible pixel has nothing to stamp.
    if (!(measures.meanArea > 0.0)) return ResultCode::Success();

    result = Place(context, std::trunc(measures.meanArea + 0.5), measures.largestRadius);
    if (result.IsFailure()) return result;
    if (pass_.placements.empty()) return NothingFits(context);

    if (!fullSize) {
        result = pass_.PrepareCells(context, stamp::RenderedPixels(p.stampSize, pixelsPerInch, scale),
                                    stamp::ShadowAt(p.shadowOn != 0, p.shadow, pixelsPerInch, scale), recolour, 0.5,
                                    0.6, measures);
        if (result.IsFailure()) return result;
    }
    if (p.layerFill.behaviour == kLayerFillTransparent)
        SayNothingToMakeTransparent(context, kNothingToMakeTransparentId);
    const double fillFrom = fullSize ? 0.5 : 0.6;
    result =
        FillLayer(LayerFillFor(p, context), context.area, context.abort, context.progress, fillFrom, fillFrom + 0.1);
    if (result.IsFailure()) return result;

    StampRecolouring recolouring;
    if (recolour) {
        StampRecolour colours;
        colours.source = context.inputView;
        if (p.tileMode != 0) colours.wrap = Rect::Intersect(context.inputView->bounds, context.documentBounds);
        recolouring = [colours](const FillStampScaledTubeStamp& cell, const Rect& placed, const Rect& part,
                                std::unique_ptr<Image<unsigned char>>& out) {
            return colours.Recolour(cell, placed, part, out);
        };
    }
    // Stamps placed inside the selection may reach over its edge as the
    // edge offset lets them; tiled ones cover the whole picture and are
    // kept to the selection, as every effect's result is.
    const SelectionCoverage selection = CoverageOf(context);
    return pass_.Draw(context, recolouring, fillFrom + 0.1, p.tileMode != 0 ? &selection : nullptr);
}
