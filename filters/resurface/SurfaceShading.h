// The light of the Resurface effect and how it shades a pixel of the new
// surface: a directional light seen over a height field whose slope is
// (gx, gy), with the surface normal N = (−k·gx, −k·gy, 1) for the slope gain k.
#pragma once

#include <cstdint>

#include "filters/LightingParameter.h"

namespace resurface {

struct Light {
    double brightnessFactor = 0.0;     // brightness / 100
    double x = 0.0, y = 0.0, z = 0.0;  // unit vector towards the light; y grows downwards
    double highlightExponent = 0.0;    // 2·sqrt(100 − sharpness) + 3
};

// Direction θ and inclination φ in degrees (π taken as 3.14159265):
// L = (cos φ · cos θ, −cos φ · sin θ, sin φ).
Light LightFrom(const LightingValue& value);

// How much of the shadow colour and of the light colour a pixel of slope
// (gx, gy) receives, as amounts from 0 to 255. With e = N · L: e ≤ 0 (the
// surface faces away) is all shadow and no highlight; otherwise the shadow
// amount is 255 · (1 − e / |N|), and where the light's mirror direction
// r = 2e / |N|² − Lz points up (r > 0) the highlight amount is
// 255 · brightness factor · r^exponent. kNoHighlight marks no highlight.
struct Shading {
    double shadow = 0.0;
    double highlight = 0.0;
};
inline constexpr double kNoHighlight = -1.0;
Shading ShadingFor(double slopeGain, double gx, double gy, const Light& light);

// Blends a pixel toward `colour` by `amount` (0 to 255). `channels` holds
// the colour channels as doubles; without alpha each becomes
// c + (C − c) · amount / 255. With `alpha` (0 to 255, updated), the colour
// is painted over the pixel: o = (255 − amount) · α / 255, t = o + amount,
// each channel (amount · C + o · c) / t when t > 0, and α = t.
// Inline: the per-pixel stage calls it twice a pixel.
inline void BlendToward(double* channels, int32_t colourChannels, double* alpha, const double* colour, double amount) {
    if (alpha == nullptr) {
        for (int32_t c = 0; c < colourChannels; ++c)
            channels[c] = channels[c] + (colour[c] - channels[c]) * amount / 255.0;
        return;
    }
    const double over = (255.0 - amount) * *alpha / 255.0;
    const double total = over + amount;
    if (total > 0.0)
        for (int32_t c = 0; c < colourChannels; ++c) channels[c] = (amount * colour[c] + over * channels[c]) / total;
    *alpha = total;
}

}  // namespace resurface
