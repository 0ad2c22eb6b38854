#include "tools/contentpack/Profile.h"

#include <algorithm>
#include <cmath>

Profile::Profile(std::vector<std::pair<double, double>> points) {
    for (const auto& [x, y] : points) {
        x_.push_back(x);
        y_.push_back(y);
    }
    const std::size_t n = x_.size();
    std::vector<double> secant(n > 1 ? n - 1 : 0);
    for (std::size_t i = 0; i + 1 < n; ++i) secant[i] = (y_[i + 1] - y_[i]) / (x_[i + 1] - x_[i]);
    slope_.assign(n, 0.0);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        // Flat where the curve turns; elsewhere the harmonic mean of the two
        // secants, which keeps each piece monotone.
        if (secant[i - 1] * secant[i] > 0.0) slope_[i] = 2.0 / (1.0 / secant[i - 1] + 1.0 / secant[i]);
    }
    if (n > 1) {
        slope_.front() = secant.front();
        slope_.back() = secant.back();
    }
}

double Profile::operator()(double position) const {
    if (position <= x_.front()) return y_.front();
    if (position >= x_.back()) return y_.back();
    const std::size_t i = static_cast<std::size_t>(std::upper_bound(x_.begin(), x_.end(), position) - x_.begin()) - 1;
    const double h = x_[i + 1] - x_[i];
    const double t = (position - x_[i]) / h;
    const double t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * y_[i] + (t3 - 2 * t2 + t) * h * slope_[i] + (-2 * t3 + 3 * t2) * y_[i + 1] +
           (t3 - t2) * h * slope_[i + 1];
}

double BeadRow(double along, double across, double spacing, double centre, double radius) {
    const double da = along - (std::floor(along / spacing) + 0.5) * spacing;
    const double dc = across - centre;
    return std::sqrt(std::max(0.0, radius * radius - da * da - dc * dc));
}
