// Scaling of 8-bit images to another size.
#pragma once

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "image/Image.h"

// Fills `destination` (its bounds fix the output size) from `source`, which
// must have the same channels (colour channels and alpha). Enlarging
// interpolates bilinearly so that the corner pixels of both images coincide;
// reducing takes a Gaussian-weighted mean of the source samples around each
// output sample; when both sides change and one shrinks, the work is done in
// two one-axis passes through an intermediate image. An axis whose source is
// one pixel long is stretched as a copy of that pixel line. Alpha images are
// interpolated and reduced alpha-weighted, so transparent pixels lend no
// colour (no dark fringe round a shrunk picture on black transparency).
//
// Abort is asked before each destination row and progress reported after it
// (the first of two passes takes the first half of the range). -1 when the
// images do not match or the source has no pixels.
ResultCode Resample(const Image<unsigned char>& source, Image<unsigned char>& destination, Abort_Tester* abort,
                    ProgressUpdateSink* sink, double from, double to);

// Writes into `pixel` (laid out like a source pixel) the bilinear sample of
// `source` at document position (x, y), where integer positions are pixel
// centres. Conversions to bytes truncate. Without alpha the position is first
// clamped to the source; with alpha, samples outside the source count as
// fully transparent, and when the resulting alpha is 0 only the alpha byte is
// written. A source less than 2 pixels wide or high writes nothing.
void SampleBilinear(const Image<unsigned char>& source, double x, double y, unsigned char* pixel);

// As SampleBilinear, but without alpha the position is clamped to the
// centres of the outermost pixels themselves, so that a position on a pixel
// centre reads that pixel exactly, on the last row and column too; corners
// past the last pixel carry no weight there. Sources one pixel wide or high
// are sampled as well. Inside, the result equals SampleBilinear's.
void SampleBilinearToEdge(const Image<unsigned char>& source, double x, double y, unsigned char* pixel);

// SampleBilinearToEdge at `count` positions (xs[i], ys[i]), into `pixels`
// one after another, laid out like the source's (its channel count each).
void SampleBilinearToEdgeRow(const Image<unsigned char>& source, const double* xs, const double* ys, int32_t count,
                             unsigned char* pixels);
