// Where the filter dialog puts its parts, from its client rectangle: OK and
// Cancel at the top right, the thumbnail and the preview's toolbox above
// the preview on the right, the parameters in a column on the left (on tab
// pages when the effect has several) and the status bar along the bottom.
#pragma once

#include "base/Rect.h"

enum class DialogRegion {
    OkButton = 0,
    CancelButton = 1,
    Preview = 3,
    StatusBar = 4,
    Toolbox = 5,
    Thumbnail = 6,
    ParameterColumn = 7,  // without tabs
    Tabs = 8,
};

// The dialog window is never made smaller than this (pixels).
inline constexpr int kDialogMinimumWidth = 700;
inline constexpr int kDialogMinimumHeight = 500;

Rect DialogRegionRect(DialogRegion region, const Rect& client);

// A window rectangle being dragged, widened and heightened to the minimum
// by moving its right and bottom edges.
Rect WithMinimumSize(const Rect& window);
