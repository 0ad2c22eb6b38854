#include "filters/patchwork/Patchwork.h"

#include <cmath>
#include <new>
#include <string>

#include "content/ContentFolders.h"
#include "content/TileLibrary.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/patchwork/CellSampler.h"
#include "filters/patchwork/PatchworkCells.h"
#include "filters/patchwork/PatchworkMatch.h"
#include "filters/patchwork/PatchworkPaste.h"
#include "filters/patchwork/TileMatcher.h"

void Patchwork::WriteDefaults(ParameterBlock& block) const {
    block.As<PatchworkParameters>() = patchwork::DefaultParameters();
}

Rect Patchwork::NeededInputRect(const Rect& area, const ParameterBlock& /*block*/, double /*scale*/) const {
    return area;
}

ResultCode Patchwork::Render(RenderContext& context) {
    using namespace patchwork;
    if (context.parameters == nullptr || context.inputView == nullptr || context.outputView == nullptr)
        return ResultCode::Failure();
    const double scale = context.scale;
    if (!(scale > 0.0) || !std::isfinite(scale)) return ResultCode::Failure();
    const PatchworkParameters& p = context.parameters->As<PatchworkParameters>();

    std::string path;
    ResultCode result = resolve(p.library, path);
    if (result.IsFailure()) return result;
    TileLibrary library(path);
    result = library.open();
    if (result.IsFailure()) return result;

    try {
        const CellSize cell = CellSizeFor(p.tileSize.In(kLengthPixels, pixelsPerInch), scale, library.thumbnailWidth(),
                                          library.thumbnailHeight());
        const CellGrid grid(context.area, cell);
        const CellSampler sampler(*context.inputView, cell, library.thumbnailWidth(), library.thumbnailHeight());
        const TileMatcher matcher(library.directory(), sampler.ThumbnailPixels());
        MatchTable table;
        result =
            MatchCells(grid, sampler, matcher, library.directory(), context.abort, context.progress, 0.0, 0.5, table);
        if (result.IsFailure()) return result;
        return PasteTiles(library, table, cell, *context.outputView, context.abort, context.progress, 0.5, 1.0);
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
}
