#include "tools/contentpack/TileableNoise.h"

#include <cmath>
#include <limits>

#include "image/RandomGenerator.h"

TileableFractalNoise::TileableFractalNoise(double featureX, double featureY, int32_t periodX, int32_t periodY,
                                           int32_t seed) {
    // Arguments are the generator's own constants; a failure here is a
    // programming error that the pictures would show at once.
    field_.Init(featureX, featureY, 1.0, seed, 1.0, true, periodX, periodY);
}

TileableCells::TileableCells(int32_t cellsX, int32_t cellsY, double periodX, double periodY, int32_t seed,
                             double jitter)
    : cellsX_(cellsX), cellsY_(cellsY), periodX_(periodX), periodY_(periodY) {
    RandomGenerator random(seed);
    const std::size_t count = static_cast<std::size_t>(cellsX) * static_cast<std::size_t>(cellsY);
    for (std::size_t i = 0; i < count; ++i) {
        pointX_.push_back(0.5 + (random.NextUnit() - 0.5) * jitter);
        pointY_.push_back(0.5 + (random.NextUnit() - 0.5) * jitter);
        values_.push_back(random.NextUnit());
    }
}

TileableCells::Nearest TileableCells::At(double x, double y) const {
    const double cellWidth = periodX_ / cellsX_;
    const double cellHeight = periodY_ / cellsY_;
    const double u = x / cellWidth;
    const double v = y / cellHeight;
    const int32_t cu = static_cast<int32_t>(std::floor(u));
    const int32_t cv = static_cast<int32_t>(std::floor(v));
    Nearest nearest{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), 0};
    for (int32_t dv = -2; dv <= 2; ++dv) {
        for (int32_t du = -2; du <= 2; ++du) {
            const int32_t gu = cu + du;
            const int32_t gv = cv + dv;
            const int32_t wu = ((gu % cellsX_) + cellsX_) % cellsX_;
            const int32_t wv = ((gv % cellsY_) + cellsY_) % cellsY_;
            const int32_t cell = wv * cellsX_ + wu;
            const double px = (gu + pointX_[static_cast<std::size_t>(cell)]) * cellWidth;
            const double py = (gv + pointY_[static_cast<std::size_t>(cell)]) * cellHeight;
            const double distance = std::hypot(x - px, y - py);
            if (distance < nearest.first) {
                nearest.second = nearest.first;
                nearest.first = distance;
                nearest.cell = cell;
            } else if (distance < nearest.second) {
                nearest.second = distance;
            }
        }
    }
    return nearest;
}
