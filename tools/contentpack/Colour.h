// Colours for drawing the default content: straight red, green, blue in 0..1
// and an opacity, with the few operations the drawings need.
#pragma once

#include <algorithm>
#include <cmath>

constexpr double kPi = 3.14159265358979323846;

struct Colour {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
    double a = 1.0;
};

inline Colour Rgb(double r, double g, double b, double a = 1.0) { return Colour{r, g, b, a}; }

// From 0..255 components.
inline Colour Rgb8(int r, int g, int b) { return Colour{r / 255.0, g / 255.0, b / 255.0, 1.0}; }

inline double Clamp01(double v) { return std::clamp(v, 0.0, 1.0); }

inline double SmoothStep(double edge0, double edge1, double x) {
    const double t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

inline double Mix(double a, double b, double t) { return a + (b - a) * t; }

// Colours mixed component by component, opacity too.
inline Colour Mix(const Colour& a, const Colour& b, double t) {
    return Colour{Mix(a.r, b.r, t), Mix(a.g, b.g, t), Mix(a.b, b.b, t), Mix(a.a, b.a, t)};
}

inline Colour Scaled(const Colour& c, double factor) { return Colour{c.r * factor, c.g * factor, c.b * factor, c.a}; }

inline Colour WithAlpha(const Colour& c, double a) { return Colour{c.r, c.g, c.b, a}; }

// `top` over `under`, both straight.
inline Colour Over(const Colour& top, const Colour& under) {
    const double a = top.a + under.a * (1.0 - top.a);
    if (a <= 0.0) return Colour{0.0, 0.0, 0.0, 0.0};
    auto channel = [&](double t, double u) { return (t * top.a + u * under.a * (1.0 - top.a)) / a; };
    return Colour{channel(top.r, under.r), channel(top.g, under.g), channel(top.b, under.b), a};
}

// Hue as a fraction of a turn, saturation and value in 0..1.
inline Colour Hsv(double hue, double saturation, double value, double a = 1.0) {
    hue = (hue - std::floor(hue)) * 6.0;
    const int sector = static_cast<int>(hue) % 6;
    const double f = hue - std::floor(hue);
    const double p = value * (1.0 - saturation);
    const double q = value * (1.0 - saturation * f);
    const double t = value * (1.0 - saturation * (1.0 - f));
    switch (sector) {
        case 0: return Colour{value, t, p, a};
        case 1: return Colour{q, value, p, a};
        case 2: return Colour{p, value, t, a};
        case 3: return Colour{p, q, value, a};
        case 4: return Colour{t, p, value, a};
        default: return Colour{value, p, q, a};
    }
}
