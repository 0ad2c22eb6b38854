// A field of on/off decisions whose probability follows a density image: the
// point (x, y) is set when the density there reaches a threshold drawn once
// per lattice point, uniform over {0, 1/4095, ..., 1}. The pixelizer uses it
// to switch screen cells on more often where the edge is nearer.
#pragma once

#include <cstdint>
#include <memory>

#include "base/ResultCode.h"
#include "image/Image.h"
#include "image/NewField.h"

class VariableProbabilityField : public NewField {
public:
    VariableProbabilityField() = default;
    ~VariableProbabilityField() override = default;

    // Seeds the lattice (not tileable, N = 4096) and builds the thresholds.
    // `density` is not owned and must outlive the sampling; `densityOutside`
    // is the density read at pixels outside its bounds. After a failure the
    // field must not be sampled.
    ResultCode Init(int32_t seed, const SingleChannelImage<double>* density, double densityOutside = 0.0);

    // Replaces the density image without touching the lattice.
    void SetDensityImage(const SingleChannelImage<double>* density, double densityOutside) {
        density_ = density;
        densityOutside_ = densityOutside;
    }

    // T[LatticeHash(x, y)].
    double Threshold(int32_t x, int32_t y) const { return thresholds_[static_cast<std::size_t>(LatticeHash(x, y))]; }

    // Density at (x, y) >= Threshold(x, y). Without a density image every
    // pixel reads the outside density.
    bool IsSetAt(int32_t x, int32_t y) const { return DensityAt(x, y) >= Threshold(x, y); }

    double DensityAt(int32_t x, int32_t y) const {
        if (density_ == nullptr || !density_->bounds.Contains(Point{x, y})) return densityOutside_;
        return *density_->SingleChannelImage<double>::PixelAddress(Point{x, y});
    }

private:
    std::unique_ptr<double[]> thresholds_;
    const SingleChannelImage<double>* density_ = nullptr;
    double densityOutside_ = 0.0;
};
