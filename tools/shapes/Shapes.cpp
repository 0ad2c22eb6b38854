#include "tools/shapes/Shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>

Shape Circle(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Ring(double cx, double cy, double radius, double halfWidth) {
    return [=](double x, double y) { return std::fabs(std::hypot(x - cx, y - cy) - radius) - halfWidth; };
}

double SegmentDistanceSquared(double x, double y, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    double t = lengthSquared > 0 ? ((x - ax) * dx + (y - ay) * dy) / lengthSquared : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = x - (ax + t * dx);
    const double ey = y - (ay + t * dy);
    return ex * ex + ey * ey;
}

double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
    return std::sqrt(SegmentDistanceSquared(x, y, ax, ay, bx, by));
}

Shape Capsule(double ax, double ay, double bx, double by, double radius) {
    return [=](double x, double y) { return SegmentDistance(x, y, ax, ay, bx, by) - radius; };
}

Shape RoundedBox(double left, double top, double right, double bottom, double radius) {
    const double cx = (left + right) / 2;
    const double cy = (top + bottom) / 2;
    const double hx = (right - left) / 2 - radius;
    const double hy = (bottom - top) / 2 - radius;
    return [=](double x, double y) {
        const double qx = std::fabs(x - cx) - hx;
        const double qy = std::fabs(y - cy) - hy;
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    };
}

Shape Polygon(std::vector<std::pair<double, double>> points) {
    return [points = std::move(points)](double x, double y) {
        double nearest = std::numeric_limits<double>::max();
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const auto [xi, yi] = points[i];
            const auto [xj, yj] = points[j];
            nearest = std::min(nearest, SegmentDistanceSquared(x, y, xi, yi, xj, yj));
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
        }
        return inside ? -std::sqrt(nearest) : std::sqrt(nearest);
    };
}

Shape Union(std::vector<Shape> shapes) {
    return [shapes = std::move(shapes)](double x, double y) {
        double distance = std::numeric_limits<double>::max();
        for (const Shape& shape : shapes) distance = std::min(distance, shape(x, y));
        return distance;
    };
}

Shape Grown(Shape shape, double amount) {
    return [shape = std::move(shape), amount](double x, double y) { return shape(x, y) - amount; };
}
