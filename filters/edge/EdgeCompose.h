// The last step of the Edges render: the edge amounts E applied to the
// destination, either painting the edge colour or lowering alpha.
#pragma once

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/ColorSpec.h"
#include "filters/edge/EdgeTiles.h"
#include "image/Image.h"

namespace edge {

struct ComposeRequest {
    const TiledImage* amount = nullptr;  // E; its outside value beyond its bounds
    // Holds the pixels to treat, as the host delivers them, and receives the
    // result.
    Image<unsigned char>* destination = nullptr;
    Rect area;  // the pixels to produce, inside the destination
    // Transparent mode needs the box ticked and alpha in the destination.
    bool transparentTicked = false;
    ColorSpec colour{};
    Abort_Tester* abort = nullptr;  // never null
    ProgressUpdateSink* progress = nullptr;
    double progressStart = 0.9;
    double progressEnd = 1.0;
};

// Row by row, asking the abort tester at the start of each row (status 1 when
// it answers yes). Transparent mode: alpha = trunc(clamp((1 − E) alpha + 0.5,
// 0, 255)), colours kept. Otherwise every channel c = trunc(c + (colour − c) E
// + 0.5), with the colour in the destination's layout and alpha 255. Where E
// is 0 the pixel is left as it is, which both formulas give.
ResultCode ComposeEdge(const ComposeRequest& request);

}  // namespace edge
