// A small anti-aliased raster for drawing the modules' icons and cursors
// from shapes (tools/shapes/Shapes.h).
#pragma once

#include <cstdint>
#include <vector>

#include "tools/shapes/Shapes.h"

struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
};

// Square canvas of size × size pixels; shapes are given in a 32-unit square
// and scaled to the canvas, so one design serves every icon size.
class Canvas {
public:
    explicit Canvas(int size);

    int Size() const { return size_; }
    const Rgba& At(int x, int y) const { return pixels_[static_cast<size_t>(y * size_ + x)]; }

    // Paints `colour` over the canvas where the shape covers it, with
    // coverage from 4 × 4 samples per pixel.
    void Fill(const Shape& shape, Rgba colour);
    // The shape in `fill` with an `outline` border `width` units wide.
    void FillOutlined(const Shape& shape, Rgba fill, Rgba outline, double width);

private:
    int size_;
    std::vector<Rgba> pixels_;
};
