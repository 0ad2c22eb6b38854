// Fill Stamp: fills the selection with picture-tube stamps. Random points
// at least a chosen distance inside the selection (or, in tile mode, all
// over the image) receive random cells of the tube until a coverage budget
// set by the density is spent. The selected area can first be filled with a
// colour or made transparent; stamps can take on the brightness of the
// image beneath them and carry a drop shadow.
#pragma once

#include <cstdint>
#include <string>

#include "filters/FamilyFilter.h"
#include "filters/fillstamp/FillStampParameters.h"
#include "filters/stamp/StampPass.h"

class FillStamp : public FamilyFilter {
public:
    FillStamp() : FamilyFilter(FilterKinds::FillStamp) {}
    ~FillStamp() override;

    int32_t ParameterSize() const override { return fillstamp::kParameterSize; }

    void WriteDefaults(ParameterBlock& block) const override;
    // `in` grown by as far as the stamps can reach beyond it (StampReach of
    // the edge offset), then united with itself moved by the shadow and
    // grown by its blur; in tile mode, where stamps are kept to the
    // selection, `in` itself.
    Rect AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const override;
    // The area itself, unless colourized stamps outside tile mode average
    // the image under them, which may lie anywhere in the document.
    Rect NeededInputRect(const Rect& area, const ParameterBlock& block, double scale) const override;

    // Releases what an earlier render left.
    ResultCode BeginRender(RenderContext& context) override;
    ResultCode Render(RenderContext& context) override;
    void EndRender(const ParameterBlock& block) override;

    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override;
    void UpdateControlStates(ParameterSet& set, const ParameterBlock& block) const override;

    // The stamps the last render placed, until the render state is released.
    const PlacementList& Placements() const { return pass_.placements; }
    const CellTable& Cells() const { return pass_.cells; }

private:
    ResultCode Place(const RenderContext& context, double meanArea, int32_t largestRadius);

    StampPass pass_;
};
