#include "dialog/ZoomLevels.h"

#include <cstdio>

double ZoomedIn(double scale) {
    for (double level : kZoomLevels) {
        if (level < scale) return level;
    }
    return scale < kZoomLevels.back() ? scale : kZoomLevels.back();
}

double ZoomedOut(double scale) {
    for (auto level = kZoomLevels.rbegin(); level != kZoomLevels.rend(); ++level) {
        if (*level > scale) return *level;
    }
    return scale > kZoomLevels.front() ? scale : kZoomLevels.front();
}

double FittingZoom(double sourceWidth, double sourceHeight, int viewWidth, int viewHeight, double smallest) {
    if (viewWidth <= 0 || viewHeight <= 0) return kZoomLevels.front();
    for (auto level = kZoomLevels.rbegin(); level != kZoomLevels.rend(); ++level) {
        if (*level < smallest) continue;
        if (sourceWidth / *level <= viewWidth && sourceHeight / *level <= viewHeight) return *level;
    }
    return kZoomLevels.front();
}

std::string ZoomPercentText(double scale) {
    const double percent = scale > 0.0 ? 100.0 / scale : 0.0;
    char text[32];
    std::snprintf(text, sizeof text, percent >= 100.0 ? "%0.0f%%" : "%0.2f%%", percent);
    return text;
}
