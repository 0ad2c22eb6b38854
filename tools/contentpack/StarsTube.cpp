// Stars: faceted metal and enamel stars, puffy rounded ones, and a sparkle.
#include <cmath>

#include "tools/contentpack/Tubes.h"

namespace {

// The outline of a star with `points` tips at `outer` and notches at
// `inner`, the first tip straight up, turned by `degrees`.
std::vector<std::pair<double, double>> StarOutline(int points, double outer, double inner, double degrees) {
    std::vector<std::pair<double, double>> outline;
    for (int i = 0; i < points * 2; ++i) {
        const double angle = (degrees - 90.0) * kPi / 180.0 + i * kPi / points;
        const double radius = i % 2 == 0 ? outer : inner;
        outline.emplace_back(radius * std::cos(angle), radius * std::sin(angle));
    }
    return outline;
}

// A star cut in facets: every triangle between the centre, a tip and a
// notch is a flat face rising to a ridge at the centre, so the light
// catches one face of each point and not the other.
CellPaint FacetedStar(int points, double outer, double ratio, double degrees, Colour metal, double shine) {
    const auto outline = StarOutline(points, outer, outer * ratio, degrees);
    const Shape shape = Polygon(outline);
    const double ridge = outer * 0.42;  // height of the centre
    return [=](double u, double v) {
        const double distance = shape(u, v);
        const double opacity = EdgeOpacity(distance);
        if (opacity <= 0.0) return Colour{0, 0, 0, 0};
        // The face holding (u, v): the sector between two outline points.
        double angle = std::atan2(v, u) - (degrees - 90.0) * kPi / 180.0;
        angle -= std::floor(angle / (2.0 * kPi)) * 2.0 * kPi;
        const std::size_t i = static_cast<std::size_t>(angle / (kPi / points)) % outline.size();
        const auto [ax, ay] = outline[i];
        const auto [bx, by] = outline[(i + 1) % outline.size()];
        // The face's plane through the centre (height `ridge`) and the two
        // outline points (height 0): its normal is the cross product.
        const Vector3 e1{ax, ay, -ridge};
        const Vector3 e2{bx, by, -ridge};
        Vector3 normal{e1.y * e2.z - e1.z * e2.y, e1.z * e2.x - e1.x * e2.z, e1.x * e2.y - e1.y * e2.x};
        if (normal.z < 0.0) normal = Vector3{-normal.x, -normal.y, -normal.z};
        Colour lit = LitColour(metal, Normalised(normal), shine, 24.0, 0.35);
        // A darker rim draws the outline clearly at stamp size.
        lit = Mix(Scaled(metal, 0.45), lit, SmoothStep(0.0, 3.0 * kCellPixel, -distance));
        return WithAlpha(lit, opacity);
    };
}

// A rounded, pillow-like star.
CellPaint PuffyStar(double outer, double degrees, Colour colour) {
    const double rounding = outer * 0.16;
    const Shape shape =
        Grown(Polygon(StarOutline(5, outer - rounding * 1.6, (outer - rounding) * 0.5, degrees)), rounding);
    const HeightFunction height = Inflated(shape, outer * 0.10, outer * 0.22);
    return [=](double u, double v) {
        const double distance = shape(u, v);
        const double opacity = EdgeOpacity(distance);
        if (opacity <= 0.0) return Colour{0, 0, 0, 0};
        const Colour lit = LitColour(colour, SurfaceNormal(height, u, v, kCellPixel * 0.5), 0.55, 30.0, 0.5);
        return WithAlpha(lit, opacity);
    };
}

// A four-pointed sparkle of light: long rays along the axes, short ones on
// the diagonals, a bright core and a faint halo, all soft.
CellPaint Sparkle(double size, double degrees, Colour tint) {
    const double angle = degrees * kPi / 180.0;
    const double c = std::cos(angle), s = std::sin(angle);
    auto ray = [](double along, double across, double length, double width) {
        const double t = std::fabs(along) / length;
        if (t >= 1.0) return 0.0;
        const double w = width * (1.0 - t) + 0.004;
        return std::pow(1.0 - t, 1.6) * std::exp(-(across * across) / (w * w));
    };
    return [=](double u, double v) {
        const double x = c * u + s * v;
        const double y = -s * u + c * v;
        const double r = std::hypot(x, y);
        const double d1 = (x + y) * std::sqrt(0.5), d2 = (x - y) * std::sqrt(0.5);
        const double rays = ray(x, y, size, size * 0.16) + ray(y, x, size, size * 0.16) +
                            0.7 * ray(d1, d2, size * 0.6, size * 0.10) + 0.7 * ray(d2, d1, size * 0.6, size * 0.10);
        const double core = std::exp(-(r * r) / (size * size * 0.03));
        const double halo = 0.55 * std::exp(-(r * r) / (size * size * 0.10));
        const double light = Clamp01(1.3 * rays + core + halo);
        const Colour colour = Mix(tint, Rgb(1.0, 1.0, 0.96), Clamp01(core * 1.1 + rays * 0.3));
        return WithAlpha(colour, light);
    };
}

}  // namespace

TubePicture DrawStarsTube() {
    const std::vector<CellPaint> cells = {
        FacetedStar(5, 0.90, 0.45, 0.0, Rgb(1.00, 0.76, 0.22), 0.55),
        FacetedStar(5, 0.84, 0.45, 9.0, Rgb(0.78, 0.80, 0.86), 0.65),
        FacetedStar(5, 0.88, 0.43, -8.0, Rgb(0.86, 0.12, 0.14), 0.45),
        FacetedStar(6, 0.86, 0.55, 0.0, Rgb(0.18, 0.42, 0.90), 0.45),
        PuffyStar(0.88, -6.0, Rgb(1.00, 0.86, 0.30)),
        Sparkle(0.95, 0.0, Rgb(1.00, 0.72, 0.20)),
        FacetedStar(8, 0.86, 0.46, 11.25, Rgb(0.62, 0.24, 0.78), 0.5),
        PuffyStar(0.80, 10.0, Rgb(0.45, 0.78, 1.00)),
    };
    return TubeSheet("Stars", 4, cells);
}
