#include "image/TurbulenceField.h"

namespace {
// Magnitudes average lower than signed values; this restores the contrast.
constexpr double kTurbulenceGain = 1.13;
}  // namespace

ResultCode TurbulenceField::Init(double scaleX, double scaleY, double amplitude, int32_t seed, double reductionFactor,
                                 bool tileable, int32_t width, int32_t height) {
    const ResultCode base = FBMField::Init(scaleX, scaleY, amplitude, seed, reductionFactor, tileable, width, height);
    if (base.IsFailure()) return base;
    ScaleOctaveWeights(kTurbulenceGain);
    return ResultCode::Success();
}
