#include "image/RandomGenerator.h"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace {

// The same recurrence computed the plain way, in 64 bits.
class PlainLehmer {
public:
    explicit PlainLehmer(int64_t state) : state_(state) {}
    int64_t Next() { return state_ = state_ * 16807 % 2147483647; }
    double Unit() { return static_cast<double>(Next()) / 2147483647.0; }

private:
    int64_t state_;
};

TEST(RandomGeneratorTest, TenThousandthValueFromSeedOneIsThePublishedOne) {
    RandomGenerator generator(1);
    int32_t value = 0;
    for (int i = 0; i < 10000; ++i) value = generator.Next();
    EXPECT_EQ(value, 1043618065);
}

TEST(RandomGeneratorTest, MatchesThePlainRecurrenceAcrossTheSeedRange) {
    for (int32_t seed : {1, 2, 127773, 127774, 1000000000, 2147483645, 2147483646}) {
        RandomGenerator generator(seed);
        PlainLehmer plain(seed);
        for (int i = 0; i < 2000; ++i) ASSERT_EQ(generator.Next(), plain.Next()) << "seed " << seed << " step " << i;
    }
}

TEST(RandomGeneratorTest, SeedsOutsideTheRangeAreClamped) {
    for (int32_t seed : {0, -1, std::numeric_limits<int32_t>::min()}) {
        RandomGenerator clamped(seed);
        EXPECT_EQ(clamped.Next(), 16807) << "seed " << seed;  // the first value from seed 1
    }
    RandomGenerator top(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(top.State(), 2147483646);
    EXPECT_EQ(top.Next(), PlainLehmer(2147483646).Next());

    RandomGenerator reseeded(77);
    reseeded.Next();
    reseeded.Seed(-5);
    EXPECT_EQ(reseeded.Next(), 16807);
}

TEST(RandomGeneratorTest, DrawsAreDefinedOnTheRawSequence) {
    RandomGenerator generator(4242);
    PlainLehmer plain(4242);
    EXPECT_EQ(generator.NextUnit(), plain.Unit());
    EXPECT_EQ(generator.NextBelow(9999), plain.Next() % 9999);
    EXPECT_EQ(generator.NextInRange(-50, 70), -50 + plain.Next() % 120);

    const Point p = generator.NextPointBelow(640, 3);
    EXPECT_EQ(p.x, plain.Next() % 640);  // x is drawn first
    EXPECT_EQ(p.y, plain.Next() % 3);

    const RandomGenerator::RealPoint r = generator.NextRealPoint(2.0, 5.0);
    EXPECT_EQ(r.x, plain.Unit() * 2.0);
    EXPECT_EQ(r.y, plain.Unit() * 5.0);

    EXPECT_EQ(generator.Chance(0.5), plain.Unit() < 0.5);
    // Certain outcomes still draw, so later draws do not depend on them.
    for (int i = 0; i < 1000; ++i) {
        EXPECT_FALSE(generator.Chance(0.0));
        EXPECT_TRUE(generator.Chance(1.0));
        plain.Next();
        plain.Next();
    }
    EXPECT_EQ(generator.Next(), plain.Next());
}

TEST(RandomGeneratorTest, EmptyAndExtremeRanges) {
    RandomGenerator generator(31);
    const int32_t before = generator.State();
    EXPECT_EQ(generator.NextBelow(0), 0);
    EXPECT_EQ(generator.NextBelow(-7), 0);
    EXPECT_EQ(generator.NextInRange(5, 5), 5);
    EXPECT_EQ(generator.NextInRange(5, -3), 5);
    EXPECT_EQ(generator.State(), before) << "an empty choice draws nothing";

    constexpr int32_t lo = std::numeric_limits<int32_t>::min();
    PlainLehmer plain(before);
    for (int i = 0; i < 1000; ++i) {
        // The span 2^32 - 1 exceeds every raw value, so the raw value is added unreduced.
        EXPECT_EQ(generator.NextInRange(lo, std::numeric_limits<int32_t>::max()), lo + plain.Next());
    }
}

}  // namespace
