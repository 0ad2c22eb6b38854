#include "filters/frame/Frame.h"

#include <cmath>
#include <new>

#include "content/ContentFolders.h"
#include "content/ContentMessages.h"
#include "content/TubeCellGrid.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/stamp/ContentPicture.h"
#include "filters/stamp/StampColours.h"
#include "filters/stamp/StampCompositing.h"
#include "image/Resample.h"

namespace {

void Report(ProgressUpdateSink* progress, double value) {
    if (progress != nullptr) progress->Update(value);
}

bool Aborted(Abort_Tester* abort) { return abort != nullptr && abort->IsAborted(); }

}  // namespace

Frame::~Frame() = default;

void Frame::WriteDefaults(ParameterBlock& block) const { block.As<FrameParameters>() = frame::DefaultParameters(); }

Rect Frame::AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const {
    if (!(scale > 0.0) || !std::isfinite(scale)) scale = 1.0;
    const double offset = stamp::RenderedPixels(block.As<FrameParameters>().edgeOffset, pixelsPerInch, scale);
    const int32_t e = static_cast<int32_t>(offset + 0.5);
    const int32_t grow = 20 - std::min(0, e);
    Rect out = in;
    out.Inflate(grow, grow);
    return out;
}

void Frame::ReleasePieces() {
    for (auto& piece : pieces_) piece.reset();
}

ResultCode Frame::BeginRender(RenderContext& /*context*/) {
    ReleasePieces();
    stale_ = true;
    return ResultCode::Success();
}

void Frame::EndRender(const ParameterBlock& /*block*/) { ReleasePieces(); }

ResultCode Frame::MakePieces(RenderContext& context, Image<unsigned char>& picture) {
    const ChannelLayout rgba(kColourModelRGB, 3, true);
    const TubeCellGrid grid(3, 3, picture.Width(), picture.Height());
    const Rect pieceRect(0, 0, layout_.pieceHeight, layout_.pieceWidth);
    for (int32_t i = 0; i < kFramePieceCount; ++i) {
        const Point cell = kFramePieceCells[i];
        const Image<unsigned char> window(picture, grid.CellRect(cell.x, cell.y));
        ResultCode result;
        std::unique_ptr<Image<unsigned char>> piece(new (std::nothrow) Image<unsigned char>(rgba, pieceRect, result));
        if (piece == nullptr) return ResultCode::OutOfMemory();
        if (result.IsSuccess()) result = Resample(window, *piece, context.abort, nullptr, 0.0, 1.0);
        if (result.IsSuccess() && !TakesRGBAsItIs(context.outputView->layout))
            result = ConvertForDestination(*piece, context.outputView->layout, piece);
        if (result.IsFailure()) return result;
        pieces_[i] = std::move(piece);
        Report(context.progress, 0.56 + 0.02 * i);
        if (Aborted(context.abort)) return ResultCode::Cancelled();
    }
    stale_ = false;
    return ResultCode::Success();
}

ResultCode Frame::Render(RenderContext& context) {
    if (context.parameters == nullptr || context.outputView == nullptr) return ResultCode::Failure();
    const double scale = context.scale;
    if (!(scale > 0.0) || !std::isfinite(scale)) return ResultCode::Failure();
    const FrameParameters& p = context.parameters->As<FrameParameters>();
    ReleasePieces();
    stale_ = true;

    std::string path;
    if (resolve(p.framePicture, path).IsFailure()) return ResultCode::Failure(kContentFileUnopenable);
    ContentPictureRead read;
    read.requiredColumns = 3;
    read.requiredRows = 3;
    read.progress = context.progress;
    read.progressTo = 0.25;
    ContentPicture picture;
    ResultCode result = ReadContentPicture(path, read, picture);
    if (result.IsFailure()) return result;
    const TubeCellGrid grid(3, 3, picture.pixels->Width(), picture.pixels->Height());

    // The pieces are made below, once their size is known.
    Report(context.progress, 0.3);
    Report(context.progress, 0.4);
    Report(context.progress, 0.5);
    if (Aborted(context.abort)) return ResultCode::Cancelled();

    FrameRequest request;
    request.bounds = context.maskBounds.IsEmpty() ? context.documentBounds : context.maskBounds;
    request.edgeOffset = stamp::RenderedPixels(p.edgeOffset, pixelsPerInch, scale);
    request.frameWidth = stamp::RenderedPixels(p.frameWidth, pixelsPerInch, scale);
    request.aspect = static_cast<double>(grid.CellWidth()) / grid.CellHeight();
    request.abort = context.abort;
    result = LayOutFrame(request, layout_);
    if (result.IsFailure()) return result;
    result = MakePieces(context, *picture.pixels);
    if (result.IsFailure()) return result;

    const std::vector<PiecePlacement> placements = ClockwisePlacements(layout_);
    // Progress counts 2 (nx + ny) steps, four more than there are pieces.
    const double steps = 2.0 * (layout_.columns + layout_.rows);
    const Rect clip = Rect::Intersect(context.area, context.outputView->bounds);
    for (std::size_t k = 0; k < placements.size(); ++k) {
        Report(context.progress, 0.75 + 0.25 * static_cast<double>(k) / steps);
        if (Aborted(context.abort)) return ResultCode::Cancelled();
        const PiecePlacement& placement = placements[k];
        CompositeImageOver(*pieces_[placement.piece], placement.at, *context.outputView, clip);
    }
    return ResultCode::Success();
}
