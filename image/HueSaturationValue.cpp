#include "image/HueSaturationValue.h"

#include <algorithm>
#include <cmath>

namespace {

// Differences below this are taken as no difference at all.
constexpr double kTiny = 1e-7;

}  // namespace

HSVColour ToHSV(const RGBColour& c) {
    const double largest = std::max({c.red, c.green, c.blue});
    const double smallest = std::min({c.red, c.green, c.blue});
    const double spread = largest - smallest;
    HSVColour out;
    out.value = largest;
    out.saturation = largest > kTiny ? spread / largest : 0.0;
    if (spread < kTiny) return out;
    if (largest == c.red) {
        out.hue = (c.green - c.blue) / spread / 6.0;
    } else if (largest == c.green) {
        out.hue = ((c.blue - c.red) / spread + 2.0) / 6.0;
    } else {
        out.hue = ((c.red - c.green) / spread + 4.0) / 6.0;
    }
    if (out.hue < 0.0) out.hue += 1.0;
    return out;
}

RGBColour ToRGB(const HSVColour& c) {
    const double v = c.value;
    if (!(c.saturation > 0.0)) return RGBColour{v, v, v};
    const double turns = c.hue - std::floor(c.hue);
    const double sixths = turns * 6.0;
    const double sector = std::floor(sixths);
    const double f = sixths - sector;
    const double p = v * (1.0 - c.saturation);
    const double q = v * (1.0 - c.saturation * f);
    const double t = v * (1.0 - c.saturation * (1.0 - f));
    switch (static_cast<int>(sector)) {
        case 0: return RGBColour{v, t, p};
        case 1: return RGBColour{q, v, p};
        case 2: return RGBColour{p, v, t};
        case 3: return RGBColour{p, q, v};
        case 4: return RGBColour{t, p, v};
        default: return RGBColour{v, p, q};
    }
}
