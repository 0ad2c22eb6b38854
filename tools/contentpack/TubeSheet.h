// What the picture tubes share: the sheet of equal cells a tube is stored
// as, and the way a stamp's shape becomes soft-edged, lit colour.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/contentpack/Picture.h"
#include "tools/contentpack/Relief.h"
#include "tools/shapes/Shapes.h"

// The side of every tube cell, in pixels.
constexpr int32_t kTubeCellSize = 160;

// A colour for each point of a cell, in cell units: (0, 0) at the cell's
// centre, -1 and 1 at its edges, y downward.
using CellPaint = std::function<Colour(double u, double v)>;

struct TubePicture {
    std::string name;  // the file name without extension
    Picture picture;
    int32_t columns;
    int32_t rows;
};

// The cells drawn side by side, `columns` to a row, row after row.
TubePicture TubeSheet(const std::string& name, int32_t columns, const std::vector<CellPaint>& cells);

// The width of one pixel in cell units.
constexpr double kCellPixel = 2.0 / kTubeCellSize;

// The opacity of a shape's edge at a point `distance` cell units outside it
// (negative inside): a ramp about `softness` pixels wide.
double EdgeOpacity(double distance, double softness = 1.2);

// `field` sampled once over the cell on a grid of two points a pixel and
// read back by bilinear interpolation: for shapes and heights that are slow
// to work out and are asked for many times a pixel.
Shape Cached(const Shape& field);

// A smooth, pillow-like height for `shape`: the shape's inside blurred by a
// Gaussian of `radius` cell units, rising from 0 at the edge to `height`
// where the shape is wide. Unlike a bevel made from the distance to the
// edge, it has no ridge where two parts of a shape meet.
Shape Inflated(const Shape& shape, double radius, double height);

// A shape turned around the origin by `degrees` (clockwise on the picture).
Shape Rotated(Shape shape, double degrees);
// A shape moved by (dx, dy) and scaled by `scale` about the origin first.
Shape Placed(Shape shape, double scale, double dx, double dy);

// Height of a rounded bevel: 0 at the edge, rising over `width` cell units
// inside the shape as a quarter circle, then flat at `width`.
double RoundedBevel(double distance, double width);
