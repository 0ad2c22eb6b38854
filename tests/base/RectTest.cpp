#include "base/Rect.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

namespace {

TEST(RectTest, HostOrderConstructorAndEmptiness) {
    const Rect r(1, 2, 3, 5);  // top, left, bottom, right
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.bottom, 3);
    EXPECT_EQ(r.right, 5);
    EXPECT_FALSE(r.IsEmpty());
    EXPECT_TRUE(Rect(0, 0, 5, 0).IsEmpty());  // no width
    EXPECT_TRUE(Rect(4, 4, 2, 9).IsEmpty());  // bottom above top
    EXPECT_FALSE(Rect(0, 0, 0, 0).Equals(Rect(5, 5, 5, 5)));
}

TEST(RectTest, IntersectionOfDisjointOrTouchingRectanglesIsAllZero) {
    EXPECT_EQ(Rect::Intersect(Rect(0, 0, 10, 10), Rect(5, -3, 20, 4)), Rect(5, 0, 10, 4));
    EXPECT_EQ(Rect::Intersect(Rect(10, 10, 20, 20), Rect(12, 30, 18, 40)), Rect(0, 0, 0, 0));
    EXPECT_EQ(Rect::Intersect(Rect(10, 10, 20, 20), Rect(20, 10, 30, 20)), Rect(0, 0, 0, 0));
}

TEST(RectTest, UnionIgnoresAnEmptySide) {
    EXPECT_EQ(Rect::Union(Rect(-4, 1, 0, 3), Rect(-1, -2, 2, 2)), Rect(-4, -2, 2, 3));
    // An empty rectangle far away must not stretch the result.
    EXPECT_EQ(Rect::Union(Rect(100, 100, 100, 200), Rect(1, 2, 3, 4)), Rect(1, 2, 3, 4));
    EXPECT_EQ(Rect::Union(Rect(1, 2, 3, 4), Rect(-50, -50, -60, -40)), Rect(1, 2, 3, 4));
}

TEST(RectTest, InflateAndContains) {
    Rect r(10, 20, 30, 40);
    r.Inflate(-5, 3);  // narrower, taller
    EXPECT_EQ(r, Rect(7, 25, 33, 35));
    EXPECT_TRUE(r.Contains(Point{25, 7}));    // top left is inside
    EXPECT_FALSE(r.Contains(Point{35, 8}));   // right is outside
    EXPECT_FALSE(r.Contains(Point{30, 33}));  // bottom is outside
}

TEST(RectTest, GrowingStopsAtTheEndsOfTheRangeAndLeavesAnEmptyRectangleAlone) {
    Rect wide(INT32_MIN + 2, -5, INT32_MAX - 1, 5);
    wide.Inflate(3, 3);
    EXPECT_EQ(wide, Rect(INT32_MIN, -8, INT32_MAX, 8));
    EXPECT_EQ(Rect(1, 2, 3, 4).Grown(2), Rect(-1, 0, 5, 6));
    EXPECT_EQ(Rect(5, 5, 5, 9).Grown(2), Rect(5, 5, 5, 9));
}

TEST(CeilDiv, RoundsTowardPositiveInfinityOnBothSidesOfZero) {
    EXPECT_EQ(CeilDiv(7, 2), 4);
    EXPECT_EQ(CeilDiv(8, 2), 4);
    EXPECT_EQ(CeilDiv(0, 3), 0);
    EXPECT_EQ(CeilDiv(-7, 2), -3);
    EXPECT_EQ(CeilDiv(-8, 2), -4);
    // No overflow near the top of the type, where value + divisor - 1 would wrap.
    EXPECT_EQ(CeilDiv(INT32_MAX, 2), 1073741824);
    EXPECT_EQ(CeilDiv(SIZE_MAX, std::size_t{16}), SIZE_MAX / 16 + 1);
    EXPECT_EQ(CeilDiv(int64_t{1} << 40, 3), 366503875926);
}

}  // namespace
