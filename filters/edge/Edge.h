// Edges: gives the selection a treated border. The distance of each selected
// pixel from the selection edge becomes an edge amount between 0 and 1 by one
// of six treatments (two kinds of distress, halftone dots, halftone lines,
// pixelizer, torn paper); the edge colour is then painted over the pixel in
// that proportion or, on a layer with transparency when asked, the pixel is
// made transparent in that proportion. Pixels outside the selection receive
// the full amount, pixels deep inside keep their value.
#pragma once

#include <cstdint>
#include <string>

#include "filters/FamilyFilter.h"
#include "filters/edge/EdgeParameters.h"
#include "image/RandomGenerator.h"

class Edge : public FamilyFilter {
public:
    Edge() : FamilyFilter(FilterKinds::Edge) {}
    ~Edge() override;

    int32_t ParameterSize() const override { return edge::kParameterSize; }

    void WriteDefaults(ParameterBlock& block) const override;
    // The edge needs no pixels beyond the area it produces.
    Rect NeededInputRect(const Rect& area, const ParameterBlock& block, double scale) const override;

    // Seeds the generator and draws the random screen offset.
    ResultCode BeginRender(RenderContext& context) override;
    ResultCode Render(RenderContext& context) override;
    void EndRender(const ParameterBlock& block) override;

    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override;
    // Colour unless the edge is made transparent; the transparent box only on
    // a layer with transparency; the direction for the screen treatments only.
    void UpdateControlStates(ParameterSet& set, const ParameterBlock& block) const override;

    // The screen offset drawn by BeginRender, each in [-1, 1).
    double ScreenOffsetX() const { return offsetX_; }
    double ScreenOffsetY() const { return offsetY_; }

private:
    RandomGenerator generator_;
    double offsetX_ = 0.0;
    double offsetY_ = 0.0;
};
