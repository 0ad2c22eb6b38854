#include "filters/stamp/StampPass.h"

#include <string>

#include "content/ContentFolders.h"
#include "filters/stamp/StampColours.h"
#include "filters/stamp/StampFit.h"

void StampPass::Start(uint16_t seed) {
    Release();
    generator.Seed(seed);
}

void StampPass::Release() {
    cells.Clear();
    placements.clear();
    placements.shrink_to_fit();
    tube_ = ContentPicture();
}

ResultCode StampPass::ReadTube(const ContentReference& reference, const RenderContext& context, double progressTo,
                               bool& found) {
    std::string path;
    found = resolve(reference, path).IsSuccess();
    if (!found) return ResultCode::Success();
    ContentPictureRead read;
    read.progress = context.progress;
    read.progressTo = progressTo;
    return ReadContentPicture(path, read, tube_);
}

int32_t StampPass::LeastLargestRadius(double targetWidth) const {
    if (tube_.pixels == nullptr) return 0;
    return ::LeastLargestRadius(*tube_.pixels, tube_.columns, tube_.rows, targetWidth);
}

ResultCode StampPass::PrepareCells(const RenderContext& context, double targetWidth, const ShadowSettings& shadow,
                                   bool colourStamps, double progressFrom, double progressTo, CellMeasures& measures) {
    CellPreparation request;
    request.tube = tube_.pixels.get();
    request.columns = tube_.columns;
    request.rows = tube_.rows;
    request.targetWidth = targetWidth;
    request.shadow = shadow;
    request.colourStamps = colourStamps;
    request.abort = context.abort;
    request.progress = context.progress;
    request.progressFrom = progressFrom;
    request.progressTo = progressTo;
    if (request.tube == nullptr) return ResultCode::Failure();
    return ::PrepareCells(request, cells, measures);
}

ResultCode StampPass::Place(const StampCentres& centres, double density, const Rect& image,
                            const RenderContext& context, double progressFrom, double progressTo) {
    PlacementDraw draw;
    draw.centres = &centres.pixels;
    draw.budget = 0.03 * density * static_cast<double>(centres.visited);
    draw.cells = &cells;
    draw.image = image;
    draw.generator = &generator;
    draw.abort = context.abort;
    draw.progress = context.progress;
    draw.progressFrom = progressFrom;
    draw.progressTo = progressTo;
    return DrawPlacements(draw, placements);
}

ResultCode StampPass::Draw(const RenderContext& context, const StampRecolouring& recolour, double progressFrom,
                           const SelectionCoverage* within) {
    if (!recolour) {
        const ResultCode converted = ConvertCellsForDestination(cells, context.outputView->layout);
        if (converted.IsFailure()) return converted;
    }
    StampDrawing drawing;
    drawing.placements = &placements;
    drawing.cells = &cells;
    drawing.destination = context.outputView;
    drawing.document = context.documentBounds;
    drawing.recolour = recolour;
    drawing.within = within;
    drawing.abort = context.abort;
    drawing.progress = context.progress;
    drawing.progressFrom = progressFrom;
    drawing.progressTo = 1.0;
    return DrawStamps(drawing, Rect::Intersect(context.area, context.outputView->bounds));
}
