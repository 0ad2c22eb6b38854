// Small images, masks and a render driver for the Edges tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "base/Progress.h"
#include "filters/ParameterBlock.h"
#include "filters/RenderContext.h"
#include "filters/edge/Edge.h"
#include "image/Image.h"
#include "tests/filters/EffectTestSupport.h"

namespace edge_test {

using namespace effect_test;

// Runs BeginRender, Render and EndRender of a fresh Edge with `parameters` on
// a copy of `source` over `area` (the source's bounds when empty).
inline RenderOutcome RenderEdge(const EdgeParameters& parameters, const Image<unsigned char>& source,
                                SingleChannelImage<unsigned char>* mask, double scale = 1.0,
                                Abort_Tester* abort = nullptr, ProgressUpdateSink* progress = nullptr,
                                Rect area = Rect()) {
    ParameterBlock block{};
    block.As<EdgeParameters>() = parameters;
    Edge edge;
    edge.kind = FilterKinds::Edge;
    RenderOptions options;
    options.mask = mask;
    options.scale = scale;
    options.abort = abort;
    options.progress = progress;
    options.area = area;
    return RenderEffect(edge, block, source, options);
}

// The defaults with a chosen treatment and band.
inline EdgeParameters Parameters(int32_t type, double border, double width) {
    EdgeParameters p = edge::DefaultParameters();
    p.edgeType = type;
    p.border.Set(border, kLengthPixels);
    p.width.Set(width, kLengthPixels);
    return p;
}

}  // namespace edge_test
