// Distance from the selection edge, both sides at once.
//
// The edge is the 127.5 level of an 8-bit mask, found cell by cell. Every
// pixel of the output rectangle within the maximum distance of the edge is
// handed to ProcessPixel with the nearest edge point the march found and its
// distance: positive outside the mask, negative inside. Pixels are handed
// over band by band (in bands one pixel wide), so roughly nearest first. The
// pixels the march never reaches follow, row by row, through
// ProcessFarInside (mask value 128 or more) or ProcessFarOutside. Each pixel
// of the output rectangle gets exactly one hook call per Run.
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

class DistanceTransform {
public:
    // A pixel on the moving front.
    struct Marching_Pixel {
        double contourX, contourY;  // nearest edge point found so far
        double distance;            // from (x, y) to the edge point
        int32_t x, y;
        uint32_t next;     // free-list link: the next free record's index
        int8_t direction;  // 0 N, 1 NE, ... 7 NW (clockwise, y down): the step that reached it
        uint8_t inside;    // 1 when the pixel counts as inside the mask
    };

    DistanceTransform() = default;
    DistanceTransform(const DistanceTransform&) = delete;
    DistanceTransform& operator=(const DistanceTransform&) = delete;
    virtual ~DistanceTransform() = default;

    // Copies the part of `mask` within reach of `output` and allocates the
    // march. The two parameters are kept for the subclass's hooks.
    ResultCode Init(const SingleChannelImage<unsigned char>& mask, double maximumDistance, const Rect& output,
                    double parameter1, double parameter2);

    // Calls the hooks for every output pixel; `abort` is asked once per band
    // and once per far row. Hooks already called stay called when it stops;
    // -1 without a successful Init.
    ResultCode Run(Abort_Tester& abort, ProgressUpdateSink* sink, double progressStart, double progressEnd);

    double MaximumDistance() const { return front_.MaximumDistance(); }
    const Rect& OutputRect() const { return front_.OutputRect(); }
    double Parameter1() const { return parameter1_; }
    double Parameter2() const { return parameter2_; }
    // Records the pool holds now; it starts small and doubles when the front
    // outgrows it.
    std::size_t PoolCapacity() const { return front_.PoolCapacity(); }

protected:
    // A pixel within the maximum distance: |signedDistance| <= maximum.
    virtual void ProcessPixel(Point pixel, ContourPoint contour, double signedDistance) = 0;
    // A pixel never reached, mask value 128 or more.
    virtual void ProcessFarInside(Point pixel) = 0;
    // A pixel never reached, mask value 127 or less.
    virtual void ProcessFarOutside(Point pixel) = 0;
    // False for a subclass whose far-pixel hooks do nothing: the run then
    // skips the pass over the pixels never reached.
    virtual bool WantsFarPixels() const { return true; }
    // Pixels never reached, (left .. right − 1, y), all inside or all outside;
    // calls the far hook of each in turn, left to right. A subclass that can
    // take a row of them at once overrides it.
    virtual void ProcessFarRun(int32_t y, int32_t left, int32_t right, bool inside);

private:
    MarchingFront<Marching_Pixel> front_;
    double parameter1_ = 0.0;
    double parameter2_ = 0.0;
};
