#include "dialog/PreviewRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dialog/PreviewReduction.h"
#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "image/MaskBlend.h"

namespace {

// Views `rows` of `from` over `rect` without copying.
ResultCode WrapPart(const RowImage& from, const Rect& rect, RowImage& part) {
    return part.WrapRows(rect, from.SamplesPerPixel(), 1, from.PixelAddress(rect.left, rect.top), from.RowDistance());
}

}  // namespace

int32_t PreviewRenderer::ReductionFactor(double scale) {
    if (!(scale >= 1.0)) return 1;
    if (scale >= 2147483647.0) return 2147483647;
    return static_cast<int32_t>(scale);
}

Image<unsigned char> PreviewRenderer::PreviewImage() const {
    const ChannelLayout layout = document_.image != nullptr ? document_.image->layout : ChannelLayout();
    if (!preview_.HasRows()) {
        Image<unsigned char> empty(layout);
        empty.bounds = preview_.Bounds();
        return empty;
    }
    return Image<unsigned char>(preview_, layout);
}

ResultCode PreviewRenderer::PrepareReducedSource(int32_t factor, Abort_Tester& abort) {
    if (factor_ == factor) return ResultCode::Success();
    factor_ = 0;
    ResultCode result = ReduceImage(*document_.image, factor, &abort, reducedImage_);
    if (result.IsFailure()) return result;
    hasMask_ = document_.mask != nullptr;
    if (hasMask_) result = ReduceImage(*document_.mask, factor, &abort, reducedMask_);
    if (result.IsFailure()) return result;
    factor_ = factor;
    return ResultCode::Success();
}

ResultCode PreviewRenderer::CopyShownSource(const Rect& shown, Abort_Tester& abort) {
    const ResultCode allocated = preview_.Allocate(shown, reducedImage_.SamplesPerPixel(), 1);
    if (allocated.IsFailure() || shown.IsEmpty()) return allocated;
    const std::size_t rowBytes = static_cast<std::size_t>(shown.Width()) * reducedImage_.SamplesPerPixel();
    for (int32_t y = shown.top; y < shown.bottom; ++y) {
        if (abort.IsAborted()) return ResultCode::Cancelled();
        std::memcpy(preview_.Row(y), reducedImage_.PixelAddress(shown.left, y), rowBytes);
    }
    return ResultCode::Success();
}

void PreviewRenderer::FillContext(const Rect& area, ParameterBlock& block, double factor,
                                  RenderContext& context) const {
    context.documentBounds = reducedImage_.Bounds();
    context.area = area;
    context.maskBounds = hasMask_ ? reducedMask_.Bounds() : reducedImage_.Bounds();
    context.fullSizeDocumentBounds = document_.image->bounds;
    context.fullSizeMaskBounds = document_.mask != nullptr ? document_.mask->bounds : document_.image->bounds;
    context.fullSizeMask = document_.mask;
    context.parameters = &block;
    context.renderMode = kRenderModePreview;
    context.outputHasAlpha = document_.image->layout.hasAlpha;
    context.scale = factor;
    context.imageMode = document_.imageMode;
    context.shapeFromTransparency = document_.shapeFromTransparency;
    context.foreground = document_.foreground;
    context.background = document_.background;
}

ResultCode PreviewRenderer::BlendWithSelection(const Filter& filter, const Rect& area, Abort_Tester& abort) {
    if (!filter.CoreAppliesMask()) return ResultCode::Success();
    const ChannelLayout& layout = document_.image->layout;
    if (document_.shapeFromTransparency && !layout.hasAlpha) return ResultCode::Success();
    if (!document_.shapeFromTransparency && !hasMask_) return ResultCode::Success();
    for (int32_t y = area.top; y < area.bottom; ++y) {
        if (abort.IsAborted()) return ResultCode::Cancelled();
        const Rect row(y, area.left, y + 1, area.right);
        if (document_.shapeFromTransparency) {
            MultiplyPieceAlpha(reducedImage_, preview_, row, layout.colourChannels);
        } else {
            BlendPiece(reducedImage_, preview_, reducedMask_, row, layout.colourChannels, layout.hasAlpha);
        }
    }
    return ResultCode::Success();
}

ResultCode PreviewRenderer::Render(Filter& filter, ParameterBlock& block, double scale, const Rect& region,
                                   Abort_Tester& abort, ProgressUpdateSink* progress) {
    if (document_.image == nullptr || !document_.image->HasData()) return ResultCode::Failure();
    const int32_t factor = ReductionFactor(scale);
    ResultCode result = PrepareReducedSource(factor, abort);
    if (result.IsFailure()) return result;

    const Rect document = reducedImage_.Bounds();
    const Rect shown = region.IsEmpty() ? document : Rect::Intersect(region, document);
    result = CopyShownSource(shown, abort);
    if (result.IsFailure()) return result;

    const Rect maskBounds = hasMask_ ? reducedMask_.Bounds() : document;
    const Rect area = Rect::Intersect(Rect::Intersect(filter.AffectedRect(maskBounds, block, factor), document), shown);
    if (area.IsEmpty()) return ResultCode::Success();
    // The input the effect reads around the area it produces.
    const Rect reach =
        Rect::Union(filter.AffectedRect(area, block, factor), filter.NeededInputRect(area, block, factor));
    const Rect inputArea = Rect::Intersect(Rect::Union(reach, area), document);

    RowImage input;
    RowImage output;
    result = WrapPart(reducedImage_, inputArea, input);
    if (result.IsSuccess()) result = WrapPart(preview_, area, output);
    if (result.IsFailure()) return result;
    const ChannelLayout& layout = document_.image->layout;
    const Image<unsigned char> inputView(input, layout);
    Image<unsigned char> outputView(output, layout);
    SingleChannelImage<unsigned char> maskView;
    if (hasMask_ && reducedMask_.HasRows()) maskView = SingleChannelImage<unsigned char>(reducedMask_);

    RenderContext context;
    FillContext(area, block, factor, context);
    context.input = &input;
    context.output = &output;
    context.inputView = &inputView;
    context.outputView = &outputView;
    context.maskView = hasMask_ && reducedMask_.HasRows() ? &maskView : nullptr;
    context.progress = progress;
    context.abort = &abort;

    result = filter.BeginRender(context);
    if (result.IsFailure()) return result;
    result = filter.Render(context);
    filter.EndRender(block);
    if (result.IsFailure()) return result;
    return BlendWithSelection(filter, area, abort);
}
