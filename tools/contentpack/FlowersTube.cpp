// Flowers seen from above: daisy, cherry blossom, sunflower, poppy,
// forget-me-not, aster, cosmos and marigold. Petals overlap in layers, each
// cupped and creased along its middle; the hearts are dotted with florets.
#include <cmath>
#include <vector>

#include "tools/contentpack/Tubes.h"

namespace {

struct PetalLook {
    int count;     // petals in the ring
    double inner;  // where they start, from the centre
    double outer;  // where their tips are
    double width;  // half-width at the widest
    double turn;   // degrees of the first petal from straight up
    double notch;  // depth of a notch at the tip (0: none)
    Colour base;   // colour at the heart
    Colour tip;    // colour at the tips
};

// Distance (cell units, negative inside) from a point to a petal lying
// along +x from `inner` to `outer`: an ellipse, with an optional notch cut
// into its tip. First-order distance, f / |grad f|, good near the edge.
double PetalDistance(const PetalLook& look, double along, double across) {
    const double a = (look.outer - look.inner) / 2.0, b = look.width;
    const double x = along - (look.inner + a), y = across;
    const double k = std::sqrt((x * x) / (a * a) + (y * y) / (b * b));
    if (k <= 1e-9) return -b;
    const double gx = x / (a * a * k), gy = y / (b * b * k);
    double distance = (k - 1.0) / std::sqrt(gx * gx + gy * gy);
    if (look.notch > 0.0) {
        // A V cut into the tip.
        const double depth = look.notch * b, slope = 1.3;
        const double cut = (depth - (look.outer - along) - slope * std::fabs(across)) / std::sqrt(1.0 + slope * slope);
        distance = std::max(distance, cut);
    }
    return distance;
}

// The petal's height: cupped towards its middle, creased along its axis.
double PetalHeight(const PetalLook& look, double along, double across) {
    const double d = PetalDistance(look, along, across);
    // Broad petals fold less than narrow ones.
    const double fold = 0.25 * std::min(1.0, 0.12 / look.width);
    return RoundedBevel(d, look.width * 0.8) * 0.5 - fold * std::fabs(across);
}

// The topmost petal of a ring at (u, v), painted over `under`.
Colour PetalRing(const PetalLook& look, double u, double v, Colour under) {
    const double r = std::hypot(u, v);
    if (r > look.outer + 0.02 || r < look.inner - 0.05) return under;
    const double spacing = 2.0 * kPi / look.count;
    const double first = (look.turn - 90.0) * kPi / 180.0;
    for (int i = 0; i < look.count; ++i) {
        const double phi = first + i * spacing;
        const double c = std::cos(phi), s = std::sin(phi);
        const double along = c * u + s * v, across = -s * u + c * v;
        const double distance = PetalDistance(look, along, across);
        const double opacity = EdgeOpacity(distance);
        if (opacity <= 0.0) continue;
        // Normal in the petal's frame, turned back into the picture's.
        const double e = kCellPixel * 0.5;
        const double dx = (PetalHeight(look, along + e, across) - PetalHeight(look, along - e, across)) / (2 * e);
        const double dy = (PetalHeight(look, along, across + e) - PetalHeight(look, along, across - e)) / (2 * e);
        const Vector3 normal = Normalised(Vector3{-(c * dx - s * dy), -(s * dx + c * dy), 1.0});
        const double t = Clamp01((along - look.inner) / (look.outer - look.inner));
        Colour colour = Mix(look.base, look.tip, SmoothStep(0.0, 0.8, t));
        // Fine veins along the petal.
        colour = Scaled(colour, 0.94 + 0.06 * std::cos(across / look.width * 9.0));
        // A thin shade along the edge, so overlapping petals stay apart.
        colour = Mix(Scaled(colour, 0.72), colour, SmoothStep(0.0, 2.5 * kCellPixel, -distance));
        const Colour lit = LitColour(colour, normal, 0.20, 16.0, 0.62);
        under = Over(WithAlpha(lit, opacity), under);
    }
    return under;
}

struct HeartLook {
    double radius;
    Colour colour;
    Colour florets;
    int seeds;  // florets in the spiral
};

// A domed heart covered with florets in a golden-angle spiral.
Colour FlowerHeart(const HeartLook& look, double u, double v, Colour under) {
    const double r = std::hypot(u, v);
    const double opacity = EdgeOpacity(r - look.radius);
    if (opacity <= 0.0) return under;
    const double spacing = look.radius / std::sqrt(static_cast<double>(look.seeds));
    double nearest = 1.0;
    for (int k = 0; k < look.seeds; ++k) {
        const double sr = spacing * std::sqrt(k + 0.5), sa = k * 2.39996323;
        nearest = std::min(nearest, std::hypot(u - sr * std::cos(sa), v - sr * std::sin(sa)));
    }
    const double floret = Clamp01(1.0 - nearest / (spacing * 0.55));
    const double dome = std::sqrt(std::max(0.0, 1.0 - (r / look.radius) * (r / look.radius)));
    const double bump = std::sqrt(floret);
    const Vector3 normal = Normalised(Vector3{u / look.radius * 0.7, v / look.radius * 0.7, 0.3 + dome});
    Colour colour = Mix(Scaled(look.colour, 0.8), look.florets, bump);
    colour = Mix(Scaled(colour, 0.5), colour, SmoothStep(0.0, 0.5, dome));
    return Over(WithAlpha(LitColour(colour, normal, 0.15, 12.0, 0.6), opacity), under);
}

struct FlowerLook {
    std::vector<PetalLook> rings;  // bottom ring first
    HeartLook heart;
};

CellPaint Flower(const FlowerLook& look) {
    return [look](double u, double v) {
        Colour colour{0, 0, 0, 0};
        for (const PetalLook& ring : look.rings) colour = PetalRing(ring, u, v, colour);
        return FlowerHeart(look.heart, u, v, colour);
    };
}

}  // namespace

