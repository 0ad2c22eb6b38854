// A small anti-aliased raster for drawing the modules' icons and cursors
// from shapes given as signed distance functions (negative inside).
#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
};

// Signed distance from (x, y) to the shape's edge, in the shape's units.
using Shape = std::function<double(double x, double y)>;

Shape Circle(double cx, double cy, double radius);
Shape Ring(double cx, double cy, double radius, double halfWidth);
// A line segment with round ends, `radius` wide on each side.
Shape Capsule(double ax, double ay, double bx, double by, double radius);
// An axis-aligned box with corners rounded by `radius`.
Shape RoundedBox(double left, double top, double right, double bottom, double radius);
// A closed polygon (even-odd rule).
Shape Polygon(std::vector<std::pair<double, double>> points);
Shape Union(std::vector<Shape> shapes);
// The shape grown by `amount` on every side.
Shape Grown(Shape shape, double amount);

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
