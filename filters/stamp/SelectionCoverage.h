// How much of each pixel a render's selection takes in: the mask's value
// inside its bounds (255 where the render has no mask), nothing beyond them,
// and everything when the selection is the layer's own shape, which the
// effects that clear or fill the layer treat as the whole layer.
#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "filters/RenderContext.h"
#include "image/Image.h"

struct SelectionCoverage {
    // At the render's scale; null selects everything in `bounds`.
    const SingleChannelImage<unsigned char>* mask = nullptr;
    Rect bounds;
    bool everything = false;

    uint8_t At(int32_t x, int32_t y) const {
        if (everything) return 255;
        if (!bounds.Contains(Point{x, y})) return 0;
        if (mask == nullptr) return 255;
        if (!mask->bounds.Contains(Point{x, y})) return 0;
        return *mask->PixelAddress(Point{x, y});
    }
};

// The render's selection: its mask over its bounds (the area to produce
// when it names none), the whole layer when the shape came from the layer's
// transparency.
inline SelectionCoverage CoverageOf(const RenderContext& context) {
    SelectionCoverage coverage;
    coverage.mask = context.maskView;
    coverage.bounds = context.maskBounds.IsEmpty() ? context.area : context.maskBounds;
    coverage.everything = context.shapeFromTransparency;
    return coverage;
}
