// Interleaved images of elements of type T, addressed by document position.
//
// An image either owns its pixels (allocated for a rectangle) or views memory
// that belongs to someone else: a window onto another image, outside memory
// with padded rows, or rows read from the host. Strides count elements of T.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <utility>

#include "base/Rect.h"
#include "base/ResultCode.h"
#include "image/ChannelLayout.h"

class RowImage;

template <typename T>
class Image {
public:
    using ElementType = T;

    ChannelLayout layout;
    Rect bounds;
    T* data = nullptr;  // element at (bounds.left, bounds.top)
    bool ownsData = false;
    int32_t pixelStride = 0;
    std::ptrdiff_t rowStride = 0;
    ChannelLayout workingLayout;
    std::unique_ptr<Image<T>> attachment;  // optional secondary image, freed with this one

    // A layout without pixels; bounds empty.
    explicit Image(const ChannelLayout& l, int32_t stride = -1)
        : layout(Normalised(l)), pixelStride(stride < 0 ? layout.channelCount : stride), workingLayout(layout) {}

    // Owning allocation for `rect`, rows packed, its status in `result`; a
    // layout without channels gives -1. On failure the image has no data.
    Image(const ChannelLayout& l, const Rect& rect, ResultCode& result)
        : layout(Normalised(l)), bounds(rect), pixelStride(layout.channelCount), workingLayout(layout) {
        if (rect.IsEmpty()) return;
        if (layout.channelCount <= 0) {
            result = ResultCode::Failure();
            return;
        }
        std::size_t count = 0;
        if (!PackedElementCount(rect, layout.channelCount, count)) {
            result = ResultCode::OutOfMemory();
            return;
        }
        data = new (std::nothrow) T[count]();
        if (data == nullptr) {
            result = ResultCode::OutOfMemory();
            return;
        }
        ownsData = true;
        rowStride = static_cast<std::ptrdiff_t>(rect.Width()) * pixelStride;
    }

    // A window onto `parent` over `rect` (which must lie inside the parent's
    // bounds); shares the parent's pixels.
    Image(Image<T>& parent, const Rect& rect)
        : layout(parent.layout),
          bounds(rect),
          data(parent.PixelAddress(Point{rect.left, rect.top})),
          pixelStride(parent.pixelStride),
          rowStride(parent.rowStride),
          workingLayout(parent.layout) {}

    // A view of outside memory whose rows are `rowPaddingBytes` longer than
    // the pixels they hold.
    Image(const ChannelLayout& l, const Rect& rect, T* buffer, std::ptrdiff_t rowPaddingBytes)
        : layout(Normalised(l)),
          bounds(rect),
          data(buffer),
          pixelStride(layout.channelCount),
          rowStride(static_cast<std::ptrdiff_t>(layout.channelCount) * rect.Width() +
                    rowPaddingBytes / static_cast<std::ptrdiff_t>(sizeof(T))),
          workingLayout(layout) {}

    // Views the rows of `rows` (host planes) with the layout the host's mode
    // and colour plane count give: alpha when there is exactly one sample per
    // pixel more than the colour planes. Defined for unsigned char only.
    Image(const RowImage& rows, int32_t hostMode, int32_t colourPlanes);
    // Views the rows of `rows` with a layout chosen by the caller. Defined for
    // unsigned char only. The pixel stride is the row image's pixel size, so
    // a layout narrower than the stored pixels still addresses them rightly.
    Image(const RowImage& rows, const ChannelLayout& l);

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    Image(Image&& o) noexcept { *this = std::move(o); }
    Image& operator=(Image&& o) noexcept {
        if (this != &o) {
            Release();
            layout = o.layout;
            bounds = o.bounds;
            data = o.data;
            ownsData = o.ownsData;
            pixelStride = o.pixelStride;
            rowStride = o.rowStride;
            workingLayout = o.workingLayout;
            attachment = std::move(o.attachment);
            o.data = nullptr;
            o.ownsData = false;
        }
        return *this;
    }
    virtual ~Image() { Release(); }

    // No bounds check: callers keep `p` inside `bounds`.
    virtual T* PixelAddress(Point p) const {
        return data + static_cast<std::ptrdiff_t>(p.y - bounds.top) * rowStride +
               static_cast<std::ptrdiff_t>(p.x - bounds.left) * pixelStride;
    }

    bool HasData() const { return data != nullptr; }
    int32_t Width() const { return bounds.Width(); }
    int32_t Height() const { return bounds.Height(); }

protected:
    Image() = default;

private:
    // width × height × channels, false when it would not fit in one object.
    static bool PackedElementCount(const Rect& rect, int32_t channels, std::size_t& count) {
        const uint64_t limit = static_cast<uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()) / sizeof(T);
        const uint64_t width = static_cast<uint64_t>(int64_t{rect.right} - rect.left);
        const uint64_t height = static_cast<uint64_t>(int64_t{rect.bottom} - rect.top);
        const uint64_t perPixel = static_cast<uint64_t>(channels);
        if (width > limit / height) return false;
        if (width * height > limit / perPixel) return false;
        count = static_cast<std::size_t>(width * height * perPixel);
        return true;
    }
    static ChannelLayout Normalised(const ChannelLayout& l) {
        return ChannelLayout(l.colourModel, l.colourChannels, l.hasAlpha);
    }
    void Release() {
        if (ownsData) delete[] data;
        data = nullptr;
        ownsData = false;
    }
};

// A one-channel image (mask, alpha, real field); pixelStride is always 1.
template <typename T>
class SingleChannelImage : public Image<T> {
public:
    // Walks the cells of a mask that straddle the 127/128 level; defined for
    // unsigned char masks only (image/ContourIterator.h).
    class ContourIterator;

    SingleChannelImage() : Image<T>(ChannelLayout::SingleChannel(), 1) {}

    SingleChannelImage(const Rect& rect, ResultCode& result) : Image<T>(ChannelLayout::SingleChannel(), rect, result) {}

    // A window onto another single-channel image.
    SingleChannelImage(SingleChannelImage<T>& parent, const Rect& rect) : Image<T>(parent, rect) {}

    // A view of outside memory with padded rows.
    SingleChannelImage(const Rect& rect, T* buffer, std::ptrdiff_t rowPaddingBytes)
        : Image<T>(ChannelLayout::SingleChannel(), rect, buffer, rowPaddingBytes) {}

    // Views the rows of a one-byte mask (a constant mask has row stride 0).
    // Defined for unsigned char only.
    explicit SingleChannelImage(const RowImage& mask);

    T* PixelAddress(Point p) const override {
        return this->data + static_cast<std::ptrdiff_t>(p.y - this->bounds.top) * this->rowStride +
               (p.x - this->bounds.left);
    }
};

// The row-table views exist for byte images only.
template <>
Image<unsigned char>::Image(const RowImage& rows, int32_t hostMode, int32_t colourPlanes);
template <>
Image<unsigned char>::Image(const RowImage& rows, const ChannelLayout& l);
template <>
SingleChannelImage<unsigned char>::SingleChannelImage(const RowImage& mask);
