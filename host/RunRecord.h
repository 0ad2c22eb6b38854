// The state of one run of an effect, kept in the host's data slot from the
// first selector of the run to finish.
#pragma once

#include <cstdint>
#include <memory>

#include "base/FilterKind.h"
#include "filters/Filter.h"
#include "image/RowImage.h"

// Values of RunRecord::dialogMode.
inline constexpr int32_t kDialogModeShow = 0;       // the start selector runs the dialog
inline constexpr int32_t kDialogModeSilent = 1;     // scripting asked for a silent run
inline constexpr int32_t kDialogModeUndecided = 2;  // no parameters selector yet: a repeat run, silent

struct RunRecord {
    int32_t dialogMode = kDialogModeUndecided;
    std::unique_ptr<RowImage> selectionMask;  // the area to filter, one byte per pixel
    uint8_t shapeFromTransparency = 0;        // the mask is the layer's transparency
    std::unique_ptr<Filter> filter;
    FilterKind kind = 0;
    uint8_t readFromScript = 0;  // parameters came from the host's scripting descriptor
    // The parameters handle held no parameters of this effect: the run
    // started from its defaults (the dialog then offers the last used ones).
    uint8_t firstUse = 0;
    uint8_t dialogConfirmed = 0;  // the dialog ended with the user's confirmation
    // Filled from the host's properties during start.
    int32_t noPropertySuite = 0;
    int32_t hostMajorVersion = 0;
    int32_t hostMinorVersion = 0;
    int32_t rulerUnits = 0;  // a length unit code, 0 to 5
};
