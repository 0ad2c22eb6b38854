#include "host/FullSizeRender.h"

#include <algorithm>
#include <memory>

#include "filters/Filter.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "host/HostCalls.h"
#include "host/HostRequests.h"
#include "host/ImageFacts.h"
#include "host/PhotoshopAbortTester.h"
#include "host/PhotoshopProgressUpdateSink.h"
#include "host/RunRecord.h"
#include "image/Image.h"
#include "image/MaskBlend.h"
#include "image/RowImage.h"
#include "image/Tiling.h"

namespace {

struct RenderSetup {
    Rect document;
    Rect area;
    int32_t planes = 0;
    int32_t colourPlanes = 0;
    bool outputHasAlpha = false;
    Tiling pieces;  // size 0: the area is one piece
};

RenderSetup PlanRender(const ps::FilterRecord& record, const Filter& filter, const RunRecord& run,
                       const ParameterBlock& block) {
    RenderSetup setup;
    setup.document = DocumentBounds(record);
    const RowImage* mask = run.selectionMask.get();
    const Rect source = mask != nullptr ? mask->Bounds() : FilterRect(record);
    setup.area = Rect::Intersect(filter.AffectedRect(source, block, 1.0), setup.document);
    setup.planes = OutputPlanes(record);
    setup.outputHasAlpha = OutputHasTransparency(record);
    setup.colourPlanes = setup.planes - (setup.outputHasAlpha ? 1 : 0);
    setup.pieces =
        Tiling{setup.area, filter.RendersInOnePiece() ? 0 : std::max(filter.TileSize(), 0), TileOrder::BottomUp};
    return setup;
}

// Wraps the host's interleaved rows delivered for `rect`.
ResultCode WrapHostRows(const Rect& rect, int32_t planes, void* data, int32_t rowBytes, RowImage& rows) {
    if (rect.IsEmpty()) return rows.Allocate(rect, planes, 1);
    if (data == nullptr || rowBytes < rect.Width() * planes) return ResultCode::Failure();
    return rows.WrapRows(rect, planes, 1, static_cast<unsigned char*>(data), rowBytes);
}

void ApplyMask(const RenderSetup& setup, const Filter& filter, const RunRecord& run, const RowImage& input,
               const RowImage& output, const Rect& piece) {
    if (!filter.CoreAppliesMask()) return;
    if (run.shapeFromTransparency) {
        if (setup.outputHasAlpha) MultiplyPieceAlpha(input, output, piece, setup.planes - 1);
        return;
    }
    if (run.selectionMask)
        BlendPiece(input, output, *run.selectionMask, piece, setup.colourPlanes, setup.outputHasAlpha);
}

// Requests, renders and masks one piece.
ResultCode RenderOnePiece(ps::FilterRecord& record, Filter& filter, const RunRecord& run, const RenderSetup& setup,
                          RenderContext& context, const Rect& piece) {
    const Rect inputArea = Rect::Intersect(filter.NeededInputRect(piece, *context.parameters, 1.0), setup.document);
    record.outRect = RectToHost(piece);
    record.inRect = RectToHost(inputArea);
    const ps::OSErr error = HostAdvanceState();
    if (error != ps::noErr) return ResultCode(error);

    RowImage input;
    RowImage output;
    ResultCode wrapped = WrapHostRows(inputArea, setup.planes, record.inData, record.inRowBytes, input);
    if (wrapped.IsSuccess()) wrapped = WrapHostRows(piece, setup.planes, record.outData, record.outRowBytes, output);
    if (wrapped.IsFailure()) return wrapped;

    const Image<unsigned char> inputView(input, record.imageMode, setup.colourPlanes);
    Image<unsigned char> outputView(output, record.imageMode, setup.colourPlanes);
    context.area = piece;
    context.input = &input;
    context.output = &output;
    context.inputView = &inputView;
    context.outputView = &outputView;
    const ResultCode rendered = filter.Render(context);
    if (rendered.IsSuccess()) ApplyMask(setup, filter, run, input, output, piece);
    context.input = nullptr;
    context.output = nullptr;
    context.inputView = nullptr;
    context.outputView = nullptr;
    return rendered;
}

void FillContext(const ps::FilterRecord& record, const RunRecord& run, const RenderSetup& setup, ParameterBlock& block,
                 RenderContext& context) {
    context.documentBounds = setup.document;
    context.area = setup.area;
    context.maskBounds = run.selectionMask ? run.selectionMask->Bounds() : FilterRect(record);
    context.fullSizeDocumentBounds = context.documentBounds;
    context.fullSizeMaskBounds = context.maskBounds;
    context.parameters = &block;
    context.renderMode = kRenderModeFullSize;
    context.outputHasAlpha = setup.outputHasAlpha;
    context.scale = 1.0;
    context.imageMode = record.imageMode;
    context.shapeFromTransparency = run.shapeFromTransparency != 0;
    context.foreground = record.foreground;
    context.background = record.background;
}

}  // namespace

ResultCode RenderFullSize(ps::FilterRecord& record, Filter& filter, const RunRecord& run, ParameterBlock& block) {
    RequestsClearedOnExit clearOnExit(record);
    Photoshop_Abort_Tester abort(record.abortProc);
    const RenderSetup setup = PlanRender(record, filter, run, block);
    const int32_t pieceCount = setup.pieces.Count();
    if (pieceCount == 0 || setup.planes <= 0) return ResultCode::Success();

    record.inLoPlane = 0;
    record.inHiPlane = static_cast<int16_t>(setup.planes - 1);
    record.outLoPlane = 0;
    record.outHiPlane = static_cast<int16_t>(setup.planes - 1);
    record.inputRate = ps::kFixedOne;

    PhotoshopProgressUpdateSink progress(&record, pieceCount);
    std::unique_ptr<SingleChannelImage<unsigned char>> maskView;
    if (run.selectionMask && run.selectionMask->HasRows()) {
        maskView = std::make_unique<SingleChannelImage<unsigned char>>(*run.selectionMask);
    }
    RenderContext context;
    FillContext(record, run, setup, block, context);
    context.progress = &progress;
    context.abort = &abort;
    context.maskView = maskView.get();
    context.fullSizeMask = maskView.get();

    ResultCode result = filter.BeginRender(context);
    if (result.IsFailure()) return result;
    for (int32_t i = 0; i < pieceCount && result.IsSuccess(); ++i) {
        if (abort.IsAborted()) {
            result = ResultCode::Cancelled();
            break;
        }
        progress.Update(0.0);
        result = RenderOnePiece(record, filter, run, setup, context, setup.pieces.Tile(i));
        if (result.IsSuccess()) progress.Update(1.0);
        progress.NextPiece();
    }
    filter.EndRender(block);
    return result;
}
