// Single-octave gradient noise over the image plane, clamped to the amplitude.
// It is also the base of the octave fields (FBMField and the turbulence
// fields), which share its gradient table and its basis `GradientNoise`.
//
// Set-up: Init(scale x, scale y, amplitude A, seed, reduction factor,
// tileable, tile width, tile height). The scales are feature sizes in image
// pixels; the reduction factor (image pixels per rendered pixel) shrinks them
// so that a reduced preview shows the same pattern. A tileable field fits a
// whole number of features into the tile and wraps the lattice with it.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

#include "base/ResultCode.h"
#include "image/NewField.h"

class NoiseField : public NewField {
public:
    static constexpr int32_t kLatticeRange = 256;
    // Periods above this are clamped: the octave fields double the period four
    // times, which must stay inside int32. Features that small are far below a
    // pixel anyway.
    static constexpr int32_t kMaxPeriod = 1 << 26;

    NoiseField() = default;
    ~NoiseField() override = default;

    // -1 (silent) for arguments that define no field: a scale or reduction
    // factor that is not a positive finite number, an amplitude that is not
    // finite, or a tileable field with an empty tile. After a failure the field
    // must not be sampled.
    ResultCode Init(double scaleX, double scaleY, double amplitude, int32_t seed, double reductionFactor, bool tileable,
                    int32_t width, int32_t height);

    virtual double ValueAtPixel(int32_t x, int32_t y) const {
        return NoiseValue(static_cast<double>(x), static_cast<double>(y));
    }
    virtual double ValueAtPoint(double x, double y) const { return NoiseValue(x, y); }

    // The value without the virtual call, for loops that know the field's type.
    double NoiseValue(double x, double y) const {
        return Clamp(GradientNoise(x * frequencyX_, y * frequencyY_, periodX_, periodY_));
    }

    // Bilinear blend (cubic fade) of the four lattice corners' contributions
    // 0.5 V[k] + dx V[k+1] + dy V[k+2], k the corner's hash; (x, y) are in
    // lattice units. The periods are read only when the field is tileable.
    // Positions that are not finite or lie beyond +-2^62 give 0.
    inline double GradientNoise(double x, double y, int32_t periodX, int32_t periodY) const;

    double Amplitude() const { return amplitude_; }
    double ScaleX() const { return scaleX_; }
    double ScaleY() const { return scaleY_; }
    double FrequencyX() const { return frequencyX_; }
    double FrequencyY() const { return frequencyY_; }
    int32_t PeriodX() const { return periodX_; }
    int32_t PeriodY() const { return periodY_; }
    int32_t GradientCount() const { return gradientCount_; }

protected:
    double Clamp(double value) const {
        if (value < -amplitude_) return -amplitude_;
        if (value > amplitude_) return amplitude_;
        return value;
    }

private:
    struct CornerIndex {
        int32_t first;   // lattice index of the lower corner, after tiling
        int32_t second;  // lattice index of the upper corner, after tiling
    };
    static CornerIndex Corners(int64_t lower, bool tileable, int32_t period) {
        if (!tileable)
            return CornerIndex{static_cast<int32_t>(lower & kTableMask),
                               static_cast<int32_t>((lower + 1) & kTableMask)};
        int64_t first = lower % period;
        if (first < 0) first += period;
        const int64_t second = first + 1 == period ? 0 : first + 1;
        return CornerIndex{static_cast<int32_t>(first), static_cast<int32_t>(second)};
    }
    double Contribution(int32_t hash, double dx, double dy) const {
        const double* v = gradients_.get() + hash;
        return 0.5 * v[0] + dx * v[1] + dy * v[2];
    }

    double amplitude_ = 0.0;
    double scaleX_ = 0.0;
    double scaleY_ = 0.0;
    double frequencyX_ = 0.0;
    double frequencyY_ = 0.0;
    int32_t periodX_ = 1;
    int32_t periodY_ = 1;
    int32_t gradientCount_ = 0;
    std::unique_ptr<double[]> gradients_;
};

double NoiseField::GradientNoise(double x, double y, int32_t periodX, int32_t periodY) const {
    constexpr double kPositionLimit = 4611686018427387904.0;  // 2^62: floor fits int64 with room for +1
    if (!(std::fabs(x) < kPositionLimit) || !(std::fabs(y) < kPositionLimit)) return 0.0;

    // floor without a library call: truncate, then step down for negatives.
    int64_t ix = static_cast<int64_t>(x);
    int64_t iy = static_cast<int64_t>(y);
    ix -= static_cast<double>(ix) > x ? 1 : 0;
    iy -= static_cast<double>(iy) > y ? 1 : 0;
    const double cx = static_cast<double>(ix);
    const double cy = static_cast<double>(iy);
    // Offsets to the far corners are taken from x itself, not from fx - 1:
    // the two differ in the last bit just left of 0.
    const double fx = x - cx;
    const double fy = y - cy;
    const double gx = x - (cx + 1.0);
    const double gy = y - (cy + 1.0);
    const double sx = fx * fx * (3.0 - 2.0 * fx);
    const double sy = fy * fy * (3.0 - 2.0 * fy);

    const bool tiled = IsTileable();
    const CornerIndex cols = Corners(ix, tiled, periodX);
    const CornerIndex rows = Corners(iy, tiled, periodY);
    const double c00 = Contribution(LatticeHash(cols.first, rows.first), fx, fy);
    const double c10 = Contribution(LatticeHash(cols.second, rows.first), gx, fy);
    const double c01 = Contribution(LatticeHash(cols.first, rows.second), fx, gy);
    const double c11 = Contribution(LatticeHash(cols.second, rows.second), gx, gy);
    return (1.0 - sx) * (1.0 - sy) * c00 + sx * (1.0 - sy) * c10 + (1.0 - sx) * sy * c01 + sx * sy * c11;
}