TubePicture DrawFlowersTube() {
    const Colour white = Rgb(0.98, 0.97, 0.94), yellow = Rgb(0.98, 0.78, 0.10), brown = Rgb(0.36, 0.20, 0.08);
    const std::vector<CellPaint> cells = {
        // Daisy
        Flower({{{18, 0.10, 0.92, 0.085, 0.0, 0.0, Rgb(0.93, 0.93, 0.88), white},
                 {18, 0.10, 0.86, 0.085, 10.0, 0.0, Rgb(0.90, 0.90, 0.86), white}},
                {0.24, Rgb(0.95, 0.62, 0.05), yellow, 90}}),
        // Cherry blossom
        Flower({{{5, 0.02, 0.90, 0.42, 0.0, 0.40, Rgb(0.92, 0.35, 0.55), Rgb(1.00, 0.86, 0.92)}},
                {0.12, Rgb(0.85, 0.30, 0.40), Rgb(1.00, 0.90, 0.50), 24}}),
        // Sunflower
        Flower({{{22, 0.30, 0.94, 0.09, 8.0, 0.0, Rgb(0.95, 0.55, 0.05), Rgb(1.00, 0.80, 0.12)},
                 {22, 0.30, 0.88, 0.09, 0.0, 0.0, Rgb(0.92, 0.50, 0.04), Rgb(1.00, 0.76, 0.10)}},
                {0.42, brown, Rgb(0.55, 0.35, 0.12), 260}}),
        // Poppy
        Flower({{{4, 0.0, 0.94, 0.50, 45.0, 0.0, Rgb(0.60, 0.02, 0.02), Rgb(0.92, 0.12, 0.06)},
                 {4, 0.0, 0.82, 0.44, 0.0, 0.0, Rgb(0.55, 0.02, 0.02), Rgb(0.96, 0.20, 0.08)}},
                {0.16, Rgb(0.10, 0.08, 0.10), Rgb(0.30, 0.30, 0.20), 40}}),
        // Forget-me-not
        Flower({{{5, 0.05, 0.88, 0.38, 36.0, 0.0, Rgb(0.85, 0.90, 1.00), Rgb(0.30, 0.50, 0.95)}},
                {0.12, Rgb(1.00, 0.85, 0.20), Rgb(1.00, 0.95, 0.60), 20}}),
        // Aster
        Flower({{{28, 0.16, 0.93, 0.05, 0.0, 0.0, Rgb(0.55, 0.30, 0.75), Rgb(0.75, 0.55, 0.95)},
                 {28, 0.16, 0.84, 0.05, 6.4, 0.0, Rgb(0.50, 0.25, 0.70), Rgb(0.70, 0.48, 0.90)}},
                {0.20, Rgb(0.95, 0.70, 0.10), yellow, 60}}),
        // Cosmos
        Flower({{{8, 0.06, 0.92, 0.22, 0.0, 0.30, Rgb(0.75, 0.08, 0.45), Rgb(0.95, 0.40, 0.70)}},
                {0.15, Rgb(0.95, 0.70, 0.10), yellow, 36}}),
        // Marigold
        Flower({{{14, 0.10, 0.92, 0.18, 0.0, 0.12, Rgb(0.85, 0.30, 0.02), Rgb(0.98, 0.52, 0.05)},
                 {12, 0.05, 0.70, 0.17, 15.0, 0.12, Rgb(0.90, 0.40, 0.02), Rgb(1.00, 0.62, 0.08)},
                 {10, 0.02, 0.46, 0.15, 5.0, 0.12, Rgb(0.95, 0.50, 0.04), Rgb(1.00, 0.72, 0.12)}},
                {0.10, Rgb(0.80, 0.40, 0.02), Rgb(0.95, 0.60, 0.10), 16}}),
    };
    return TubeSheet("Flowers", 4, cells);
}
