#include "image/SymmetricTurbulenceField.h"

namespace {
// The turbulence sum rarely comes closer to 0 than this share of A.
constexpr double kMeanOffsetShare = 0.03;
}  // namespace

ResultCode SymmetricTurbulenceField::Init(double scaleX, double scaleY, double amplitude, int32_t seed,
                                          double reductionFactor, bool tileable, int32_t width, int32_t height) {
    const ResultCode base =
        TurbulenceField::Init(scaleX, scaleY, amplitude, seed, reductionFactor, tileable, width, height);
    if (base.IsFailure()) return base;
    meanOffset_ = kMeanOffsetShare * Amplitude();
    return ResultCode::Success();
}
