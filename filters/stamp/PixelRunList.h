// A list of pixels in the order they were added, stored as runs: a pixel
// right of the last one on the same row lengthens the last run. The stamp
// effects collect the pixels a stamp may be centred on this way; a filled
// selection adds whole rows, which cost one run each.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Rect.h"

class PixelRunList {
public:
    // May throw std::bad_alloc; the list then holds what it held before.
    void Append(Point pixel) {
        if (!runs_.empty()) {
            Run& last = runs_.back();
            if (last.y == pixel.y && int64_t{last.x} + (count_ - last.first) == pixel.x) {
                ++count_;
                return;
            }
        }
        runs_.push_back(Run{count_, pixel.x, pixel.y});
        ++count_;
    }

    // Appends the pixels (left .. right − 1, y), as Append would one by one.
    void AppendRow(int32_t y, int32_t left, int32_t right) {
        if (right <= left) return;
        Append(Point{left, y});
        count_ += right - left - 1;
    }

    int64_t Count() const { return count_; }
    // The pixel added index-th (0 ≤ index < Count()).
    Point At(int64_t index) const;
    void Clear() {
        runs_.clear();
        count_ = 0;
    }

private:
    struct Run {
        int64_t first;  // list index of the run's first pixel
        int32_t x, y;   // the run's first pixel
    };
    std::vector<Run> runs_;
    int64_t count_ = 0;
};
