#include "filters/edge/Edge.h"

#include <algorithm>
#include <cmath>

#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/RenderSelection.h"
#include "filters/TransparencyNote.h"
#include "filters/edge/EdgeCompose.h"
#include "filters/edge/EdgeTreatments.h"

namespace {

// Lengths beyond this many pixels mean nothing on any image and would only
// overflow the march.
constexpr double kLongestLength = 1e8;

// A length in rendered pixels: pixels at the document's resolution divided by
// the reduction factor; anything that is not a non-negative number is 0.
double RenderedLength(const LengthValue& length, double pixelsPerInch, double reductionFactor) {
    const double pixels = length.In(kLengthPixels, pixelsPerInch) / reductionFactor;
    if (!(pixels >= 0.0)) return 0.0;
    return std::min(pixels, kLongestLength);
}

}  // namespace

Edge::~Edge() = default;

void Edge::WriteDefaults(ParameterBlock& block) const { block.As<EdgeParameters>() = edge::DefaultParameters(); }

Rect Edge::NeededInputRect(const Rect& area, const ParameterBlock& /*block*/, double /*scale*/) const { return area; }

ResultCode Edge::BeginRender(RenderContext& context) {
    if (context.parameters == nullptr) return ResultCode::Failure();
    const EdgeParameters& p = context.parameters->As<EdgeParameters>();
    generator_.Seed(p.randomSeed);
    const RandomGenerator::RealPoint r = generator_.NextRealPoint(2.0, 2.0);
    offsetX_ = r.x - 1.0;
    offsetY_ = r.y - 1.0;
    return ResultCode::Success();
}

ResultCode Edge::Render(RenderContext& context) {
    if (context.parameters == nullptr || context.outputView == nullptr) return ResultCode::Failure();
    const double reduction = context.scale;
    if (!(reduction > 0.0) || !std::isfinite(reduction)) return ResultCode::Failure();
    const EdgeParameters& p = context.parameters->As<EdgeParameters>();
    NeverAborts neverAborts;
    Abort_Tester& abort = context.abort != nullptr ? *context.abort : neverAborts;

    // Without a mask everything in the mask's bounds (the area when there are
    // none) is selected.
    RenderSelection selection;
    ResultCode result =
        selection.Prepare(context.maskView, context.maskBounds.IsEmpty() ? context.area : context.maskBounds);
    if (result.IsFailure()) return result;
    edge::TiledImage amount;
    result = amount.Init(selection.Mask().bounds, 0.0, 0.0);
    if (result.IsFailure()) return result;

    edge::TreatmentRequest request;
    request.mask = &selection.Mask();
    request.amount = &amount;
    request.area = context.area;
    request.border = RenderedLength(p.border, pixelsPerInch, reduction);
    request.width = RenderedLength(p.width, pixelsPerInch, reduction);
    request.scale = std::clamp(std::isfinite(p.scale) ? p.scale : 1.0, 1.0, 100.0);
    request.direction = std::isfinite(p.direction) ? p.direction : 0.0;
    request.seed = p.randomSeed;
    request.reductionFactor = reduction;
    request.offsetX = offsetX_;
    request.offsetY = offsetY_;
    request.abort = &abort;
    request.progress = context.progress;
    request.progressStart = 0.0;
    request.progressEnd = 0.9;

    switch (p.edgeType) {
        case kEdgeDistressNoise: result = edge::FillDistress(request, false); break;
        case kEdgeDistressFBM: result = edge::FillDistress(request, true); break;
        case kEdgeHalftoneDots: result = edge::FillHalftoneDots(request); break;
        case kEdgeHalftoneLines: result = edge::FillHalftoneLines(request); break;
        case kEdgePixelizer: result = edge::FillPixelizer(request); break;
        case kEdgeTornPaper: result = edge::FillTornPaper(request); break;
        default: edge::FillUniformRandom(amount, generator_, context.progress, 0.0, 0.75); break;
    }
    if (result.IsSuccess() && amount.OutOfMemory()) result = ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;

    edge::ComposeRequest compose;
    compose.amount = &amount;
    compose.destination = context.outputView;
    compose.area = context.area;
    compose.transparentTicked = p.transparent != 0;
    if (p.transparent != 0) SayNothingToMakeTransparent(context, edge::kNothingToMakeTransparentId);
    compose.colour = p.colour;
    compose.abort = &abort;
    compose.progress = context.progress;
    compose.progressStart = 0.9;
    compose.progressEnd = 1.0;
    return edge::ComposeEdge(compose);
}

void Edge::EndRender(const ParameterBlock& /*block*/) {}
