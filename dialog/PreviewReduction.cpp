#include "dialog/PreviewReduction.h"

#include <algorithm>
#include <cstddef>

Rect ReducedRect(const Rect& rect, int32_t factor) {
    const int32_t f = std::max(factor, 1);
    if (rect.IsEmpty()) return Rect();
    return Rect(CeilDiv(rect.top, f), CeilDiv(rect.left, f), CeilDiv(rect.bottom, f), CeilDiv(rect.right, f));
}

namespace {

// Every step-th pixel of a row, `Channels` samples each; a fixed count lets
// the compiler copy a pixel in a move or two instead of a call.
template <int Channels>
void SampleRow(const unsigned char* in, std::ptrdiff_t step, int32_t count, int32_t, unsigned char* out) {
    for (int32_t x = 0; x < count; ++x, in += step, out += Channels) {
        for (int c = 0; c < Channels; ++c) out[c] = in[c];
    }
}

void SampleRowAnyChannels(const unsigned char* in, std::ptrdiff_t step, int32_t count, int32_t channels,
                          unsigned char* out) {
    for (int32_t x = 0; x < count; ++x, in += step, out += channels) std::copy(in, in + channels, out);
}

}  // namespace

ResultCode ReduceImage(const Image<unsigned char>& source, int32_t factor, Abort_Tester* abort, RowImage& reduced) {
    const int32_t f = std::max(factor, 1);
    const int32_t channels = source.layout.channelCount;
    const Rect bounds = ReducedRect(source.bounds, f);
    const ResultCode allocated = reduced.Allocate(bounds, channels, 1);
    if (allocated.IsFailure()) return allocated;
    if (bounds.IsEmpty() || !source.HasData()) return ResultCode::Success();
    const std::ptrdiff_t step = static_cast<std::ptrdiff_t>(source.pixelStride) * f;
    auto sampleRow = channels == 1   ? SampleRow<1>
                     : channels == 2 ? SampleRow<2>
                     : channels == 3 ? SampleRow<3>
                     : channels == 4 ? SampleRow<4>
                                     : SampleRowAnyChannels;
    for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
        if (abort != nullptr && abort->IsAborted()) return ResultCode::Cancelled();
        sampleRow(source.PixelAddress(Point{bounds.left * f, y * f}), step, bounds.Width(), channels, reduced.Row(y));
    }
    return ResultCode::Success();
}
