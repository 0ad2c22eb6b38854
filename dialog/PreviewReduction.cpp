#include "dialog/PreviewReduction.h"

#include <algorithm>
#include <cstddef>

Rect ReducedRect(const Rect& rect, int32_t factor) {
    const int32_t f = std::max(factor, 1);
    if (rect.IsEmpty()) return Rect();
    return Rect(CeilDiv(rect.top, f), CeilDiv(rect.left, f), CeilDiv(rect.bottom, f), CeilDiv(rect.right, f));
}

ResultCode ReduceImage(const Image<unsigned char>& source, int32_t factor, Abort_Tester* abort, RowImage& reduced) {
    const int32_t f = std::max(factor, 1);
    const int32_t channels = source.layout.channelCount;
    const Rect bounds = ReducedRect(source.bounds, f);
    const ResultCode allocated = reduced.Allocate(bounds, channels, 1);
    if (allocated.IsFailure()) return allocated;
    if (bounds.IsEmpty() || !source.HasData()) return ResultCode::Success();
    const std::ptrdiff_t step = static_cast<std::ptrdiff_t>(source.pixelStride) * f;
    for (int32_t y = bounds.top; y < bounds.bottom; ++y) {
        if (abort != nullptr && abort->IsAborted()) return ResultCode::Cancelled();
        const unsigned char* in = source.PixelAddress(Point{bounds.left * f, y * f});
        unsigned char* out = reduced.Row(y);
        for (int32_t x = bounds.left; x < bounds.right; ++x, in += step, out += channels) {
            std::copy(in, in + channels, out);
        }
    }
    return ResultCode::Success();
}
