// The edge treatments: each fills the edge-amount image E (over the mask's
// bounds, 0 = keep the pixel, 1 = full edge) from the distance of every pixel
// to the selection edge. Used by Edge::Render only.
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/edge/EdgeTiles.h"
#include "image/Image.h"
#include "image/RandomGenerator.h"

namespace edge {

// What every treatment is given. Lengths are in rendered pixels (already
// divided by the reduction factor).
struct TreatmentRequest {
    const SingleChannelImage<unsigned char>* mask = nullptr;  // the selection, 128 or more is inside
    TiledImage* amount = nullptr;                             // E, over the mask's bounds
    Rect area;                // the pixels the render produces; the screens are cut only there
    double border = 0.0;      // w1
    double width = 0.0;       // w2
    double scale = 40.0;      // feature size parameter
    double direction = 45.0;  // screen angle, degrees
    int32_t seed = 1;
    double reductionFactor = 1.0;
    double offsetX = 0.0;  // random screen offset, each in [-1, 1); see HalftoneScreen
    double offsetY = 0.0;
    Abort_Tester* abort = nullptr;  // never null
    ProgressUpdateSink* progress = nullptr;
    double progressStart = 0.0;
    double progressEnd = 0.9;

    void Report(double value) const {
        if (progress != nullptr) progress->Update(value);
    }
    // The point `share` of the way through the request's progress range.
    double ProgressAt(double share) const { return progressStart + share * (progressEnd - progressStart); }
};

// Distress: the border ragged by a single-octave NoiseField or by an FBMField.
ResultCode FillDistress(const TreatmentRequest& request, bool fractal);
// Torn paper: the border ragged by two symmetric turbulence fields.
ResultCode FillTornPaper(const TreatmentRequest& request);
// Halftone dots: a rotated screen of round holes growing toward the inside.
ResultCode FillHalftoneDots(const TreatmentRequest& request);
// Halftone lines: a rotated screen of lines thickening toward the inside.
ResultCode FillHalftoneLines(const TreatmentRequest& request);
// Pixelizer: rotated square cells switched on at random, more often nearer
// the edge.
ResultCode FillPixelizer(const TreatmentRequest& request);
// Any other edge type: uniform random amounts from `generator`, in row order.
void FillUniformRandom(TiledImage& amount, RandomGenerator& generator, ProgressUpdateSink* progress,
                       double progressStart, double progressEnd);

}  // namespace edge
