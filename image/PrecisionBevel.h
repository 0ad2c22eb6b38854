// Distance from the selection edge into one side only.
//
// The one-sided twin of DistanceTransform: it measures either the inside or
// the outside of the 127.5 level of an 8-bit mask. Every pixel of the measured
// side in the output rectangle within the maximum distance is handed to
// ProcessPixel with the nearest edge point found and its distance (never
// negative). Every other pixel of the output rectangle, including the whole
// side not measured, goes to ProcessFarInside (mask value 128 or more) or
// ProcessFarOutside. Each output pixel gets exactly one hook call per Run.
//
// Use: subclass, implement the hooks, Init once, Run once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "image/ContourIterator.h"
#include "image/Image.h"
#include "image/MarchingFront.h"

class Precision_Bevel {
public:
    // A pixel on the moving front; its side is the measured one.
    struct Marching_Pixel {
        double contourX, contourY;  // nearest edge point found so far
        double distance;            // from (x, y) to the edge point
        int32_t x, y;
        uint32_t next;     // free-list link: the next free record's index
        int8_t direction;  // 0 N, 1 NE, ... 7 NW (clockwise, y down): the step that reached it
    };

    Precision_Bevel() = default;
    Precision_Bevel(const Precision_Bevel&) = delete;
    Precision_Bevel& operator=(const Precision_Bevel&) = delete;
    virtual ~Precision_Bevel() = default;

    // `measureInside` picks the side: true for the pixels with mask value 128
    // or more, false for the rest (and everything beyond the mask). The two
    // parameters are kept for the subclass's hooks.
    ResultCode Init(const SingleChannelImage<unsigned char>& mask, double maximumDistance, const Rect& output,
                    bool measureInside, double parameter1, double parameter2);

    // As DistanceTransform::Run; -1 without a successful Init.
    ResultCode Run(Abort_Tester& abort, ProgressUpdateSink* sink, double progressStart, double progressEnd);

    bool MeasuresInside() const { return measureInside_; }
    double MaximumDistance() const { return front_.MaximumDistance(); }
    const Rect& OutputRect() const { return front_.OutputRect(); }
    double Parameter1() const { return parameter1_; }
    double Parameter2() const { return parameter2_; }
    std::size_t PoolCapacity() const { return front_.PoolCapacity(); }

protected:
    // A pixel of the measured side, 0 <= distance <= maximum.
    virtual void ProcessPixel(Point pixel, ContourPoint contour, double distance) = 0;
    // A pixel without a record, mask value 128 or more.
    virtual void ProcessFarInside(Point pixel) = 0;
    // A pixel without a record, mask value 127 or less.
    virtual void ProcessFarOutside(Point pixel) = 0;
    // Pixels left .. right - 1 of row y without a record, all on one side:
    // by default one call of the two above each, in order. Far pixels are
    // most of a large picture, so hooks that can fill a run at once do.
    virtual void ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside);

private:
    MarchingFront<Marching_Pixel> front_;
    bool measureInside_ = false;
    double parameter1_ = 0.0;
    double parameter2_ = 0.0;
};
