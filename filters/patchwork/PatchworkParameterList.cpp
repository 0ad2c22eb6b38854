// The Patchwork effect's dialog parameters: the tile library, then the tile size.
#include "filters/LengthSliderParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/TubeButtonParameter.h"
#include "filters/patchwork/Patchwork.h"
#include "platform/ResourceStrings.h"

ResultCode Patchwork::BuildParameters(ParameterSet& set, ParameterBlock& block) const {
    using namespace patchwork;
    PatchworkParameters& p = block.As<PatchworkParameters>();

    auto* library = set.Emplace<TubeButtonParameter>(kKeyLibraryPath, kKeyLibraryRelative, &p.library.relative,
                                                     p.library.path, sizeof p.library.path);
    if (library == nullptr) return ResultCode::OutOfMemory();
    library->label = LoadResourceString(kLibraryButtonLabel);
    library->name = "tile-library";

    auto* size = set.Emplace<LengthSliderParameter>(kKeyTileSize, &p.tileSize, kMinimumTileSize, kMaximumTileSize);
    if (size == nullptr) return ResultCode::OutOfMemory();
    size->trackLow = kMinimumTileSize;
    size->trackHigh = kMaximumTileSize;
    LoadParameterStrings(*size, kTileSizeStrings);
    return ResultCode::Success();
}
