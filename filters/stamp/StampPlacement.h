// Where stamps go: the placement list, and the random draw that fills it from
// the pixels a stamp may be centred on until a coverage budget is spent.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/stamp/PixelRunList.h"
#include "filters/stamp/ScaledTubeStamp.h"
#include "image/RandomGenerator.h"

// One stamp: the top-left corner of its cell's scaled stamp as fractions of
// the full-size image's width and height (so that a preview at any scale
// puts it in the same place), and the cell.
struct Placement {
    double x = 0.0;
    double y = 0.0;
    int32_t column = 0;
    int32_t row = 0;
};

using PlacementList = std::vector<Placement>;

struct PlacementDraw {
    const PixelRunList* centres = nullptr;  // where stamp centres may go, full-size pixels
    double budget = 0.0;                    // stop once the placed stamps' areas reach it
    const CellTable* cells = nullptr;       // measured at full size
    Rect image;                             // the full-size image
    RandomGenerator* generator = nullptr;
    Abort_Tester* abort = nullptr;
    ProgressUpdateSink* progress = nullptr;
    double progressFrom = 0.0;
    double progressTo = 1.0;
};

// Appends placements until their cells' areas add up to the budget (nothing
// without centres). For each: a centre pixel (bx, by) = centres[NextInRange(0,
// count)]; a cell, column then row, each NextInRange over the grid; rounding
// bits rx = Chance(centre fraction x), ry likewise; a jitter (jx, jy) =
// NextPointBelow(2, 2); the placement ((bx − (rx + jx + centre offset x)) ÷
// width, (by − (ry + jy + centre offset y)) ÷ height). Progress follows the
// placed area, abort is asked before each draw (status 1); -108 when memory
// runs out.
ResultCode DrawPlacements(const PlacementDraw& draw, PlacementList& placements);

// Adds a placement, turning a failed allocation into false.
bool AppendPlacement(PlacementList& placements, const Placement& placement);

// How far beyond the selection's box the stamps of DrawPlacements can show
// (shadows aside) when their centres keep at least their radius plus
// `offset` rendered pixels inside the selection edge: −offset where that is
// outside, and 3 more for the edge's half pixel and for the rounding bits
// and the jitter, which put a stamp's centre up to 2 pixels above and left
// of its centre pixel.
int32_t StampReach(double offset);
