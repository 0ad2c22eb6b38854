// The run-length pixel list against a plain list of the same pixels.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "filters/stamp/PixelRunList.h"

namespace {

TEST(PixelRunList, GivesBackEveryPixelInTheOrderItWasAdded) {
    std::mt19937 random(7);
    PixelRunList runs;
    std::vector<Point> plain;
    Point next{-5, 3};
    for (int i = 0; i < 5000; ++i) {
        switch (random() % 4) {
            case 0: next = Point{static_cast<int32_t>(random() % 50) - 10, static_cast<int32_t>(random() % 30)}; break;
            case 1: next.y += 1; break;   // below: a new run
            default: next.x += 1; break;  // to the right: the same run
        }
        runs.Append(next);
        plain.push_back(next);
    }
    ASSERT_EQ(runs.Count(), static_cast<int64_t>(plain.size()));
    for (size_t i = 0; i < plain.size(); ++i) {
        const Point p = runs.At(static_cast<int64_t>(i));
        ASSERT_TRUE(p.x == plain[i].x && p.y == plain[i].y) << i;
    }
    runs.Clear();
    EXPECT_EQ(runs.Count(), 0);
}

}  // namespace
