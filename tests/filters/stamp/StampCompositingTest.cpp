// The "over" operation against its arithmetic worked out directly, for every
// pair of alphas; and an image composited through a clip.
#include <gtest/gtest.h>

#include "filters/stamp/StampCompositing.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

using namespace stamp_test;

// Straight from the rule, without the table.
void ReferenceOver(const uint8_t* s, uint8_t* d, int colours, bool destinationAlpha) {
    const int as = s[colours];
    if (as == 0) return;
    if (as == 255) {
        for (int c = 0; c < colours; ++c) d[c] = s[c];
        if (destinationAlpha) d[colours] = 255;
        return;
    }
    if (!destinationAlpha) {
        for (int c = 0; c < colours; ++c) {
            const int difference = s[c] - d[c];
            const int step = difference >= 0 ? difference * as / 255 : -((-difference) * as / 255);
            d[c] = static_cast<uint8_t>(d[c] + step);
        }
        return;
    }
    const int ad = d[colours];
    const int e = ad * (255 - as) / 255;
    const int f = e + as;
    for (int c = 0; c < colours; ++c) d[c] = static_cast<uint8_t>((s[c] * as + d[c] * e) / f);
    d[colours] = static_cast<uint8_t>(f);
}

TEST(StampOver, EveryAlphaPairMatchesTheRuleWithAndWithoutDestinationAlpha) {
    const OverPair* table = OverTable();
    const uint8_t colours[][2] = {{0, 255}, {255, 0}, {17, 200}, {128, 127}, {90, 90}};
    for (int as = 0; as < 256; ++as) {
        for (int ad = 0; ad < 256; ++ad) {
            for (const auto& pair : colours) {
                const uint8_t source[4] = {pair[0], pair[1], static_cast<uint8_t>(pair[0] / 2),
                                           static_cast<uint8_t>(as)};
                uint8_t got[4] = {pair[1], pair[0], 60, static_cast<uint8_t>(ad)};
                uint8_t expected[4] = {pair[1], pair[0], 60, static_cast<uint8_t>(ad)};
                CompositeOver(table, source, got, 3, true);
                ReferenceOver(source, expected, 3, true);
                for (int c = 0; c < 4; ++c) ASSERT_EQ(got[c], expected[c]) << as << " over " << ad << " channel " << c;

                uint8_t flat[3] = {pair[1], pair[0], 60};
                uint8_t flatExpected[3] = {pair[1], pair[0], 60};
                CompositeOver(table, source, flat, 3, false);
                ReferenceOver(source, flatExpected, 3, false);
                for (int c = 0; c < 3; ++c) ASSERT_EQ(flat[c], flatExpected[c]) << as << " channel " << c;
            }
        }
    }
}

TEST(StampOver, AlphaZeroNeverChangesTheDestinationAndAlphaFullReplacesIt) {
    const OverPair* table = OverTable();
    for (int ad = 0; ad < 256; ++ad) {
        const uint8_t clear[4] = {10, 20, 30, 0};
        const uint8_t opaque[4] = {10, 20, 30, 255};
        uint8_t pixel[4] = {200, 100, 50, static_cast<uint8_t>(ad)};
        CompositeOver(table, clear, pixel, 3, true);
        EXPECT_EQ(pixel[0], 200);
        EXPECT_EQ(pixel[3], ad);
        CompositeOver(table, opaque, pixel, 3, true);
        EXPECT_EQ(pixel[0], 10);
        EXPECT_EQ(pixel[2], 30);
        EXPECT_EQ(pixel[3], 255);
    }
    // The table's own entries at the ends: a_s = 0 keeps a_d, a_s = 255 gives 255.
    EXPECT_EQ(OverEntry(table, 77, 0).f, 77);
    EXPECT_EQ(OverEntry(table, 77, 255).f, 255);
    EXPECT_EQ(OverEntry(table, 200, 100).e, 200 * 155 / 255);
}

TEST(StampOver, AnImageIsCompositedOnlyWhereItMeetsTheClipAndTheDestination) {
    // A 3 × 2 opaque stamp moved to (4, 1) over a 6 × 4 grey image, clipped to x < 6 and y >= 2.
    const Image<unsigned char> stamp = MakeImage(ChannelLayout(kColourModelGrey, 1, true), Rect(0, 0, 2, 3),
                                                 [](int, int, int c) -> uint8_t { return c == 0 ? 9 : 255; });
    Image<unsigned char> destination =
        MakeImage(Grey(), Rect(0, 0, 4, 6), [](int, int, int) -> uint8_t { return 100; });
    CompositeImageOver(stamp, Point{4, 1}, destination, Rect(2, 0, 4, 6));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool covered = x >= 4 && y == 2;
            EXPECT_EQ(At(destination, x, y)[0], covered ? 9 : 100) << x << "," << y;
        }
}

}  // namespace
