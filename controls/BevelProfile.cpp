#include "controls/BevelProfile.h"

#include <algorithm>
#include <cmath>

namespace {

double Secant(const BevelPoint& a, const BevelPoint& b) {
    const double dx = b.x - a.x;
    return dx > 0.0 ? (b.y - a.y) / dx : 0.0;
}

// The slope of the curve leaving point `i` toward `i + 1` (`outgoing`) or
// arriving from `i - 1`.
double Tangent(const BevelPoints& points, std::size_t i, bool outgoing) {
    const bool hasBefore = i > 0;
    const bool hasAfter = i + 1 < points.size();
    const double before = hasBefore ? Secant(points[i - 1], points[i]) : 0.0;
    const double after = hasAfter ? Secant(points[i], points[i + 1]) : 0.0;
    // A corner, or an end: the curve leaves along its own segment.
    if (points[i].pointy || !hasBefore || !hasAfter) return outgoing ? after : before;
    // A turning point stays flat, so the curve never overshoots it.
    if (before * after <= 0.0) return 0.0;
    // The harmonic mean keeps each piece monotone (Fritsch and Carlson).
    return 2.0 / (1.0 / before + 1.0 / after);
}

}  // namespace

double ProfileHeightAt(const BevelPoints& points, double x) {
    if (points.empty()) return 0.0;
    if (x <= points.front().x) return points.front().y;
    if (x >= points.back().x) return points.back().y;
    const auto after = std::find_if(points.begin(), points.end(), [x](const BevelPoint& point) { return point.x > x; });
    const std::size_t i = static_cast<std::size_t>(after - points.begin()) - 1;
    const BevelPoint& a = points[i];
    const BevelPoint& b = points[i + 1];
    const double h = b.x - a.x;
    if (h <= 0.0) return b.y;
    const double t = (x - a.x) / h;
    const double m0 = Tangent(points, i, true) * h;
    const double m1 = Tangent(points, i + 1, false) * h;
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * a.y + (t3 - 2 * t2 + t) * m0 + (-2 * t3 + 3 * t2) * b.y + (t3 - t2) * m1;
}
