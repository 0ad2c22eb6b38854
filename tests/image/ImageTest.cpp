#include "image/Image.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "image/RowImage.h"

namespace {

TEST(ImageTest, LayoutCountIsDerivedAndHostModesMap) {
    EXPECT_EQ(ChannelLayout(kColourModelRGB, 3, true, 7).channelCount, 4);
    EXPECT_EQ(ChannelLayout(kColourModelCMYK, 4, false, 9).channelCount, 4);
    EXPECT_EQ(ColourModelForHostMode(1), 4);  // greyscale
    EXPECT_EQ(ColourModelForHostMode(4), 2);  // CMYK
    EXPECT_EQ(ColourModelForHostMode(9), 3);  // Lab
    for (int32_t mode : {0, 2, 3, 7, 42}) EXPECT_EQ(ColourModelForHostMode(mode), 0) << mode;
}

TEST(ImageTest, OwningAllocationPacksRowsAtDocumentPositions) {
    ResultCode result;
    // A stale count (9) in the layout must become 4.
    Image<unsigned char> image(ChannelLayout(kColourModelRGB, 3, true, 9), Rect(-2, -1, 1, 4), result);
    ASSERT_EQ(result.status, 0);
    EXPECT_TRUE(image.ownsData);
    EXPECT_EQ(image.layout.channelCount, 4);
    EXPECT_EQ(image.workingLayout, image.layout);
    EXPECT_EQ(image.rowStride, 20);  // 5 pixels × 4
    EXPECT_EQ(image.PixelAddress(Point{3, 0}), image.data + 2 * 20 + 4 * 4);
    for (int i = 0; i < 3 * 20; ++i) EXPECT_EQ(image.data[i], 0);

    Image<double> field(ChannelLayout(kColourModelNone, 2, false), Rect(0, 0, 3, 5), result);
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(field.PixelAddress(Point{4, 2}), field.data + 2 * 10 + 4 * 2);  // strides count doubles
}

TEST(ImageTest, AllocationRefusesOversizedAndChannelFreeLayouts) {
    ResultCode result;
    Image<unsigned char> huge(ChannelLayout(kColourModelRGB, 3, true), Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
                              result);
    EXPECT_EQ(result.status, -108);
    EXPECT_FALSE(huge.HasData());
    EXPECT_FALSE(huge.ownsData);

    ResultCode noChannels;
    Image<double> none(ChannelLayout(kColourModelRGB, 0, false), Rect(0, 0, 2, 2), noChannels);
    EXPECT_EQ(noChannels.status, -1);
    EXPECT_FALSE(none.HasData());
}

TEST(ImageTest, WindowSharesTheParentsPixelsAtTheSameDocumentPoint) {
    ResultCode result;
    Image<unsigned char> parent(ChannelLayout(kColourModelRGB, 3, false), Rect(10, 20, 20, 30), result);
    ASSERT_EQ(result.status, 0);
    const Rect inner(12, 23, 15, 27);
    Image<unsigned char> window(parent, inner);
    EXPECT_FALSE(window.ownsData);  // destroying it must not free the parent's pixels
    for (int32_t y = inner.top; y < inner.bottom; ++y)
        for (int32_t x = inner.left; x < inner.right; ++x)
            EXPECT_EQ(window.PixelAddress(Point{x, y}), parent.PixelAddress(Point{x, y}));
    window.PixelAddress(Point{26, 14})[2] = 99;
    EXPECT_EQ(parent.data[(14 - 10) * 30 + (26 - 20) * 3 + 2], 99);

    SingleChannelImage<double> field(Rect(-5, -5, 5, 5), result);
    ASSERT_EQ(result.status, 0);
    SingleChannelImage<double> part(field, Rect(-1, 0, 2, 3));
    EXPECT_EQ(part.PixelAddress(Point{1, 1}), field.data + 6 * 10 + 6);
}

TEST(ImageTest, OutsideMemoryWrapperHonoursRowPadding) {
    std::vector<unsigned char> buffer(3 * 11, 0);
    // Two RGB pixels per row (6 bytes) and 5 bytes of padding.
    Image<unsigned char> wrapped(ChannelLayout(kColourModelRGB, 3, false), Rect(4, 7, 7, 9), buffer.data(), 5);
    EXPECT_FALSE(wrapped.ownsData);
    EXPECT_EQ(wrapped.PixelAddress(Point{8, 6}), buffer.data() + 2 * 11 + 3);

    std::vector<double> reals(2 * 4, 0.0);
    SingleChannelImage<double> real(Rect(0, 0, 2, 3), reals.data(), sizeof(double));
    EXPECT_EQ(real.PixelAddress(Point{2, 1}), reals.data() + 4 + 2);  // padding in bytes, strides in doubles
}

TEST(ImageTest, RowImageViewDerivesTheLayoutFromTheHost) {
    RowImage rows;
    ASSERT_EQ(rows.Allocate(Rect(3, 5, 6, 9), 4, 1).status, 0);  // 4 wide, 3 high
    Image<unsigned char> rgba(rows, 3, 3);                       // RGB mode, 3 colour planes, one sample more
    EXPECT_EQ(rgba.layout, ChannelLayout(kColourModelRGB, 3, true));
    EXPECT_EQ(rgba.bounds, Rect(3, 5, 6, 9));
    EXPECT_FALSE(rgba.ownsData);
    EXPECT_EQ(rgba.rowStride, 16);
    EXPECT_EQ(rgba.PixelAddress(Point{7, 4}), rows.PixelAddress(7, 4));
    EXPECT_EQ(Image<unsigned char>(rows, 4, 4).layout, ChannelLayout(kColourModelCMYK, 4, false));
    EXPECT_EQ(Image<unsigned char>(rows, 9, 3).layout, ChannelLayout(kColourModelLab, 3, true));

    // Five stored samples, three colour planes, no alpha: the view must still
    // step over whole stored pixels.
    RowImage wide;
    ASSERT_EQ(wide.Allocate(Rect(0, 0, 2, 3), 5, 1).status, 0);
    Image<unsigned char> view(wide, 1, 3);
    EXPECT_EQ(view.layout, ChannelLayout(kColourModelGrey, 3, false));
    EXPECT_EQ(view.PixelAddress(Point{2, 1}), wide.PixelAddress(2, 1));
}

TEST(ImageTest, RowImageViewsOfHostRowsConstantMasksAndSingleRows) {
    // Host rows of two 2-byte pixels padded to 7 bytes.
    std::vector<unsigned char> host(3 * 7, 0);
    RowImage wrapped;
    ASSERT_EQ(wrapped.WrapRows(Rect(1, 1, 4, 3), 2, 1, host.data(), 7).status, 0);
    Image<unsigned char> view(wrapped, ChannelLayout(kColourModelGrey, 1, true));
    EXPECT_EQ(view.PixelAddress(Point{2, 3}), host.data() + 2 * 7 + 2);

    RowImage constant;
    ASSERT_EQ(constant.AllocateConstantMask(Rect(0, 0, 4, 3), 255).status, 0);
    SingleChannelImage<unsigned char> mask(constant);
    EXPECT_EQ(mask.layout, ChannelLayout::SingleChannel());
    EXPECT_EQ(mask.rowStride, 0);
    EXPECT_EQ(*mask.PixelAddress(Point{1, 2}), 255);

    RowImage oneRow;
    ASSERT_EQ(oneRow.Allocate(Rect(5, 0, 6, 6), 1, 1).status, 0);
    EXPECT_EQ(SingleChannelImage<unsigned char>(oneRow).rowStride, 6);

    RowImage nothing;
    EXPECT_FALSE(Image<unsigned char>(nothing, 3, 3).HasData());
}

}  // namespace
