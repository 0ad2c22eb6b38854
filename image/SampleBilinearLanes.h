// The bilinear sampler to the edge for a source without alpha, at a
// vector's worth of positions together: for row loops that go on computing
// with the samples in vectors.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "image/Image.h"
#include "image/VectorClones.h"

// SampleBilinearToEdge at positions (xs[k], ys[k]) of the lanes, for a
// source of kChannels channels without alpha and not empty: values[c] holds
// channel c of every lane, the byte as a double. The same operations lane by
// lane: clamping, whole parts, weights and sums as vectors, only the corners
// read one by one. Says false, and sets nothing, where a position is not a
// number (the caller samples those lanes one by one).
template <typename Vector, int32_t kChannels>
[[gnu::always_inline]] inline bool SampleOpaqueLanes(const Image<unsigned char>& source, const double* xs,
                                                     const double* ys, Vector (&values)[kChannels]) {
    using Ints = typename vectors::IntLanes<Vector>::Type;
    constexpr int32_t kLanes = sizeof(Vector) / sizeof(double);
    for (int32_t k = 0; k < kLanes; ++k)
        if (std::isnan(xs[k]) || std::isnan(ys[k])) return false;
    const Rect& b = source.bounds;
    const Vector zero = {};
    Vector x, y;
    vectors::Load(x, xs);
    vectors::Load(y, ys);
    const Vector left = zero + static_cast<double>(b.left), top = zero + static_cast<double>(b.top);
    const Vector right = zero + (b.right - 1.0), bottom = zero + (b.bottom - 1.0);
    x = x < left ? left : x;
    x = right < x ? right : x;
    y = y < top ? top : y;
    y = bottom < y ? bottom : y;
    // The whole part below, through an int as the single sampler takes it.
    const Vector xt = __builtin_convertvector(__builtin_convertvector(x, Ints), Vector);
    const Vector yt = __builtin_convertvector(__builtin_convertvector(y, Ints), Vector);
    const Vector x0 = xt > x ? xt - 1.0 : xt, y0 = yt > y ? yt - 1.0 : yt;
    const Vector fx = x - x0, fy = y - y0;
    const Vector weights[4] = {(1.0 - fx) * (1.0 - fy), (1.0 - fx) * fy, fx * (1.0 - fy), fx * fy};
    const Ints lefts = __builtin_convertvector(x0, Ints), tops = __builtin_convertvector(y0, Ints);
    // Per corner (in the weights' order), the lanes' pixels: a byte each, or
    // for several channels the pixel's first four bytes as a little-endian
    // word, read in one load where four bytes lie within the source.
    const unsigned char* lastWord = source.data + static_cast<std::ptrdiff_t>(b.Height() - 1) * source.rowStride +
                                    static_cast<std::ptrdiff_t>(b.Width()) * source.pixelStride - 4;
    auto word = [lastWord](const unsigned char* pixel) -> int32_t {
        if (kChannels == 1) return pixel[0];
        if (pixel <= lastWord) {
            uint32_t bytes;
            std::memcpy(&bytes, pixel, sizeof bytes);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
            bytes = __builtin_bswap32(bytes);
#endif
            return static_cast<int32_t>(bytes);
        }
        uint32_t bytes = 0;
        for (int32_t c = 0; c < kChannels; ++c) bytes |= static_cast<uint32_t>(pixel[c]) << (8 * c);
        return static_cast<int32_t>(bytes);
    };
    int32_t corners[4][kLanes];
    for (int32_t k = 0; k < kLanes; ++k) {
        const int32_t near = lefts[k], upper = tops[k];
        const int32_t far = near + 1 < b.right ? near + 1 : near;
        const int32_t lower = upper + 1 < b.bottom ? upper + 1 : upper;
        const unsigned char* upperRow = source.data + static_cast<std::ptrdiff_t>(upper - b.top) * source.rowStride;
        const unsigned char* lowerRow = source.data + static_cast<std::ptrdiff_t>(lower - b.top) * source.rowStride;
        const std::ptrdiff_t nearAt = static_cast<std::ptrdiff_t>(near - b.left) * source.pixelStride;
        const std::ptrdiff_t farAt = static_cast<std::ptrdiff_t>(far - b.left) * source.pixelStride;
        corners[0][k] = word(upperRow + nearAt);
        corners[1][k] = word(lowerRow + nearAt);
        corners[2][k] = word(upperRow + farAt);
        corners[3][k] = word(lowerRow + farAt);
    }
    Ints pixels[4];
    for (int32_t corner = 0; corner < 4; ++corner) std::memcpy(&pixels[corner], corners[corner], sizeof pixels[corner]);
    for (int32_t c = 0; c < kChannels; ++c) {
        Vector sum = zero;
        for (int32_t corner = 0; corner < 4; ++corner) {
            const Ints samples = kChannels == 1 ? pixels[corner] : (pixels[corner] >> (8 * c)) & 255;
            sum += weights[corner] * __builtin_convertvector(samples, Vector);
        }
        // Truncated to a byte as the single sampler does.
        sum = sum <= zero ? zero : sum;
        sum = sum >= 255.0 ? zero + 255.0 : sum;
        values[c] = __builtin_convertvector(__builtin_convertvector(sum, Ints), Vector);
    }
    return true;
}
