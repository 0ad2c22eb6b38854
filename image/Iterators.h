// Row-major iterators over images:
//
//   LeftToRightTopToBottomIterator<Image<unsigned char>> it(image);
//   for (it.Begin(rect, sink, 0.0, 1.0); it.IsValid(); it.Next()) it.Pixel()[0] = 255;
//
// `Pixel()` points at the current pixel's first element; each step is one
// pointer addition. Progress goes to the sink once per finished row, as
// from + visited / total × (to − from), so a rectangle of one row reports
// `to` once and an empty rectangle reports nothing. Calling Next once the
// iterator is invalid is not allowed.
//
// Instantiated for Image<unsigned char>, Image<double> and their
// SingleChannelImage forms; the const iterator is for read-only walks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "base/Progress.h"
#include "base/Rect.h"
#include "image/Image.h"
#include "image/IteratorInterface.h"

namespace iterator_detail {

// Elements from one pixel to the next, matching each image type's own
// PixelAddress: single-channel images always step by one.
template <typename T>
int32_t PixelStep(const Image<T>& image) {
    return image.pixelStride;
}
template <typename T>
int32_t PixelStep(const SingleChannelImage<T>&) {
    return 1;
}

// The walk shared by the mutable and the const iterator; Element is the
// (possibly const) element type the pixel pointer refers to.
template <typename ImageT, typename Element>
class RowMajorWalk {
public:
    Element* pixel = nullptr;  // the current pixel

    explicit RowMajorWalk(ImageT& image) : image_(&image) {}

    void Start(const Rect& rect, ProgressUpdateSink* sink, double from, double to) {
        rect_ = rect;
        sink_ = sink;
        from_ = from;
        to_ = to;
        count_ = 0;
        if (rect.IsEmpty()) {
            // Invalid at once; no pointer into the image is formed.
            x_ = rect.left;
            y_ = rect.bottom;
            pixel = nullptr;
            total_ = 0;
            return;
        }
        x_ = rect.left;
        y_ = rect.top;
        const std::ptrdiff_t step = PixelStep(*image_);
        const std::ptrdiff_t width = rect.Width();
        total_ = static_cast<uint32_t>(static_cast<uint64_t>(width) * static_cast<uint64_t>(rect.Height()));
        pixelStep_ = step;
        rowStep_ = image_->rowStride - width * step;
        pixel = image_->data + (static_cast<std::ptrdiff_t>(rect.top) - image_->bounds.top) * image_->rowStride +
                (static_cast<std::ptrdiff_t>(rect.left) - image_->bounds.left) * step;
    }

    void Advance() {
        ++count_;
        pixel += pixelStep_;
        if (x_ + 1 < rect_.right) {
            ++x_;
            return;
        }
        x_ = rect_.left;
        ++y_;
        pixel += rowStep_;
        if (sink_ != nullptr)
            sink_->Update(from_ + static_cast<double>(count_) / static_cast<double>(total_) * (to_ - from_));
    }

    bool Valid() const { return y_ < rect_.bottom; }
    bool RowStart() const { return x_ == rect_.left; }
    int32_t X() const { return x_; }
    int32_t Y() const { return y_; }
    ImageT& Walked() const { return *image_; }

private:
    ImageT* image_;
    Rect rect_;
    int32_t x_ = 0;
    int32_t y_ = 0;
    std::ptrdiff_t pixelStep_ = 0;
    std::ptrdiff_t rowStep_ = 0;
    uint32_t count_ = 0;  // pixels visited, 32-bit like the total
    uint32_t total_ = 0;
    ProgressUpdateSink* sink_ = nullptr;
    double from_ = 0.0;
    double to_ = 1.0;
};

}  // namespace iterator_detail

template <typename ImageT>
class LeftToRightTopToBottomIterator final : public IteratorInterface<ImageT> {
public:
    using Element = typename ImageT::ElementType;

    explicit LeftToRightTopToBottomIterator(ImageT& image) : walk_(image) {}

    void BeginAll(ProgressUpdateSink* sink, double from, double to) override {
        walk_.Start(walk_.Walked().bounds, sink, from, to);
    }
    void Begin(const Rect& rect, ProgressUpdateSink* sink, double from, double to) override {
        walk_.Start(rect, sink, from, to);
    }
    void BeginAll() { BeginAll(nullptr, 0.0, 1.0); }
    void Begin(const Rect& rect) { Begin(rect, nullptr, 0.0, 1.0); }
    void Next() override { walk_.Advance(); }
    bool IsValid() const override { return walk_.Valid(); }
    bool AtRowStart() const override { return walk_.RowStart(); }

    Element* Pixel() const { return walk_.pixel; }
    int32_t X() const { return walk_.X(); }
    int32_t Y() const { return walk_.Y(); }
    Point Position() const { return Point{walk_.X(), walk_.Y()}; }

private:
    iterator_detail::RowMajorWalk<ImageT, Element> walk_;
};

template <typename ImageT>
class LeftToRightTopToBottomConstIterator final : public ConstIteratorInterface<ImageT> {
public:
    using Element = const typename ImageT::ElementType;

    explicit LeftToRightTopToBottomConstIterator(const ImageT& image) : walk_(image) {}

    void BeginAll(ProgressUpdateSink* sink, double from, double to) override {
        walk_.Start(walk_.Walked().bounds, sink, from, to);
    }
    void Begin(const Rect& rect, ProgressUpdateSink* sink, double from, double to) override {
        walk_.Start(rect, sink, from, to);
    }
    void BeginAll() { BeginAll(nullptr, 0.0, 1.0); }
    void Begin(const Rect& rect) { Begin(rect, nullptr, 0.0, 1.0); }
    void Next() override { walk_.Advance(); }
    bool IsValid() const override { return walk_.Valid(); }
    bool AtRowStart() const override { return walk_.RowStart(); }

    Element* Pixel() const { return walk_.pixel; }
    int32_t X() const { return walk_.X(); }
    int32_t Y() const { return walk_.Y(); }
    Point Position() const { return Point{walk_.X(), walk_.Y()}; }

private:
    iterator_detail::RowMajorWalk<const ImageT, Element> walk_;
};
