// A bevel profile as its editor holds it: points in ascending x, each a
// corner ("pointy") or a smooth point. x runs from the outer edge (0) in to
// the bevel's inner end (1); y is the height there, 0 to 1. The dialog
// turns these into the settings layer's stored form and back.
#pragma once

#include <cstddef>
#include <vector>

struct BevelPoint {
    double x = 0.0;
    double y = 0.0;
    bool pointy = false;
};

using BevelPoints = std::vector<BevelPoint>;

// The most points a profile holds.
inline constexpr std::size_t kMaxBevelPoints = 25;

// The height of the profile's curve at `x`: a smooth curve through the
// points that never overshoots them (monotone cubic pieces), with a corner
// at every pointy point; level beyond the end points. 0 without points.
double ProfileHeightAt(const BevelPoints& points, double x);
