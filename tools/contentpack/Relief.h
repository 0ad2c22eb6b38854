// Light on a surface given as a height field: the content is drawn as if
// lit from the upper left (the side the stamps' default drop shadow points
// away from), seen from straight above.
#pragma once

#include <cmath>
#include <functional>

#include "tools/contentpack/Colour.h"

struct Vector3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline double Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector3 Normalised(const Vector3& v) {
    const double length = std::sqrt(Dot(v, v));
    return length > 0.0 ? Vector3{v.x / length, v.y / length, v.z / length} : Vector3{0.0, 0.0, 1.0};
}

// Towards the light: up and to the left in picture coordinates (y down).
inline Vector3 UpperLeftLight() { return Normalised(Vector3{-0.55, -0.65, 0.75}); }

// Height in pixel units at a point of the plane.
using HeightFunction = std::function<double(double x, double y)>;

// The surface normal of `height` at (x, y), from central differences over
// `step` pixels.
inline Vector3 SurfaceNormal(const HeightFunction& height, double x, double y, double step = 0.5) {
    const double dx = (height(x + step, y) - height(x - step, y)) / (2.0 * step);
    const double dy = (height(x, y + step) - height(x, y - step)) / (2.0 * step);
    return Normalised(Vector3{-dx, -dy, 1.0});
}

struct Lighting {
    double diffuse;   // Lambert term, 0..1
    double specular;  // Blinn-Phong highlight, 0..1
};

// The light at a surface with normal `n` for a highlight exponent `shininess`.
inline Lighting LightAt(const Vector3& n, double shininess, const Vector3& light = UpperLeftLight()) {
    const Vector3 halfway = Normalised(Vector3{light.x, light.y, light.z + 1.0});
    const double diffuse = std::max(0.0, Dot(n, light));
    const double specular = diffuse > 0.0 ? std::pow(std::max(0.0, Dot(n, halfway)), shininess) : 0.0;
    return Lighting{diffuse, specular};
}

// A material lit from the upper left: `base` scaled by ambient plus diffuse
// light, with a white highlight of the given strength and shininess.
inline Colour LitColour(const Colour& base, const Vector3& normal, double highlight, double shininess,
                        double ambient = 0.45) {
    const Lighting light = LightAt(normal, shininess);
    const double shade = ambient + (1.0 - ambient) * 1.25 * light.diffuse;
    const double spark = highlight * light.specular;
    return Colour{Clamp01(base.r * shade + spark), Clamp01(base.g * shade + spark), Clamp01(base.b * shade + spark),
                  base.a};
}
