#include "filters/frame/Frame.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "content/ContentFolders.h"
#include "content/ContentMessages.h"
#include "content/PspFileReader.h"
#include "content/TubeCellGrid.h"
#include "content/VtFile.h"
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

// The frame picture's cell width ÷ height, from its header alone; false when
// the file cannot be read or holds no 3 × 3 grid (the render says why).
bool CellAspect(const ContentReference& reference, double& aspect) {
    std::string path;
    if (resolve(reference, path).IsFailure()) return false;
    VtFile file;
    if (!file.Open(path)) return false;
    PspFileReader reader(file);
    if (reader.open().IsFailure() || reader.columns() != 3 || reader.rows() != 3) return false;
    const TubeCellGrid grid(3, 3, reader.width(), reader.height());
    if (grid.CellWidth() < 1 || grid.CellHeight() < 1) return false;
    aspect = static_cast<double>(grid.CellWidth()) / grid.CellHeight();
    return true;
}

FrameRequest RequestFor(const FrameParameters& p, const Rect& bounds, double pixelsPerInch, double scale,
                        double aspect) {
    FrameRequest request;
    request.bounds = bounds;
    request.edgeOffset = stamp::RenderedPixels(p.edgeOffset, pixelsPerInch, scale);
    request.frameWidth = stamp::RenderedPixels(p.frameWidth, pixelsPerInch, scale);
    request.aspect = aspect;
    return request;
}

}  // namespace

Frame::~Frame() = default;

void Frame::WriteDefaults(ParameterBlock& block) const { block.As<FrameParameters>() = frame::DefaultParameters(); }

Rect Frame::AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const {
    if (!(scale > 0.0) || !std::isfinite(scale)) scale = 1.0;
    const FrameParameters& p = block.As<FrameParameters>();
    const int32_t e = static_cast<int32_t>(stamp::RenderedPixels(p.edgeOffset, pixelsPerInch, scale) + 0.5);
    const int32_t grow = 20 - std::min(0, e);
    Rect out = in;
    out.Inflate(grow, grow);
    // Whole pieces can reach past that: as far as the layout lays them.
    double aspect = 1.0;
    FrameLayout layout;
    if (in.IsEmpty() || !CellAspect(p.framePicture, aspect)) return out;
    if (LayOutFrame(RequestFor(p, in, pixelsPerInch, scale, aspect), layout).IsFailure()) return out;
    return Rect::Union(out, layout.Tiled());
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
    read.wrongGridMessage = frame::kNotThreeByThree;
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

    const Rect bounds = context.maskBounds.IsEmpty() ? context.documentBounds : context.maskBounds;
    FrameRequest request =
        RequestFor(p, bounds, pixelsPerInch, scale, static_cast<double>(grid.CellWidth()) / grid.CellHeight());
    request.abort = context.abort;
    result = LayOutFrame(request, layout_);
    if (result.IsFailure()) return result;
    const std::vector<PiecePlacement> placements = ClockwisePlacements(layout_);
    // A frame wholly beyond the picture would leave it as it was.
    const bool shows = std::any_of(placements.begin(), placements.end(), [&](const PiecePlacement& placement) {
        const Point at = placement.at;
        const Rect piece(at.y, at.x, at.y + layout_.pieceHeight, at.x + layout_.pieceWidth);
        return !Rect::Intersect(piece, context.documentBounds).IsEmpty();
    });
    if (!shows) return ResultCode::Failure(frame::kFrameOutsidePicture);
    result = MakePieces(context, *picture.pixels);
    if (result.IsFailure()) return result;

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
