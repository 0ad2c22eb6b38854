#include "filters/resurface/SurfaceShading.h"

#include <cmath>

namespace resurface {
namespace {

constexpr double kPi = 3.14159265;

}  // namespace

Light LightFrom(const LightingValue& value) {
    Light light;
    light.brightnessFactor = value.brightness * 0.01;
    const double theta = value.direction * kPi / 180.0;
    const double phi = value.elevation * kPi / 180.0;
    light.x = std::cos(phi) * std::cos(theta);
    light.y = -std::cos(phi) * std::sin(theta);
    light.z = std::sin(phi);
    light.highlightExponent = 2.0 * std::sqrt(100.0 - value.sharpness) + 3.0;
    return light;
}

Shading ShadingFor(double slopeGain, double gx, double gy, const Light& light) {
    const double nx = -slopeGain * gx;
    const double ny = -slopeGain * gy;
    const double lengthSquared = 1.0 + nx * nx + ny * ny;
    const double length = std::sqrt(lengthSquared);
    const double e = nx * light.x + ny * light.y + light.z;
    Shading shading;
    shading.highlight = kNoHighlight;
    if (e <= 0.0) {
        shading.shadow = 255.0;
        return shading;
    }
    shading.shadow = 255.0 * (1.0 - e / length);
    const double r = 2.0 * e / lengthSquared - light.z;
    if (r > 0.0) shading.highlight = 255.0 * light.brightnessFactor * std::pow(r, light.highlightExponent);
    return shading;
}

}  // namespace resurface
