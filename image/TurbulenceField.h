// Turbulence: the octave sum of the magnitude of the gradient noise, with the
// octave weights raised by 1.13 over fBm's. Only a building block: it adds its
// set-up and the sum, and SymmetricTurbulenceField turns the sum into values.
#pragma once

#include <cstdint>

#include "base/ResultCode.h"
#include "image/FBMField.h"

class TurbulenceField : public FBMField {
public:
    ~TurbulenceField() override = default;

    // FBMField::Init, then the turbulence weights.
    ResultCode Init(double scaleX, double scaleY, double amplitude, int32_t seed, double reductionFactor, bool tileable,
                    int32_t width, int32_t height);

    // Σ w[i] × |basis| at the pixel position (x, y); not clamped.
    double TurbulenceSum(double x, double y) const { return OctaveSum<true>(x, y); }

protected:
    // Sampling a bare turbulence field would give fBm values with turbulence
    // weights; only derived fields exist.
    TurbulenceField() = default;
};
