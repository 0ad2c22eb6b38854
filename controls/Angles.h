// Angles in degrees as the direction and lighting controls show them: 0 to
// the right, counter-clockwise up, in [0, 360).
#pragma once

#include <cmath>

inline constexpr double kPi = 3.14159265358979323846;

inline double Radians(double degrees) { return degrees * kPi / 180.0; }

// Into [0, 360); anything not finite is 0.
inline double WrappedDegrees(double degrees) {
    if (!std::isfinite(degrees)) return 0.0;
    double wrapped = std::fmod(degrees, 360.0);
    if (wrapped < 0.0) wrapped += 360.0;
    // A tiny negative angle wraps to 360 in floating point.
    return wrapped >= 360.0 ? 0.0 : wrapped;
}

// The angle of the offset (dx, dy) (y up), rounded to whole multiples of
// `step` degrees and wrapped.
inline double AngleOf(double dx, double dy, double step) {
    const double degrees = std::atan2(dy, dx) * 180.0 / kPi;
    return WrappedDegrees(std::floor(degrees / step + 0.5) * step);
}
