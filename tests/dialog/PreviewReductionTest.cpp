// Picking every f-th pixel, and the selection a preview works with.
#include <gtest/gtest.h>

#include "dialog/PreviewReduction.h"
#include "dialog/PreviewRenderer.h"
#include "dialog/PreviewSelection.h"

namespace {

class AbortAfter : public Abort_Tester {
public:
    explicit AbortAfter(int no) : no_(no) {}
    bool IsAborted() override { return calls++ >= no_; }
    int calls = 0;

private:
    int no_;
};

Image<unsigned char> Numbered(const Rect& bounds, const ChannelLayout& layout) {
    ResultCode result;
    Image<unsigned char> image(layout, bounds, result);
    for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = bounds.left; x < bounds.right; ++x)
            for (int c = 0; c < image.layout.channelCount; ++c)
                image.PixelAddress(Point{x, y})[c] = static_cast<uint8_t>(x * 10 + y + c * 100);
    return image;
}

TEST(PreviewReduction, ReducedRectKeepsThePixelsOnTheGrid) {
    EXPECT_EQ(ReducedRect(Rect(0, 0, 7, 10), 2), Rect(0, 0, 4, 5));
    EXPECT_EQ(ReducedRect(Rect(0, 0, 7, 10), 3), Rect(0, 0, 3, 4));
    // Pixels 3..8 hold the multiples 4, 6, 8 of 2: reduced 2..4.
    EXPECT_EQ(ReducedRect(Rect(3, 3, 9, 9), 2), Rect(2, 2, 5, 5));
    // -5..-1 hold -4 and -2.
    EXPECT_EQ(ReducedRect(Rect(-5, -5, 0, 0), 2), Rect(-2, -2, 0, 0));
    EXPECT_EQ(ReducedRect(Rect(0, 0, 7, 10), 0), Rect(0, 0, 7, 10));
    EXPECT_EQ(PreviewRenderer::ReductionFactor(0.5), 1);
    EXPECT_EQ(PreviewRenderer::ReductionFactor(3.9), 3);
    EXPECT_EQ(PreviewRenderer::ReductionFactor(4.0), 4);
}

TEST(PreviewReduction, EveryFthPixelOfImageAndConstantMask) {
    const Image<unsigned char> source = Numbered(Rect(1, 2, 9, 13), ChannelLayout(kColourModelRGB, 3, false));
    RowImage reduced;
    ASSERT_TRUE(ReduceImage(source, 3, nullptr, reduced).IsSuccess());
    // Columns 3, 6, 9, 12 and rows 3, 6.
    EXPECT_EQ(reduced.Bounds(), Rect(1, 1, 3, 5));
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 5; ++x)
            for (int c = 0; c < 3; ++c)
                EXPECT_EQ(reduced.PixelAddress(x, y)[c], static_cast<uint8_t>(3 * x * 10 + 3 * y + c * 100));

    RowImage constant;
    ASSERT_TRUE(constant.AllocateConstantMask(Rect(0, 0, 5, 6), 200).IsSuccess());
    const SingleChannelImage<unsigned char> maskView(constant);
    RowImage reducedMask;
    ASSERT_TRUE(ReduceImage(maskView, 2, nullptr, reducedMask).IsSuccess());
    EXPECT_EQ(reducedMask.Bounds(), Rect(0, 0, 3, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(*reducedMask.PixelAddress(x, y), 200);
}

TEST(PreviewReduction, AbortIsAskedBeforeEveryRow) {
    const Image<unsigned char> source = Numbered(Rect(0, 0, 10, 10), ChannelLayout(kColourModelGrey, 1, false));
    RowImage reduced;
    AbortAfter abort(3);
    EXPECT_EQ(ReduceImage(source, 2, &abort, reduced).status, 1);
    EXPECT_EQ(abort.calls, 4);
}

TEST(PreviewSelection, LayerWithoutAlphaIsSelectedWhole) {
    const Image<unsigned char> layer = Numbered(Rect(0, 0, 4, 6), ChannelLayout(kColourModelRGB, 3, false));
    RowImage mask;
    bool shape = true;
    ASSERT_TRUE(PreviewSelection(layer, nullptr, mask, shape).IsSuccess());
    EXPECT_FALSE(shape);
    EXPECT_EQ(mask.Bounds(), layer.bounds);
    EXPECT_EQ(*mask.PixelAddress(5, 3), 255);
}

TEST(PreviewSelection, TransparentMarginBecomesTheShape) {
    ResultCode result;
    Image<unsigned char> layer(ChannelLayout(kColourModelRGB, 3, true), Rect(0, 0, 10, 12), result);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            layer.PixelAddress(Point{x, y})[3] = (x >= 2 && x < 9 && y >= 3 && y < 7) ? 180 : 0;
    RowImage mask;
    bool shape = false;
    ASSERT_TRUE(PreviewSelection(layer, nullptr, mask, shape).IsSuccess());
    EXPECT_TRUE(shape);
    EXPECT_EQ(mask.Bounds(), Rect(3, 2, 7, 9));
    EXPECT_EQ(*mask.PixelAddress(2, 3), 180);

    // Nothing visible: everything is selected, and the shape is not used.
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) layer.PixelAddress(Point{x, y})[3] = 0;
    ASSERT_TRUE(PreviewSelection(layer, nullptr, mask, shape).IsSuccess());
    EXPECT_FALSE(shape);
    EXPECT_EQ(mask.Bounds(), layer.bounds);
    EXPECT_EQ(*mask.PixelAddress(0, 0), 255);
}

TEST(PreviewSelection, SelectionIsCroppedToItsContent) {
    const Image<unsigned char> layer = Numbered(Rect(0, 0, 8, 8), ChannelLayout(kColourModelRGB, 3, true));
    ResultCode result;
    SingleChannelImage<unsigned char> selection(Rect(0, 0, 8, 8), result);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) *selection.PixelAddress(Point{x, y}) = (x == 5 && y >= 1 && y <= 2) ? 77 : 0;
    RowImage mask;
    bool shape = true;
    ASSERT_TRUE(PreviewSelection(layer, &selection, mask, shape).IsSuccess());
    EXPECT_FALSE(shape);
    EXPECT_EQ(mask.Bounds(), Rect(1, 5, 3, 6));
    EXPECT_EQ(*mask.PixelAddress(5, 2), 77);
}

}  // namespace
