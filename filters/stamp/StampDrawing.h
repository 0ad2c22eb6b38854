// Draws the placed stamps, in list order, over the destination.
#pragma once

#include <functional>
#include <memory>

#include "filters/stamp/ScaledTubeStamp.h"
#include "filters/stamp/StampPlacement.h"
#include "image/Image.h"
#include "image/Progress.h"
#include "image/Rect.h"
#include "image/ResultCode.h"

// Makes the picture to draw for `cell` whose stamp lands moved by `offset`:
// the stamp recoloured into `out`, which the caller owns.
using StampRecolouring = std::function<ResultCode(const FillStampScaledTubeStamp& cell, Point offset,
                                                  std::unique_ptr<Image<unsigned char>>& out)>;

struct StampDrawing {
    const PlacementList* placements = nullptr;
    // Stamps with the destination's colour samples and alpha.
    const CellTable* cells = nullptr;
    Image<unsigned char>* destination = nullptr;
    // The rendered document the placements' fractions refer to.
    Rect document;
    // Set when stamps are recoloured before they are drawn.
    StampRecolouring recolour;
    Abort_Tester* abort = nullptr;
    ProgressUpdateSink* progress = nullptr;
    double progressFrom = 0.0;
    double progressTo = 1.0;
};

// Where a placement puts its stamp's top-left corner in `document`:
// (trunc(left + width × x + 0.5), trunc(top + height × y + 0.5)).
Point StampOffset(const Placement& placement, const Rect& document);

// Composites each placement's stamp over the destination, touching only the
// pixels inside `clip`. Before each placement it reports progress and asks
// the abort tester (status 1: what is drawn stays). Disjoint clips may be
// drawn independently and give the same pixels as one clip over both.
ResultCode DrawStamps(const StampDrawing& drawing, const Rect& clip);
