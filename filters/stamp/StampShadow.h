// The drop shadow the stamp effects put beneath each stamp: the stamp's
// alpha, moved by the shadow's offset, blurred, and painted in the shadow
// colour under the stamp.
#pragma once

#include <cstdint>
#include <memory>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "image/Image.h"

// The shadow as it is drawn at one render scale.
struct ShadowSettings {
    bool on = false;
    double angle = 0.0;     // radians, counter-clockwise from the right; y grows downward
    double distance = 0.0;  // rendered pixels
    double blur = 0.0;      // blur radius, rendered pixels
    double opacity = 0.0;   // 0..1
    uint8_t colour[3] = {0, 0, 0};
};

// The stamp's rectangle grown to hold its shadow: united with itself moved
// by (⌈distance cos angle⌉, ⌈−distance sin angle⌉), then grown by ⌈blur⌉.
Rect ShadowedRect(const Rect& stamp, const ShadowSettings& shadow);

// Replaces `stamp` (red, green, blue, alpha) by a larger image over
// ShadowedRect that holds the stamp composited over its shadow. The mask is
// the stamp's alpha moved by (trunc(distance cos angle + 0.5),
// trunc(−distance sin angle + 0.5)), blurred with `blur`; the shadow's alpha
// is trunc(mask × opacity + 0.5), clamped. The abort tester is asked once per
// row of the last step (status 1). -108 when memory runs out; `stamp` is
// unchanged on failure.
ResultCode AddDropShadow(const ShadowSettings& shadow, std::unique_ptr<Image<unsigned char>>& stamp,
                         Abort_Tester* abort);
