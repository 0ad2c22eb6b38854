// Integer rectangle in document coordinates; right and bottom are exclusive.
#pragma once

#include <algorithm>
#include <cstdint>
#include <type_traits>

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
    // Moves the left and right sides out by dx, the top and bottom by dy
    // (in, for negative amounts); a side held at the end of the 32-bit range
    // rather than wrapping round.
    constexpr void Inflate(int32_t dx, int32_t dy) {
        left = Saturated(int64_t{left} - dx);
        top = Saturated(int64_t{top} - dy);
        right = Saturated(int64_t{right} + dx);
        bottom = Saturated(int64_t{bottom} + dy);
    }
    // A copy grown by `by` on every side; an empty rectangle stays as it is,
    // as it covers no pixel to grow from.
    constexpr Rect Grown(int32_t by) const {
        Rect grown = *this;
        if (!IsEmpty()) grown.Inflate(by, by);
        return grown;
    }

    // All four fields are 0 when the rectangles do not overlap.
    static Rect Intersect(const Rect& a, const Rect& b);
    // An empty side contributes nothing.
    static Rect Union(const Rect& a, const Rect& b);

private:
    static constexpr int32_t Saturated(int64_t value) {
        return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    }
};

// ⌈value ÷ divisor⌉ for a positive divisor, also for negative values; of
// any integer type, the divisor taken in the value's type.
template <typename Integer>
constexpr Integer CeilDiv(Integer value, std::common_type_t<Integer> divisor) {
    static_assert(std::is_integral_v<Integer>, "whole numbers only");
    const Integer quotient = value / divisor;
    return quotient * divisor < value ? quotient + 1 : quotient;
}
