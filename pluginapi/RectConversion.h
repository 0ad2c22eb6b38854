// Conversions between the interface's 16-bit rectangles and the core's Rect,
// for both sides of the interface.
#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "pluginapi/PluginInterface.h"

inline Rect RectFromHost(const ps::Rect16& rect) { return Rect(rect.top, rect.left, rect.bottom, rect.right); }

// A coordinate outside the 16-bit range is clamped into it.
inline ps::Rect16 RectToHost(const Rect& rect) {
    const auto clamp = [](int32_t value) {
        return static_cast<int16_t>(value < INT16_MIN ? INT16_MIN : value > INT16_MAX ? INT16_MAX : value);
    };
    return ps::Rect16{clamp(rect.top), clamp(rect.left), clamp(rect.bottom), clamp(rect.right)};
}
