// Fill Stamp's tile mode: stamps scattered over the whole image, as many as
// make the chosen coverage of its area.
#pragma once

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/stamp/ScaledTubeStamp.h"
#include "filters/stamp/StampPlacement.h"
#include "image/RandomGenerator.h"

struct TiledPlacementDraw {
    Rect image;             // full size
    double meanArea = 0.0;  // M, the rounded mean cell area
    double density = 0.0;   // 1..100
    const CellTable* cells = nullptr;
    RandomGenerator* generator = nullptr;
    Abort_Tester* abort = nullptr;
    ProgressUpdateSink* progress = nullptr;
    double progressFrom = 0.0;
    double progressTo = 1.0;
};

// n = trunc(width × height ÷ M × 0.03 × density + 0.5), at least 1, with M
// taken as at least 1 (a tube of nearly invisible cells would divide by 0).
int64_t TiledStampCount(const Rect& image, double meanArea, double density);

// Appends n placements: x = NextInRange(left, right), y = NextInRange(top,
// bottom), (column, row) = NextPointBelow(columns, rows), and the placement
// ((x − centre offset x) ÷ width, (y − centre offset y) ÷ height). Abort is
// asked and progress reported every 1024 stamps; -108 when memory runs out.
ResultCode DrawTiledPlacements(const TiledPlacementDraw& draw, PlacementList& placements);
