// Resurface: gives the image a new surface. A grey-scale texture, scaled to
// the chosen width and repeated over the image, becomes a height field;
// every pixel is taken from the source displaced along the field's slope,
// lit by a directional light that follows the same slope (shadow colour
// where the surface turns away, a highlight where it mirrors the light),
// and finally brightened by the boost.
#pragma once

#include <cstdint>
#include <string>

#include "filters/FamilyFilter.h"
#include "filters/resurface/ResurfaceParameters.h"

class Resurface : public FamilyFilter {
public:
    Resurface() : FamilyFilter(FilterKinds::Resurface) {}
    int32_t ParameterSize() const override { return resurface::kParameterSize; }

    void WriteDefaults(ParameterBlock& block) const override;
    // The area grown by as far as the displaced sampling can reach: a
    // quarter of the distortion, and one pixel for the interpolation.
    Rect NeededInputRect(const Rect& area, const ParameterBlock& block, double scale) const override;

    // Loads and scales the texture (progress 0 to 0.3), then lights every
    // pixel (0.3 to 1). A texture that cannot be loaded, or that is not a
    // one-channel grey picture, is {-1, 10032}.
    ResultCode Render(RenderContext& context) override;

    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override;
};
