#include "image/Resample.h"

#include <new>

#include "image/ResamplePasses.h"

namespace {

using resample_detail::Axis;
using resample_detail::RowProgress;

bool SameChannels(const ChannelLayout& a, const ChannelLayout& b) {
    return a.colourChannels == b.colourChannels && a.hasAlpha == b.hasAlpha && a.channelCount == b.channelCount;
}

// Both sides change and at least one shrinks: two one-axis passes through an
// intermediate image. When only the width grows, the horizontal pass goes
// first; otherwise the vertical one.
ResultCode ResampleInTwoPasses(const Image<unsigned char>& source, Image<unsigned char>& destination,
                               Abort_Tester* abort, ProgressUpdateSink* sink, double from, double to) {
    const bool horizontalFirst = destination.Width() > source.Width() && destination.Height() < source.Height();
    const int32_t width = horizontalFirst ? destination.Width() : source.Width();
    const int32_t height = horizontalFirst ? source.Height() : destination.Height();
    ResultCode allocation;
    Image<unsigned char> intermediate(source.layout, Rect(0, 0, height, width), allocation);
    if (allocation.IsFailure() || !intermediate.HasData()) return ResultCode::OutOfMemory();

    const double middle = from + (to - from) / 2.0;
    const Axis firstAxis = horizontalFirst ? Axis::Horizontal : Axis::Vertical;
    const Axis secondAxis = horizontalFirst ? Axis::Vertical : Axis::Horizontal;
    const RowProgress firstProgress(abort, sink, from, middle, intermediate);
    const ResultCode first = resample_detail::ResampleAlongAxis(source, intermediate, firstAxis, firstProgress);
    if (first.IsFailure()) return first;
    const RowProgress secondProgress(abort, sink, middle, to, destination);
    return resample_detail::ResampleAlongAxis(intermediate, destination, secondAxis, secondProgress);
}

ResultCode ResampleChecked(const Image<unsigned char>& source, Image<unsigned char>& destination, Abort_Tester* abort,
                           ProgressUpdateSink* sink, double from, double to) {
    const int32_t sw = source.Width(), sh = source.Height();
    const int32_t dw = destination.Width(), dh = destination.Height();
    const RowProgress progress(abort, sink, from, to, destination);
    if (sw == dw && sh == dh) return resample_detail::CopyPixels(source, destination, progress);
    if (dw >= sw && dh >= sh) return resample_detail::EnlargeBilinear(source, destination, progress);
    if (dw == sw) return resample_detail::ResampleAlongAxis(source, destination, Axis::Vertical, progress);
    if (dh == sh) return resample_detail::ResampleAlongAxis(source, destination, Axis::Horizontal, progress);
    return ResampleInTwoPasses(source, destination, abort, sink, from, to);
}

}  // namespace

ResultCode Resample(const Image<unsigned char>& source, Image<unsigned char>& destination, Abort_Tester* abort,
                    ProgressUpdateSink* sink, double from, double to) {
    if (destination.bounds.IsEmpty()) return ResultCode::Success();
    if (source.bounds.IsEmpty() || !source.HasData() || !destination.HasData()) return ResultCode::Failure();
    if (!SameChannels(source.layout, destination.layout)) return ResultCode::Failure();
    try {
        return ResampleChecked(source, destination, abort, sink, from, to);
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
}

namespace resample_detail {

ResultCode CopyPixels(const Image<unsigned char>& source, Image<unsigned char>& destination,
                      const RowProgress& progress) {
    const int32_t channels = source.layout.channelCount;
    return progress.Rows([&](int32_t first, int32_t last) {
        for (int32_t y = first; y < last; ++y) {
            const unsigned char* in = source.data + static_cast<std::ptrdiff_t>(y) * source.rowStride;
            unsigned char* out = destination.data + static_cast<std::ptrdiff_t>(y) * destination.rowStride;
            for (int32_t x = 0; x < destination.Width(); ++x) {
                for (int32_t c = 0; c < channels; ++c) out[c] = in[c];
                in += source.pixelStride;
                out += destination.pixelStride;
            }
        }
    });
}

ResultCode ResampleAlongAxis(const Image<unsigned char>& source, Image<unsigned char>& destination, Axis axis,
                             const RowProgress& progress) {
    const bool horizontal = axis == Axis::Horizontal;
    const int32_t sourceLength = horizontal ? source.Width() : source.Height();
    const int32_t destinationLength = horizontal ? destination.Width() : destination.Height();
    if (destinationLength == sourceLength) return CopyPixels(source, destination, progress);
    if (destinationLength > sourceLength) return EnlargeAlongAxis(source, destination, axis, progress);
    return ReduceAlongAxis(source, destination, axis, progress);
}

}  // namespace resample_detail
