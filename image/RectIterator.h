// Walks the points of a rectangle left to right, top to bottom, without an
// image, reporting progress once per finished row like the image iterators:
//
//   RectIteratorLeftToRightTopToBottom it;
//   for (it.Begin(rect, sink, 0.0, 1.0); it.IsValid(); it.Next()) Use(it.X(), it.Y());
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "base/Rect.h"

class RectIteratorInterface {
public:
    virtual ~RectIteratorInterface() = default;
    virtual void Begin(const Rect& rect, ProgressUpdateSink* sink, double from, double to) = 0;
    virtual void Next() = 0;
    virtual bool IsValid() const = 0;
    virtual bool AtRowStart() const = 0;
};

class RectIteratorLeftToRightTopToBottom final : public RectIteratorInterface {
public:
    void Begin(const Rect& rect, ProgressUpdateSink* sink, double from, double to) override {
        rect_ = rect;
        sink_ = sink;
        from_ = from;
        to_ = to;
        count_ = 0;
        x_ = rect.left;
        if (rect.IsEmpty()) {
            y_ = rect.bottom;  // invalid at once
            total_ = 0;
            return;
        }
        y_ = rect.top;
        total_ = static_cast<uint32_t>(static_cast<uint64_t>(rect.Width()) * static_cast<uint64_t>(rect.Height()));
    }
    void Begin(const Rect& rect) { Begin(rect, nullptr, 0.0, 1.0); }

    void Next() override {
        ++count_;
        if (x_ + 1 < rect_.right) {
            ++x_;
            return;
        }
        x_ = rect_.left;
        ++y_;
        if (sink_ != nullptr)
            sink_->Update(from_ + static_cast<double>(count_) / static_cast<double>(total_) * (to_ - from_));
    }
    bool IsValid() const override { return y_ < rect_.bottom; }
    bool AtRowStart() const override { return x_ == rect_.left; }

    int32_t X() const { return x_; }
    int32_t Y() const { return y_; }
    Point Position() const { return Point{x_, y_}; }

private:
    Rect rect_;
    int32_t x_ = 0;
    int32_t y_ = 0;
    uint32_t count_ = 0;  // points visited, 32-bit like the total
    uint32_t total_ = 0;
    ProgressUpdateSink* sink_ = nullptr;
    double from_ = 0.0;
    double to_ = 1.0;
};
