#include "image/FBMField.h"

namespace {

constexpr double kPersistence = 0.5;
// Octaves whose share of the total falls below this add nothing visible.
constexpr double kSmallestWeight = 0.03;
// Brings the typical octave sum up to the single octave's contrast.
constexpr double kContrastGain = 1.33;

}  // namespace

ResultCode FBMField::Init(double scaleX, double scaleY, double amplitude, int32_t seed, double reductionFactor,
                          bool tileable, int32_t width, int32_t height) {
    const ResultCode base = NoiseField::Init(scaleX, scaleY, amplitude, seed, reductionFactor, tileable, width, height);
    if (base.IsFailure()) return base;

    persistence_ = kPersistence;
    weights_[0] = 1.0;
    for (std::size_t i = 1; i < weights_.size(); ++i) weights_[i] = weights_[i - 1] * persistence_;
    double total = 0.0;
    for (double w : weights_) total += w;

    octaveCount_ = kMaxOctaves;
    for (std::size_t j = 0; j < weights_.size(); ++j) {
        weights_[j] /= total;
        if (weights_[j] < kSmallestWeight) {
            octaveCount_ = static_cast<int32_t>(j);
            break;
        }
    }

    double kept = 0.0;
    for (int32_t i = 0; i < octaveCount_; ++i) kept += weights_[static_cast<std::size_t>(i)];
    if (kept > 0.0) {
        for (int32_t i = 0; i < octaveCount_; ++i) weights_[static_cast<std::size_t>(i)] /= kept;
    }

    offsets_ = {{{0.0, 0.0}, {23.1, 32.3}, {57.5, 69.2}, {117.4, 138.6}, {202.2, 277.7}}};
    ScaleOctaveWeights(kContrastGain);
    return ResultCode::Success();
}

void FBMField::ScaleOctaveWeights(double factor) {
    for (int32_t i = 0; i < octaveCount_; ++i) weights_[static_cast<std::size_t>(i)] *= factor;
}
