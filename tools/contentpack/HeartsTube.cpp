// Hearts: glossy, domed hearts in reds, pinks and purple, one of gold, one
// with a raised inner heart.
#include <cmath>

#include "tools/contentpack/Tubes.h"

namespace {

// A heart of about `size` cell units high, centred: a square standing on a
// corner, with a half disc on each of its upper sides.
Shape Heart(double size) {
    const double a = size * 0.5;  // half the square's diagonal
    const double shift = a * 0.18;
    const double side = a * std::sqrt(2.0);
    std::vector<Shape> parts = {
        Polygon({{0.0, a + shift}, {a, shift}, {0.0, -a + shift}, {-a, shift}}),
        Circle(-a / 2.0, -a / 2.0 + shift, side / 2.0),
        Circle(a / 2.0, -a / 2.0 + shift, side / 2.0),
    };
    return Union(parts);
}

struct HeartLook {
    double size;
    double degrees;
    Colour colour;
    double shine;     // strength of the highlight
    bool innerHeart;  // a raised heart inside the heart
};

CellPaint GlossyHeart(const HeartLook& look) {
    const Shape outer = Cached(Rotated(Heart(look.size), look.degrees));
    const Shape inner = Cached(Rotated(Heart(look.size * 0.62), look.degrees));
    const Shape dome = Inflated(outer, look.size * 0.16, look.size * 0.30);
    const HeightFunction height = [=](double u, double v) {
        double h = dome(u, v);
        if (look.innerHeart) h += 0.35 * RoundedBevel(std::fabs(inner(u, v)) - 0.035, 0.035);
        return h;
    };
    return [=](double u, double v) {
        const double distance = outer(u, v);
        const double opacity = EdgeOpacity(distance);
        if (opacity <= 0.0) return Colour{0, 0, 0, 0};
        const Vector3 normal = SurfaceNormal(height, u, v, kCellPixel * 0.5);
        Colour lit = LitColour(look.colour, normal, look.shine, 40.0, 0.42);
        // Deeper colour towards the rim, where the dome turns away.
        lit = Mix(Scaled(look.colour, 0.55), lit, SmoothStep(0.0, 0.10, -distance));
        return WithAlpha(lit, opacity);
    };
}

}  // namespace

TubePicture DrawHeartsTube() {
    const std::vector<CellPaint> cells = {
        GlossyHeart({1.30, -6.0, Rgb(0.86, 0.06, 0.12), 0.85, false}),
        GlossyHeart({1.16, 10.0, Rgb(0.98, 0.45, 0.62), 0.75, false}),
        GlossyHeart({1.26, 4.0, Rgb(0.60, 0.02, 0.10), 0.80, true}),
        GlossyHeart({1.10, -14.0, Rgb(0.62, 0.28, 0.82), 0.75, false}),
        GlossyHeart({1.22, 12.0, Rgb(1.00, 0.72, 0.20), 0.90, true}),
        GlossyHeart({1.18, -3.0, Rgb(0.95, 0.30, 0.30), 0.70, false}),
        GlossyHeart({1.28, 7.0, Rgb(1.00, 0.70, 0.78), 0.65, true}),
        GlossyHeart({1.08, -10.0, Rgb(0.90, 0.12, 0.45), 0.80, false}),
    };
    return TubeSheet("Hearts", 4, cells);
}
