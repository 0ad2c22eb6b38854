// A colour gradient as its editor holds it: stops in ascending location,
// each with a colour in a colour mode and channel count of its own, an
// optional alpha, and a value of its own that is carried unchanged. The
// dialog turns these into the settings layer's stored form and back.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "filters/ColorSpec.h"

struct GradientStop {
    // A stop the editor makes carries no colour mode of its own: its
    // components are RGB.
    static constexpr int32_t kNewStopMode = 666;

    double location = 0.0;  // 0 at the left end, 1 at the right
    int32_t mode = kNewStopMode;
    int32_t channels = 3;
    bool alpha = false;
    // The colour channels, then the alpha (0 clear to 255 opaque) when
    // `alpha` is set.
    std::array<double, 5> components{};
    double stopValue = 0.0;
};

using GradientStops = std::vector<GradientStop>;

// The most stops a gradient holds.
inline constexpr std::size_t kMaxGradientStops = 25;

// Red, green, blue and alpha, 0 to 255.
struct GradientColour {
    double r, g, b, a;
};

// The stop's colour as shown on screen: its mode's colour converted to RGB.
GradientColour StopColour(const GradientStop& stop);
// The colour at `location`: the colour of the stops on either side, mixed
// linearly; the end stops' colours beyond them. Black, opaque, without stops.
GradientColour ColourAt(const GradientStops& stops, double location);
// A new stop at `location` with the colour the gradient has there.
GradientStop StopAt(const GradientStops& stops, double location);
// The stop's colour replaced by `colour` (a picked colour), its alpha kept.
void SetStopColour(GradientStop& stop, const ColorSpec& colour);
// The colour of a stop as a ColorSpec, to start a colour picker from.
ColorSpec StopColourSpec(const GradientStop& stop);
// Puts `stop` in its place by location; returns its index.
std::size_t InsertStop(GradientStops& stops, const GradientStop& stop);
