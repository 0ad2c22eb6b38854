// Draws the placed stamps, in list order, over the destination.
#pragma once

#include <functional>
#include <memory>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/stamp/ScaledTubeStamp.h"
#include "filters/stamp/SelectionCoverage.h"
#include "filters/stamp/StampPlacement.h"
#include "image/Image.h"

// Makes the picture to draw for `cell` whose stamp lands on `placed`: the
// stamp recoloured into `out` (over the stamp's own bounds), which the caller
// owns; only the pixels that land in `part` need to be made.
using StampRecolouring = std::function<ResultCode(const FillStampScaledTubeStamp& cell, const Rect& placed,
                                                  const Rect& part, std::unique_ptr<Image<unsigned char>>& out)>;

struct StampDrawing {
    const PlacementList* placements = nullptr;
    // Stamps with the destination's colour samples and alpha.
    const CellTable* cells = nullptr;
    Image<unsigned char>* destination = nullptr;
    // The rendered document the placements' fractions refer to.
    Rect document;
    // Set when stamps are recoloured before they are drawn.
    StampRecolouring recolour;
    // Set when stamps are drawn only through the selection.
    const SelectionCoverage* within = nullptr;
    Abort_Tester* abort = nullptr;
    ProgressUpdateSink* progress = nullptr;
    double progressFrom = 0.0;
    double progressTo = 1.0;
};

// Where a placement puts its stamp's top-left corner in `document`:
// (trunc(left + width × x + 0.5), trunc(top + height × y + 0.5)).
Point StampOffset(const Placement& placement, const Rect& document);

// Composites each placement's stamp, in list order, over the destination
// inside `rect` and nowhere else; no progress, no abort. Disjoint rectangles
// may be drawn independently (one per thread) and give the same pixels as
// one rectangle over both.
ResultCode DrawStampsInRect(const StampDrawing& drawing, const Rect& rect);

// DrawStampsInRect over `clip`, in bands of rows that stay in the cache,
// spread over the worker threads: progress rises as bands are done, and the
// abort tester is asked between bands (status 1: the bands drawn so far
// stay).
ResultCode DrawStamps(const StampDrawing& drawing, const Rect& clip);
