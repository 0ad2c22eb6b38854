// Finds the pixels inside the selection where Fill Stamp may centre a stamp:
// those at least R + E inside the selection edge, so that a stamp of radius
// R stays E inside it (E negative: up to −E beyond it).
#pragma once

#include <cstdint>

#include "base/ResultCode.h"
#include "filters/stamp/StampCentres.h"
#include "image/DistanceTransform.h"

class FillStampDistanceTransform : public DistanceTransform {
public:
    // Collects into `centres`, which must outlive the transform.
    FillStampDistanceTransform(int32_t radius, double offset, StampCentres& centres)
        : radius_(radius), offset_(offset), centres_(centres) {}

protected:
    // Keeps (and counts in V) a pixel with −D <= d <= −(R + E), D the limit.
    void ProcessPixel(Point pixel, ContourPoint contour, double signedDistance) override;
    // Keeps (and counts) every pixel deeper inside than the limit, a row of
    // them at a time.
    void ProcessFarInside(Point pixel) override { Keep(pixel); }
    void ProcessFarOutside(Point) override {}
    void ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside) override {
        if (!inside) return;
        centres_.visited += right - left;
        centres_.KeepRow(y, left, right);
    }

private:
    void Keep(Point pixel) {
        ++centres_.visited;
        centres_.Keep(pixel);
    }

    int32_t radius_;  // R
    double offset_;   // E
    StampCentres& centres_;
};

struct FillCentreSearch : CentreSearch {
    double offset = 0.0;  // E
    int32_t radius = 0;   // R, the largest stamp radius
};

// Runs the transform with the limit D = max(R + E, −E) over the image grown
// by max(0, −⌈E⌉) and fills `centres` with the pixels kept and V, their
// count. -108 when memory runs out, 1 when aborted.
ResultCode FindFillCentres(const FillCentreSearch& search, StampCentres& centres);
