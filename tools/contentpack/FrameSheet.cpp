#include "tools/contentpack/FrameSheet.h"

#include <algorithm>
#include <cmath>

bool RailPointAt(double x, double y, double size, RailPoint& point) {
    const double cell = size / 3.0;
    const double distances[4] = {y, size - x, size - y, x};
    const int nearest = static_cast<int>(std::min_element(distances, distances + 4) - distances);
    if (distances[nearest] >= cell) return false;
    point.rail = static_cast<Rail>(nearest);
    point.across = distances[nearest] / cell;
    point.along = (nearest == 0 || nearest == 2 ? x : y) / cell;
    for (int i = 0; i < 4; ++i) point.edges[i] = distances[i] / cell;
    point.corner = (x < cell || x >= 2.0 * cell) && (y < cell || y >= 2.0 * cell);
    point.beside = 3.0;
    if (point.corner) {
        for (int i = 0; i < 4; ++i) {
            if (i != nearest) point.beside = std::min(point.beside, point.edges[i]);
        }
    }
    return true;
}

double MitreDistance(const RailPoint& point) {
    if (!point.corner) return 3.0 * kFrameCellSize;
    return (point.beside - point.across) * kFrameCellSize / std::sqrt(2.0);
}

FramePicture FrameSheet(const std::string& name, const FrameStyle& style) {
    const double size = 3.0 * kFrameCellSize;
    const HeightFunction height = [&style, size](double x, double y) {
        RailPoint point{};
        if (!RailPointAt(x, y, size, point)) return 0.0;
        // Beyond the outer edge the moulding is taken to go on level.
        point.across = std::max(point.across, 0.0);
        return style.height(point);
    };
    const Picture picture = Paint(3 * kFrameCellSize, 3 * kFrameCellSize, 2, [&](double x, double y) {
        RailPoint point{};
        if (!RailPointAt(x, y, size, point)) return Colour{0, 0, 0, 0};
        constexpr double kStep = 0.5;
        const double here = height(x, y);
        const double dx = (height(x + kStep, y) - height(x - kStep, y)) / (2 * kStep);
        const double dy = (height(x, y + kStep) - height(x, y - kStep)) / (2 * kStep);
        const double around = height(x + kStep, y) + height(x - kStep, y) + height(x, y + kStep) + height(x, y - kStep);
        const double concavity = (around - 4.0 * here) / (kStep * kStep);
        return style.colour(point, Normalised(Vector3{-dx, -dy, 1.0}), concavity);
    });
    return FramePicture{name, picture};
}
