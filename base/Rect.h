// Integer rectangle in document coordinates; right and bottom are exclusive.
#pragma once

#include <cstdint>

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    constexpr Rect() = default;
    // Arguments in the host's order: top, left, bottom, right.
    constexpr Rect(int32_t t, int32_t l, int32_t b, int32_t r) : left(l), top(t), right(r), bottom(b) {}

    constexpr bool IsEmpty() const { return !(top < bottom && left < right); }
    constexpr int32_t Width() const { return right - left; }
    constexpr int32_t Height() const { return bottom - top; }
    constexpr bool Equals(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    constexpr bool operator==(const Rect& o) const { return Equals(o); }
    constexpr bool operator!=(const Rect& o) const { return !Equals(o); }
    constexpr bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr void Inflate(int32_t dx, int32_t dy) {
        left -= dx;
        top -= dy;
        right += dx;
        bottom += dy;
    }

    // All four fields are 0 when the rectangles do not overlap.
    static Rect Intersect(const Rect& a, const Rect& b);
    // An empty side contributes nothing.
    static Rect Union(const Rect& a, const Rect& b);
};

// ⌈value ÷ divisor⌉ for a positive divisor, also for negative values.
constexpr int32_t CeilDiv(int32_t value, int32_t divisor) {
    const int64_t v = value;
    const int64_t q = v / divisor;
    return static_cast<int32_t>(q * divisor < v ? q + 1 : q);
}
