// The zoom levels of the preview: source pixels per preview pixel, from
// 16 (6.25 %) down to 0.0625 (1600 %). Every level above 1 is a whole
// number (the preview renders at that reduction) and every level below 1
// is the inverse of one (each source pixel shows as a square of that many
// preview pixels), so rendered pixels never straddle preview pixels.
#pragma once

#include <array>
#include <string>

inline constexpr std::array<double, 14> kZoomLevels = {16.0, 12.0, 8.0,  6.0, 4.0,   3.0, 2.0,
                                                       1.0,  0.5,  0.25, 0.2, 0.125, 0.1, 0.0625};

// The next level closer in (smaller) and farther out (larger); a scale at
// the end of the list stays. A scale between levels moves to the nearest
// level in that direction.
double ZoomedIn(double scale);
double ZoomedOut(double scale);

// The smallest level (the largest magnification) at which `sourceWidth` ×
// `sourceHeight` source pixels fit into `viewWidth` × `viewHeight` preview
// pixels, no smaller than `smallest`; the largest level when none fits.
double FittingZoom(double sourceWidth, double sourceHeight, int viewWidth, int viewHeight, double smallest);

// The zoom as the user reads it: 100 / scale percent, "%0.0f%%" from 100 %
// up and "%0.2f%%" below (6.25%, 8.33%, 100%, 1600%).
std::string ZoomPercentText(double scale);
