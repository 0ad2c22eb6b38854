// The passes that Resample is built from, and the pixel blending they share
// with SampleBilinear. Internal to resampling.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "image/Image.h"
#include "image/Parallel.h"

namespace resample_detail {

enum class Axis { Horizontal, Vertical };

// A pass over the rows of its destination, spread over the worker threads
// in chunks of rows (ParallelRows); abort is asked and progress reported
// between chunks.
class RowProgress {
public:
    RowProgress(Abort_Tester* abort, ProgressUpdateSink* sink, double from, double to,
                const Image<unsigned char>& destination)
        : abort_(abort), sink_(sink), from_(from), to_(to), rows_(0, 0, destination.Height(), destination.Width()) {}

    // Runs `rows(begin, end)` for chunks of the destination's rows; each
    // chunk must write only its own rows.
    ResultCode Rows(const std::function<void(int32_t, int32_t)>& rows) const {
        return ParallelRows(rows_, rows, abort_, sink_, from_, to_);
    }

private:
    Abort_Tester* abort_;
    ProgressUpdateSink* sink_;
    double from_;
    double to_;
    Rect rows_;
};

// Bytes truncate toward zero, as the interpolation has always done.
inline unsigned char TruncateToByte(double value) {
    if (value <= 0.0) return 0;
    if (value >= 255.0) return 255;
    return static_cast<unsigned char>(value);
}

// Writes the weighted sum of N source pixels of `channels` samples into
// `out`. With alpha (the last sample) the colours are weighted by each
// pixel's alpha as well, and left as they were when the summed alpha is 0.
template <std::size_t N>
inline void BlendPixels(const unsigned char* const (&pixels)[N], const double (&weights)[N], int32_t channels,
                        bool hasAlpha, unsigned char* out) {
    if (!hasAlpha) {
        for (int32_t c = 0; c < channels; ++c) {
            double sum = 0.0;
            for (std::size_t k = 0; k < N; ++k) sum += weights[k] * pixels[k][c];
            out[c] = TruncateToByte(sum);
        }
        return;
    }
    const int32_t alpha = channels - 1;
    double alphaWeights[N];
    double alphaSum = 0.0;
    for (std::size_t k = 0; k < N; ++k) {
        alphaWeights[k] = weights[k] * pixels[k][alpha];
        alphaSum += alphaWeights[k];
    }
    out[alpha] = TruncateToByte(alphaSum);
    if (alphaSum == 0.0) return;
    for (int32_t c = 0; c < alpha; ++c) {
        double sum = 0.0;
        for (std::size_t k = 0; k < N; ++k) sum += alphaWeights[k] * pixels[k][c];
        out[c] = TruncateToByte(sum / alphaSum);
    }
}

template <std::size_t N>
inline void BlendPixels(const unsigned char* const (&pixels)[N], const double (&weights)[N],
                        const ChannelLayout& layout, unsigned char* out) {
    BlendPixels(pixels, weights, layout.channelCount, layout.hasAlpha, out);
}

// The four bilinear weights of corners (x0, y0), (x0, y0 + 1), (x0 + 1, y0),
// (x0 + 1, y0 + 1), in that order.
inline void BilinearWeights(double fx, double fy, double (&weights)[4]) {
    weights[0] = (1.0 - fx) * (1.0 - fy);
    weights[1] = (1.0 - fx) * fy;
    weights[2] = fx * (1.0 - fy);
    weights[3] = fx * fy;
}

// Each pass fills all of `destination` from `source`; the caller has checked
// that their channels match and that neither is empty. May throw
// std::bad_alloc for its tables.
ResultCode CopyPixels(const Image<unsigned char>& source, Image<unsigned char>& destination,
                      const RowProgress& progress);
ResultCode EnlargeBilinear(const Image<unsigned char>& source, Image<unsigned char>& destination,
                           const RowProgress& progress);
// One-axis passes: the destination has the source's length along the other
// axis. Picks bilinear enlarging or Gaussian reduction along `axis`.
ResultCode ResampleAlongAxis(const Image<unsigned char>& source, Image<unsigned char>& destination, Axis axis,
                             const RowProgress& progress);
ResultCode EnlargeAlongAxis(const Image<unsigned char>& source, Image<unsigned char>& destination, Axis axis,
                            const RowProgress& progress);
ResultCode ReduceAlongAxis(const Image<unsigned char>& source, Image<unsigned char>& destination, Axis axis,
                           const RowProgress& progress);

}  // namespace resample_detail
