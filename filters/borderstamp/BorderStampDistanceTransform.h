// Finds the band along the selection edge where Border Stamp centres its
// stamps. The border strip runs from B to B + Q pixels inside the selection
// edge (B negative: outside); keeping stamp centres at least R from both of
// its sides gives the band B + R <= −d <= B + Q − R, with d the signed
// distance from the edge (negative inside).
#pragma once

#include <cstdint>

#include "base/ResultCode.h"
#include "filters/stamp/StampCentres.h"
#include "image/DistanceTransform.h"

class BorderStampDistanceTransform : public DistanceTransform {
public:
    // Collects into `centres`, which must outlive the transform.
    BorderStampDistanceTransform(double offset, int32_t radius, double reach, StampCentres& centres)
        : offset_(offset), radius_(radius), reach_(reach), centres_(centres) {}

protected:
    // Counts every pixel within the limit (V) and keeps those of the band.
    void ProcessPixel(Point pixel, ContourPoint contour, double signedDistance) override;
    void ProcessFarInside(Point) override {}
    void ProcessFarOutside(Point) override {}
    bool WantsFarPixels() const override { return false; }

private:
    double offset_;   // B
    int32_t radius_;  // R
    double reach_;    // Q
    StampCentres& centres_;
};

struct BorderBandSearch : CentreSearch {
    double width = 0.0;   // W
    double offset = 0.0;  // B
    int32_t radius = 0;   // R, the largest stamp radius
};

// With the reach Q = max(W, 2.1 R), runs the transform with the distance
// limit D = max(B − R + Q, −(R + B)) over the image grown by max(0, −⌈B⌉)
// (room outside the selection for a negative offset) and fills `centres`
// with the band and V. -108 when memory runs out, 1 when aborted.
ResultCode FindBorderBand(const BorderBandSearch& search, StampCentres& centres);
