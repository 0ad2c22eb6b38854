#include "controls/GradientStops.h"

#include <algorithm>
#include <cmath>

#include "filters/ColourConversion.h"

namespace {

int16_t Truncated(double value) { return static_cast<int16_t>(std::clamp(std::trunc(value), -32768.0, 32767.0)); }

bool IsColourSpace(int32_t mode) { return mode >= ColorSpec::kRGB && mode <= ColorSpec::kXYZ; }

int32_t ChannelsOf(int16_t space) {
    if (space == ColorSpec::kCMYK) return 4;
    if (space == ColorSpec::kGray) return 1;
    return 3;
}

}  // namespace

ColorSpec StopColourSpec(const GradientStop& stop) {
    const int16_t space = IsColourSpace(stop.mode) ? static_cast<int16_t>(stop.mode) : int16_t{ColorSpec::kRGB};
    ColorSpec colour{space, 0, 0, 0, 0};
    int16_t* parts[4] = {&colour.c0, &colour.c1, &colour.c2, &colour.c3};
    const int channels = std::clamp(stop.channels, 0, 4);
    for (int i = 0; i < channels; ++i) *parts[i] = Truncated(stop.components[static_cast<std::size_t>(i)]);
    return colour;
}

GradientColour StopColour(const GradientStop& stop) {
    const auto rgb = ColourToRGB(StopColourSpec(stop));
    const std::size_t alphaIndex = static_cast<std::size_t>(std::clamp(stop.channels, 0, 4));
    const double alpha = stop.alpha ? std::clamp(stop.components[alphaIndex], 0.0, 255.0) : 255.0;
    return GradientColour{static_cast<double>(rgb[0]), static_cast<double>(rgb[1]), static_cast<double>(rgb[2]), alpha};
}

GradientColour ColourAt(const GradientStops& stops, double location) {
    if (stops.empty()) return GradientColour{0, 0, 0, 255};
    if (location <= stops.front().location) return StopColour(stops.front());
    if (location >= stops.back().location) return StopColour(stops.back());
    const auto after = std::find_if(stops.begin(), stops.end(),
                                    [location](const GradientStop& stop) { return stop.location > location; });
    const GradientStop& left = *(after - 1);
    const GradientStop& right = *after;
    const double span = right.location - left.location;
    const double t = span > 0.0 ? (location - left.location) / span : 0.0;
    const GradientColour a = StopColour(left);
    const GradientColour b = StopColour(right);
    return GradientColour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

GradientStop StopAt(const GradientStops& stops, double location) {
    const GradientColour colour = ColourAt(stops, location);
    GradientStop stop;
    stop.location = location;
    stop.components = {colour.r, colour.g, colour.b, colour.a, 0.0};
    stop.alpha = colour.a < 255.0;
    if (!stop.alpha) stop.components[3] = 0.0;
    return stop;
}

void SetStopColour(GradientStop& stop, const ColorSpec& colour) {
    const std::size_t oldAlphaIndex = static_cast<std::size_t>(std::clamp(stop.channels, 0, 4));
    const double alpha = stop.alpha ? stop.components[oldAlphaIndex] : 0.0;
    stop.mode = colour.space;
    stop.channels = ChannelsOf(colour.space);
    stop.components = {static_cast<double>(colour.c0), static_cast<double>(colour.c1), static_cast<double>(colour.c2),
                       static_cast<double>(colour.c3), 0.0};
    for (std::size_t i = static_cast<std::size_t>(stop.channels); i < 5; ++i) stop.components[i] = 0.0;
    if (stop.alpha) stop.components[static_cast<std::size_t>(stop.channels)] = alpha;
}

std::size_t InsertStop(GradientStops& stops, const GradientStop& stop) {
    const auto at = std::upper_bound(stops.begin(), stops.end(), stop.location,
                                     [](double location, const GradientStop& s) { return location < s.location; });
    // The insertion may move the stops: the distance is taken after it.
    const auto inserted = stops.insert(at, stop);
    return static_cast<std::size_t>(inserted - stops.begin());
}
