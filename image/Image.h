// Interleaved images of elements of type T, addressed by document position.
//
// An image either owns its pixels (allocated for a rectangle) or views memory
// that belongs to someone else: a window onto another image, outside memory
// with padded rows, or rows read from the host. Strides count elements of T.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>

#include "image/ChannelLayout.h"
#include "image/Rect.h"
#include "image/ResultCode.h"

class RowImage;

template <typename T>
class Image {
public:
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

    // Owning allocation for `rect`, rows packed. On out of memory `result`
    // becomes -108 and the image stays without data.
    Image(const ChannelLayout& l, const Rect& rect, ResultCode& result)
        : layout(Normalised(l)), bounds(rect), pixelStride(layout.channelCount), workingLayout(layout) {
        rowStride = static_cast<std::ptrdiff_t>(rect.IsEmpty() ? 0 : rect.Width()) * pixelStride;
        if (rect.IsEmpty()) return;
        const std::size_t count = static_cast<std::size_t>(rect.Width()) * static_cast<std::size_t>(rect.Height()) *
                                  static_cast<std::size_t>(layout.channelCount);
        data = new (std::nothrow) T[count]();
        if (data == nullptr) {
            result = ResultCode::OutOfMemory();
            return;
        }
        ownsData = true;
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

    SingleChannelImage(const Rect& rect, ResultCode& result)
        : Image<T>(ChannelLayout::SingleChannel(), rect, result) {}

    // A window onto another single-channel image.
    SingleChannelImage(SingleChannelImage<T>& parent, const Rect& rect) : Image<T>(parent, rect) {}

    // A view of outside memory with padded rows.
    SingleChannelImage(const Rect& rect, T* buffer, std::ptrdiff_t rowPaddingBytes)
        : Image<T>(ChannelLayout::SingleChannel(), rect, buffer, rowPaddingBytes) {}

    T* PixelAddress(Point p) const override {
        return this->data + static_cast<std::ptrdiff_t>(p.y - this->bounds.top) * this->rowStride +
               (p.x - this->bounds.left);
    }
};
