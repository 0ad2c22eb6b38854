// Patchwork: rebuilds the selected area as a mosaic. The area's bounding
// rectangle is cut into a grid of cells of the tile size (shaped like the
// library's thumbnails); each cell is compared with the thumbnail of every
// tile of a tile library, and the closest tile, scaled to the cell, is
// pasted into it. No random choices: the same picture and library always
// give the same mosaic.
#pragma once

#include <cstdint>
#include <string>

#include "filters/FamilyFilter.h"
#include "filters/patchwork/PatchworkParameters.h"

class Patchwork : public FamilyFilter {
public:
    Patchwork() : FamilyFilter(FilterKinds::Patchwork) {}
    int32_t ParameterSize() const override { return patchwork::kParameterSize; }

    void WriteDefaults(ParameterBlock& block) const override;
    // The cells read only the pixels of the area they cover.
    Rect NeededInputRect(const Rect& area, const ParameterBlock& block, double scale) const override;

    // Opens the library, matches every cell (progress 0 to 0.5) and pastes
    // the tiles (0.5 to 1). A library that cannot be found or read is
    // reported before anything is drawn.
    ResultCode Render(RenderContext& context) override;

    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override;
};
