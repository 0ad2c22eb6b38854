// Border Stamp: scatters the cells of a picture tube along the edge of the
// selection. A band at a chosen offset from the edge is found with the
// distance transform of the full-size selection; stamps are dropped at
// random points of that band until a coverage budget set by the density is
// spent, and each stamp, with its drop shadow when asked, is composited over
// the image in the order it was placed.
#pragma once

#include <cstdint>
#include <string>

#include "filters/FamilyFilter.h"
#include "filters/borderstamp/BorderStampParameters.h"
#include "filters/stamp/StampPass.h"

class BorderStamp : public FamilyFilter {
public:
    BorderStamp() : FamilyFilter(FilterKinds::BorderStamp) {}
    ~BorderStamp() override;

    int32_t ParameterSize() const override { return borderstamp::kParameterSize; }

    void WriteDefaults(ParameterBlock& block) const override;
    // `in` grown by as far as the stamps can reach beyond it (StampReach of
    // the border offset), then united with itself moved by the shadow and
    // grown by its blur.
    Rect AffectedRect(const Rect& in, const ParameterBlock& block, double scale) const override;

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
    ResultCode Place(const RenderContext& context, int32_t largestRadius);

    StampPass pass_;
};
