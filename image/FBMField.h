// Fractional Brownian motion: five octaves of the gradient noise, each at
// twice the frequency and half the weight of the one before, with fixed
// offsets so that the octaves' lattices do not line up. Clamped to the
// amplitude like the single octave.
#pragma once

#include <array>
#include <cstdint>

#include "base/ResultCode.h"
#include "image/NoiseField.h"

class FBMField : public NoiseField {
public:
    static constexpr int32_t kMaxOctaves = 5;

    FBMField() = default;
    ~FBMField() override = default;

    // NoiseField::Init, then the octave weights and offsets.
    ResultCode Init(double scaleX, double scaleY, double amplitude, int32_t seed, double reductionFactor, bool tileable,
                    int32_t width, int32_t height);

    double ValueAtPixel(int32_t x, int32_t y) const override {
        return FBMValue(static_cast<double>(x), static_cast<double>(y));
    }
    double ValueAtPoint(double x, double y) const override { return FBMValue(x, y); }

    // The value without the virtual call.
    double FBMValue(double x, double y) const { return Clamp(OctaveSum<false>(x, y)); }

    int32_t OctaveCount() const { return octaveCount_; }
    double OctaveWeight(int32_t octave) const { return weights_[static_cast<std::size_t>(octave)]; }
    double Persistence() const { return persistence_; }

protected:
    struct Offset {
        double dx;
        double dy;
    };

    // Σ w[i] × basis(x', y') over the octaves, where (x', y') is the position
    // in lattice units, doubled per octave, plus the octave's offset; the basis
    // is the gradient noise or, for turbulence, its magnitude. (x, y) are in
    // pixels.
    template <bool Magnitude>
    double OctaveSum(double x, double y) const {
        double u = x * FrequencyX();
        double v = y * FrequencyY();
        int32_t periodX = PeriodX();
        int32_t periodY = PeriodY();
        double sum = 0.0;
        for (int32_t i = 0; i < octaveCount_; ++i) {
            const auto octave = static_cast<std::size_t>(i);
            const double basis = GradientNoise(u + offsets_[octave].dx, v + offsets_[octave].dy, periodX, periodY);
            sum += weights_[octave] * (Magnitude ? std::fabs(basis) : basis);
            u *= 2.0;
            v *= 2.0;
            periodX *= 2;
            periodY *= 2;
        }
        return sum;
    }

    // Multiplies the weights of the octaves in use.
    void ScaleOctaveWeights(double factor);

private:
    int32_t octaveCount_ = 0;
    std::array<double, kMaxOctaves> weights_{};
    std::array<Offset, kMaxOctaves> offsets_{};
    double persistence_ = 0.5;
};
