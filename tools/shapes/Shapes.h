// Shapes as signed distance functions: the distance from a point to the
// shape's edge, negative inside, in whatever units the caller draws in. The
// modules' icons and the default content are drawn from them.
#pragma once

#include <functional>
#include <utility>
#include <vector>

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

// The distance from (x, y) to the segment from (ax, ay) to (bx, by), and its square.
double SegmentDistance(double x, double y, double ax, double ay, double bx, double by);
double SegmentDistanceSquared(double x, double y, double ax, double ay, double bx, double by);
