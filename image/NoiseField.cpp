#include "image/NoiseField.h"

#include <new>
#include <utility>

#include "image/RandomGenerator.h"

namespace {

bool IsPositiveFinite(double value) { return value > 0.0 && std::isfinite(value); }

// trunc(extent / scale + 0.5), at least 1, at most NoiseField::kMaxPeriod.
int32_t FeaturesPerTile(int32_t extent, double scale) {
    const double features = std::trunc(extent / scale + 0.5);
    if (!(features >= 1.0)) return 1;
    if (features > NoiseField::kMaxPeriod) return NoiseField::kMaxPeriod;
    return static_cast<int32_t>(features);
}

}  // namespace

ResultCode NoiseField::Init(double scaleX, double scaleY, double amplitude, int32_t seed, double reductionFactor,
                            bool tileable, int32_t width, int32_t height) {
    const bool scalesValid = IsPositiveFinite(scaleX) && IsPositiveFinite(scaleY) && IsPositiveFinite(reductionFactor);
    if (!scalesValid || !std::isfinite(amplitude)) return ResultCode::Failure();
    if (tileable && (width <= 0 || height <= 0)) return ResultCode::Failure();

    InitLattice(seed, tileable, width, height, kLatticeRange);

    gradientCount_ = LatticeRange() + 2;  // each hash reads three consecutive values
    gradients_.reset();
    gradients_.reset(new (std::nothrow) double[static_cast<std::size_t>(gradientCount_)]);
    if (!gradients_) {
        gradientCount_ = 0;
        return ResultCode::OutOfMemory();
    }

    // Evenly spaced values from -1.2 A to 1.2 A, shuffled by a generator that
    // starts the seed's sequence over.
    amplitude_ = amplitude;
    const double last = static_cast<double>(gradientCount_ - 1);
    for (int32_t i = 0; i < gradientCount_; ++i) {
        gradients_[static_cast<std::size_t>(i)] = 1.2 * (-amplitude + 2.0 * amplitude * i / last);
    }
    RandomGenerator generator(seed);
    for (std::size_t i = 0; i < static_cast<std::size_t>(gradientCount_); ++i) {
        const auto j = static_cast<std::size_t>(generator.NextBelow(gradientCount_));
        std::swap(gradients_[i], gradients_[j]);
    }

    scaleX_ = scaleX;
    scaleY_ = scaleY;
    periodX_ = 1;
    periodY_ = 1;
    if (tileable) {
        periodX_ = FeaturesPerTile(width, scaleX);
        periodY_ = FeaturesPerTile(height, scaleY);
        scaleX_ = static_cast<double>(width) / periodX_;
        scaleY_ = static_cast<double>(height) / periodY_;
    }
    scaleX_ /= reductionFactor;
    scaleY_ /= reductionFactor;
    frequencyX_ = 1.0 / scaleX_;
    frequencyY_ = 1.0 / scaleY_;
    return ResultCode::Success();
}
