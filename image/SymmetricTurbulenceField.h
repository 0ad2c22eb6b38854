// Turbulence folded around the middle of the amplitude: value = 2c - A with
// c = clamp(t - 0.03 A, -A, A) and t the turbulence sum, so that the usual
// sums in [0.03 A, 1.03 A] map onto [-A, A]. Torn paper uses two of them.
#pragma once

#include <cstdint>

#include "base/ResultCode.h"
#include "image/TurbulenceField.h"

class SymmetricTurbulenceField final : public TurbulenceField {
public:
    SymmetricTurbulenceField() = default;
    ~SymmetricTurbulenceField() override = default;

    // TurbulenceField::Init, then the mean offset.
    ResultCode Init(double scaleX, double scaleY, double amplitude, int32_t seed, double reductionFactor, bool tileable,
                    int32_t width, int32_t height);

    double ValueAtPixel(int32_t x, int32_t y) const override {
        return SymmetricTurbulenceValue(static_cast<double>(x), static_cast<double>(y));
    }
    double ValueAtPoint(double x, double y) const override { return SymmetricTurbulenceValue(x, y); }

    // The value without the virtual call; lies in [-3A, A].
    double SymmetricTurbulenceValue(double x, double y) const {
        const double c = Clamp(TurbulenceSum(x, y) - meanOffset_);
        return 2.0 * c - Amplitude();
    }

    double MeanOffset() const { return meanOffset_; }

private:
    double meanOffset_ = 0.0;
};
