#include "image/VariableProbabilityField.h"

#include <new>

namespace {
constexpr int32_t kProbabilityLatticeRange = 4096;
}

ResultCode VariableProbabilityField::Init(int32_t seed, const SingleChannelImage<double>* density,
                                          double densityOutside) {
    InitLattice(seed, false, 0, 0, kProbabilityLatticeRange);
    thresholds_.reset();
    thresholds_.reset(new (std::nothrow) double[kTableSize]);
    if (!thresholds_) return ResultCode::OutOfMemory();

    const double last = static_cast<double>(LatticeRange() - 1);
    for (int32_t k = 0; k < kTableSize; ++k) thresholds_[static_cast<std::size_t>(k)] = k / last;
    SetDensityImage(density, densityOutside);
    return ResultCode::Success();
}
