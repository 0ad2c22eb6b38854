#include "filters/borderstamp/BorderStamp.h"

#include <cmath>

#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/borderstamp/BorderStampDistanceTransform.h"
#include "filters/stamp/FullSizeSelection.h"
#include "filters/stamp/StampFit.h"
#include "filters/stamp/StampPlacement.h"

namespace {

// The width a cell is scaled to at `scale`: the tube size, but never twice
// the border width or more.
double TargetWidth(const BorderStampParameters& p, double pixelsPerInch, double scale) {
    const double size = stamp::RenderedPixels(p.tubeSize, pixelsPerInch, scale);
    const double border = stamp::RenderedPixels(p.borderWidth, pixelsPerInch, scale);
    return size >= 2.0 * border ? 2.0 * border : size;
}

}  // namespace

BorderStamp::~BorderStamp() = default;

void BorderStamp::WriteDefaults(ParameterBlock& block) const {
    block.As<BorderStampParameters>() = borderstamp::DefaultParameters();
}

Rect BorderStamp::AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const {
    const BorderStampParameters& p = block.As<BorderStampParameters>();
    if (!(scale > 0.0) || !std::isfinite(scale)) scale = 1.0;
    const Rect out = in.Grown(StampReach(stamp::RenderedPixels(p.borderOffset, pixelsPerInch, scale)));
    if (p.shadowOn == 0) return out;
    return ShadowedRect(out, stamp::ShadowAt(true, p.shadow, pixelsPerInch, scale));
}

ResultCode BorderStamp::BeginRender(RenderContext& /*context*/) {
    pass_.Release();
    return ResultCode::Success();
}

void BorderStamp::EndRender(const ParameterBlock& /*block*/) { pass_.Release(); }

ResultCode BorderStamp::Place(const RenderContext& context, int32_t largestRadius) {
    const BorderStampParameters& p = context.parameters->As<BorderStampParameters>();
    FullSizeSelection full;
    ResultCode result = full.Prepare(context);
    if (result.IsFailure()) return result;
    BorderBandSearch search;
    full.Aim(search, context, 0.4, 0.5);
    search.width = stamp::RenderedPixels(p.borderWidth, pixelsPerInch, 1.0);
    search.offset = stamp::RenderedPixels(p.borderOffset, pixelsPerInch, 1.0);
    search.radius = largestRadius;
    const CentreSearchKey key = full.SearchKey(search.width, search.offset, largestRadius);
    const StampCentres* band = nullptr;
    result = pass_.centres.Recall(
        key, [&](StampCentres& found) { return FindBorderBand(search, found); }, band);
    if (result.IsFailure()) return result;

    return pass_.Place(*band, p.density, full.document, context, 0.5, 0.6);
}

ResultCode BorderStamp::Render(RenderContext& context) {
    if (context.parameters == nullptr || context.outputView == nullptr) return ResultCode::Failure();
    const double scale = context.scale;
    if (!(scale > 0.0) || !std::isfinite(scale)) return ResultCode::Failure();
    const BorderStampParameters& p = context.parameters->As<BorderStampParameters>();
    pass_.Start(p.randomSeed);

    // A tube whose place cannot be worked out leaves the image as it is.
    bool found = false;
    ResultCode result = pass_.ReadTube(p.tubeFile, context, 0.2, found);
    if (result.IsFailure() || !found) return result;

    // Stamps whose centres cannot lie as deep in the selection as their
    // radius and the offset ask are refused before any cell is made.
    const double target = TargetWidth(p, pixelsPerInch, 1.0);
    const double offset = stamp::RenderedPixels(p.borderOffset, pixelsPerInch, 1.0);
    if (!SomePixelThatDeep(FullSizeSelectionBox(context), pass_.LeastLargestRadius(target) + offset))
        return NothingFits(context);

    // The cells at full size give the placement its measures; in a reduced
    // render their shadows are left out, as they change none of them.
    const bool fullSize = scale == 1.0;
    CellMeasures measures;
    result =
        pass_.PrepareCells(context, target, stamp::ShadowAt(p.shadowOn != 0 && fullSize, p.shadow, pixelsPerInch, 1.0),
                           false, 0.2, 0.4, measures);
    if (result.IsFailure()) return result;
    if (!(measures.meanArea > 0.0)) return ResultCode::Success();

    result = Place(context, measures.largestRadius);
    if (result.IsFailure()) return result;
    if (pass_.placements.empty()) return NothingFits(context);

    if (!fullSize) {
        result = pass_.PrepareCells(context, TargetWidth(p, pixelsPerInch, scale),
                                    stamp::ShadowAt(p.shadowOn != 0, p.shadow, pixelsPerInch, scale), false, 0.6, 0.8,
                                    measures);
        if (result.IsFailure()) return result;
    }
    return pass_.Draw(context, StampRecolouring(), fullSize ? 0.6 : 0.8);
}
