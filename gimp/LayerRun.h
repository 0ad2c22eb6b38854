// One effect on one layer, without GIMP: the layer's 8-bit pixels, the
// selection over it, the image's resolution and the procedure's values go
// in; the layer's new pixels, or a message for the user, come out. The
// effect runs through the in-process host exactly as `dapple apply` runs
// it, so the same pixels, mask and values give the same result.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/FilterKind.h"
#include "gimp/ProcedureValues.h"
#include "inprocesshost/HostImage.h"

struct LayerRunRequest {
    FilterKind kind = FilterKinds::None;
    HostImage layer;                 // grey or RGB, with or without alpha
    std::vector<uint8_t> selection;  // one byte per layer pixel, 255 selected; empty: nothing selected
    double pixelsPerInch = 72.0;
    // The user's colours, which effects may offer as choices.
    std::array<uint8_t, 3> foreground{{0, 0, 0}};
    std::array<uint8_t, 3> background{{255, 255, 255}};
    ProcedureValues values;
    std::function<void(double fraction)> progress;  // may be empty
    std::function<bool()> cancelled;                // asked while the effect runs; may be empty
};

struct LayerRunResult {
    bool succeeded = false;
    bool cancelled = false;
    std::string message;                // why it failed, for the user
    std::vector<std::string> warnings;  // values brought into their range and the run's notes, a line each
    HostImage layer;                    // the new pixels, when it succeeded
};

// Runs the effect. Fails, with the layer left to the caller as it was,
// for a selection that selects nothing of the layer, a setting or value
// that cannot be used (a content file that is not there), or an effect
// that refuses the layer or fails.
LayerRunResult RunEffectOnLayer(LayerRunRequest request);
