#include "image/GaussianKernel.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {
// Weights this small add nothing visible; cutting here keeps the kernel short.
constexpr double kSmallestWeight = 0.1;
// Far beyond any image: a radius whose kernel needs more taps is refused.
constexpr double kMostTaps = 1 << 26;
}  // namespace

std::vector<double> GaussianKernel(double radius) {
    const double tableLength = std::max(2.0, std::ceil(radius));
    std::vector<double> weights{1.0};
    double sideSum = 0.0;
    for (double u = 1.0; u < tableLength; u += 1.0) {
        const double t = u * 2.0 / (radius + 1.0);
        const double weight = std::exp(-(t * t));
        if (weight < kSmallestWeight) break;
        if (u >= kMostTaps) throw std::bad_alloc();
        weights.push_back(weight);
        sideSum += weight;
    }
    const double total = 1.0 + 2.0 * sideSum;
    for (double& weight : weights) weight /= total;
    return weights;
}
