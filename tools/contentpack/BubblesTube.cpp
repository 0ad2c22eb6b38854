// Soap bubbles: nearly clear in the middle, with a coloured film that
// thickens towards the rim, a window highlight and a small reflection.
#include <cmath>
#include <memory>

#include "tools/contentpack/TileableNoise.h"
#include "tools/contentpack/Tubes.h"

namespace {

struct Bubble {
    double x, y, radius;
};

// The film's colour: thin-film interference gives bands of changing hue;
// here hue drifts with the angle around the bubble and with the noise.
Colour FilmColour(double angle, double rim, double swirl, double hueShift) {
    const double hue = hueShift + 0.18 * std::sin(angle * 2.0 + swirl * 3.0) + 0.35 * rim + 0.25 * swirl;
    return Hsv(hue, 0.55, 1.0);
}

// One bubble's colour and opacity at (u, v), or nothing outside it.
Colour BubbleAt(const Bubble& bubble, double u, double v, double swirl, double hueShift) {
    const double dx = (u - bubble.x) / bubble.radius, dy = (v - bubble.y) / bubble.radius;
    const double r = std::sqrt(dx * dx + dy * dy);
    const double opacity = EdgeOpacity((r - 1.0) * bubble.radius, 1.5);
    if (opacity <= 0.0) return Colour{0, 0, 0, 0};
    const double rim = std::pow(std::min(r, 1.0), 6.0);
    Colour film = WithAlpha(FilmColour(std::atan2(dy, dx), rim, swirl, hueShift), 0.10 + 0.55 * rim);
    // A thin darker line where the film turns edge-on.
    film = Over(Rgb(0.20, 0.30, 0.45, 0.45 * SmoothStep(0.93, 0.99, r)), film);
    // The window: a soft rounded highlight up and to the left.
    const double wx = (dx + 0.42) * 0.7071 - (dy + 0.42) * 0.7071;
    const double wy = (dx + 0.42) * 0.7071 + (dy + 0.42) * 0.7071;
    const double window = std::exp(-std::pow(wx / 0.30, 4.0) - std::pow(wy / 0.15, 4.0));
    film = Over(Rgb(1.0, 1.0, 1.0, 0.85 * window), film);
    const double sx = dx - 0.45, sy = dy - 0.52;
    const double spot = std::exp(-(sx * sx + sy * sy) / 0.012);
    film = Over(Rgb(1.0, 1.0, 1.0, 0.55 * spot), film);
    return WithAlpha(film, film.a * opacity);
}

CellPaint Bubbles(std::vector<Bubble> bubbles, double hueShift, int32_t seed) {
    auto noise = std::make_shared<TileableFractalNoise>(30.0, 30.0, 1024, 1024, seed);
    return [=](double u, double v) {
        const double swirl = (*noise)(u * 80.0 + 200.0, v * 80.0 + 200.0);
        Colour colour{0, 0, 0, 0};
        for (const Bubble& bubble : bubbles) colour = Over(BubbleAt(bubble, u, v, swirl, hueShift), colour);
        return colour;
    };
}

}  // namespace

TubePicture DrawBubblesTube() {
    const std::vector<CellPaint> cells = {
        Bubbles({{0.0, 0.0, 0.92}}, 0.55, 21),
        Bubbles({{0.0, 0.0, 0.78}}, 0.85, 22),
        Bubbles({{-0.22, 0.18, 0.70}, {0.50, -0.45, 0.42}}, 0.25, 23),
        Bubbles({{0.0, 0.0, 0.62}}, 0.40, 24),
        Bubbles({{-0.35, -0.35, 0.50}, {0.40, 0.05, 0.45}, {-0.15, 0.55, 0.36}}, 0.70, 25),
        Bubbles({{0.0, 0.0, 0.88}}, 0.10, 26),
        Bubbles({{0.0, 0.0, 0.70}}, 0.62, 27),
        Bubbles({{0.20, 0.22, 0.66}, {-0.52, -0.50, 0.34}}, 0.95, 28),
    };
    return TubeSheet("Bubbles", 4, cells);
}
