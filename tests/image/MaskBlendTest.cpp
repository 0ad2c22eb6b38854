// The mask blend of one pixel, against values worked out by hand
// from the integer formulas (divisions truncating toward zero), and of
// whole pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "image/MaskBlend.h"
#include "image/RowImage.h"

namespace {

TEST(MaskBlend, WithoutAlphaMovesTowardTheRenderedPixelByTheMaskWeight) {
    struct Case {
        uint8_t input, rendered;
        int32_t t;
        uint8_t expected;
    };
    const Case cases[] = {
        {100, 200, 128, 150},  // 100 + 100·128/255 = 100 + 50.2
        {200, 100, 128, 150},  // 200 − 50.2 truncates toward zero to 200 − 50, not 149
        {10, 250, 1, 10},      // 240/255 < 1
        {10, 250, 254, 249},   // 10 + 60960/255 = 10 + 239.06
        {37, 90, 0, 37},       // unselected: the source
        {37, 90, 255, 90},     // selected: the render
    };
    for (const Case& c : cases) {
        const uint8_t input[1] = {c.input};
        uint8_t output[1] = {c.rendered};
        BlendPixel(input, output, 1, c.t);
        EXPECT_EQ(output[0], c.expected) << int(c.input) << " -> " << int(c.rendered) << " at " << c.t;
    }
}

TEST(MaskBlend, WithAlphaWeighsColoursByTheRenderedAlpha) {
    // v = 127·200 + 100·128 = 38200; f = 128·255·100 / 38200 = 85.4 → 85.
    const uint8_t input[4] = {100, 50, 20, 200};
    uint8_t output[4] = {200, 150, 220, 100};
    BlendPixelWithAlpha(input, output, 3, 128);
    EXPECT_EQ(output[0], 133);  // 100 + 100·85/255 = 100 + 33.3
    EXPECT_EQ(output[1], 83);   // 50 + 33.3
    EXPECT_EQ(output[2], 86);   // 20 + 200·85/255 = 20 + 66.7
    EXPECT_EQ(output[3], 150);  // 200 + (−100)·128/255 = 200 − 50.2 → 200 − 50
}

TEST(MaskBlend, WithAlphaOverATransparentSourceKeepsTheRenderedColour) {
    // aI = 0: v = 255·100 = 25500 and f = 100·255·255 / 25500 = 255.
    const uint8_t input[2] = {0, 0};
    uint8_t output[2] = {180, 255};
    BlendPixelWithAlpha(input, output, 1, 100);
    EXPECT_EQ(output[0], 180);
    EXPECT_EQ(output[1], 100);  // 0 + 255·100/255
}

TEST(MaskBlend, WithAlphaAndNoWeightAtAllClearsTheAlphaOnly) {
    // Transparent source outside the selection: v = 0.
    const uint8_t input[3] = {1, 2, 0};
    uint8_t output[3] = {9, 8, 77};
    BlendPixelWithAlpha(input, output, 2, 0);
    EXPECT_EQ(output[0], 9);
    EXPECT_EQ(output[1], 8);
    EXPECT_EQ(output[2], 0);
}

}  // namespace

// A piece against the pixel blends, the mask read pixel by pixel: masks
// reaching past the piece on some sides and short of it on others, with
// and without alpha, and constant masks, which share one row.
TEST(MaskBlend, PiecesBlendEveryPixelByTheMaskValueAtIt) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> byte(0, 255);
    auto filled = [&](const Rect& rect, int32_t samples) {
        RowImage image;
        EXPECT_TRUE(image.Allocate(rect, samples, 1).IsSuccess());
        for (int32_t y = rect.top; y < rect.bottom; ++y)
            for (int32_t x = rect.left; x < rect.right; ++x)
                for (int32_t c = 0; c < samples; ++c) {
                    const int value = byte(random);
                    // Many fully selected and unselected pixels.
                    image.PixelAddress(x, y)[c] = static_cast<uint8_t>(value < 80 ? 255 : value < 120 ? 0 : value);
                }
        return image;
    };
    const Rect piece(2, -3, 14, 9);
    for (const bool hasAlpha : {false, true}) {
        const int32_t samples = hasAlpha ? 4 : 3;
        for (int masks = 0; masks < 4; ++masks) {
            RowImage mask;
            if (masks == 0) mask = filled(Rect(0, 1, 11, 20), 1);
            if (masks == 1) mask = filled(Rect(5, -8, 20, 4), 1);
            if (masks >= 2) {
                ASSERT_TRUE(mask.AllocateConstantMask(Rect(-5, -9, 30, 30), masks == 2 ? 255 : 77).IsSuccess());
            }
            const RowImage input = filled(Rect(0, -5, 16, 12), samples);
            const RowImage output = filled(Rect(1, -4, 15, 11), samples);
            RowImage expected = filled(output.Bounds(), samples);
            for (int32_t y = output.Bounds().top; y < output.Bounds().bottom; ++y)
                std::copy(output.Row(y), output.Row(y) + output.Bounds().Width() * samples, expected.Row(y));
            for (int32_t y = piece.top; y < piece.bottom; ++y)
                for (int32_t x = piece.left; x < piece.right; ++x) {
                    const int32_t t = mask.Bounds().Contains(Point{x, y}) ? *mask.PixelAddress(x, y) : 0;
                    if (t == 255) continue;
                    if (hasAlpha) {
                        BlendPixelWithAlpha(input.PixelAddress(x, y), expected.PixelAddress(x, y), 3, t);
                    } else {
                        BlendPixel(input.PixelAddress(x, y), expected.PixelAddress(x, y), 3, t);
                    }
                }
            BlendPiece(input, output, mask, piece, 3, hasAlpha);
            for (int32_t y = output.Bounds().top; y < output.Bounds().bottom; ++y)
                ASSERT_TRUE(
                    std::equal(output.Row(y), output.Row(y) + output.Bounds().Width() * samples, expected.Row(y)))
                    << "mask " << masks << " alpha " << hasAlpha << " row " << y;
        }
    }
}
