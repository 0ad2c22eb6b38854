#include "image/RowImage.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

void ExpectEmpty(const RowImage& image) {
    EXPECT_FALSE(image.HasRows());
    EXPECT_FALSE(image.OwnsPixels());
    EXPECT_EQ(image.FirstPixel(), nullptr);
    EXPECT_EQ(image.RowDistance(), 0);
}

TEST(RowImageTest, AllocatePacksZeroFilledRowsAtDocumentPositions) {
    RowImage image;
    // 5 wide, 4 high at (-3, -2); 3 samples of 2 bytes.
    ASSERT_EQ(image.Allocate(Rect(-2, -3, 2, 2), 3, 2).status, 0);
    EXPECT_TRUE(image.OwnsPixels());
    EXPECT_EQ(image.RowDistance(), 30);
    unsigned char* first = image.FirstPixel();
    for (int32_t y = -2; y < 2; ++y)
        for (int32_t x = -3; x < 2; ++x) {
            unsigned char* p = image.PixelAddress(x, y);
            ASSERT_EQ(p, first + (y + 2) * 30 + (x + 3) * 6);
            for (int i = 0; i < 6; ++i) EXPECT_EQ(p[i], 0);
        }

    RowImage oneRow;
    ASSERT_EQ(oneRow.Allocate(Rect(4, 10, 5, 17), 4, 1).status, 0);
    EXPECT_EQ(oneRow.RowDistance(), 28);  // the full row width

    RowImage none;
    ASSERT_EQ(none.Allocate(Rect(3, 3, 3, 9), 1, 1).status, 0);
    ExpectEmpty(none);
    EXPECT_EQ(none.Bounds(), Rect(3, 3, 3, 9));
}

TEST(RowImageTest, ConstantMaskSharesOneRow) {
    RowImage mask;
    ASSERT_EQ(mask.AllocateConstantMask(Rect(5, -4, 9, 2), 255).status, 0);
    EXPECT_EQ(mask.RowDistance(), 0);
    for (int32_t y = 5; y < 9; ++y)
        for (int32_t x = -4; x < 2; ++x) EXPECT_EQ(*mask.PixelAddress(x, y), 255);
    *mask.PixelAddress(0, 5) = 3;  // one row of memory: the write shows in every row
    EXPECT_EQ(*mask.PixelAddress(0, 8), 3);
}

TEST(RowImageTest, BadFormatsAndOversizedRectanglesAllocateNothing) {
    RowImage image;
    ASSERT_EQ(image.Allocate(Rect(0, 0, 2, 2), 1, 1).status, 0);
    EXPECT_EQ(image.Allocate(Rect(0, 0, 4, 4), 0, 1).status, -1);
    ExpectEmpty(image);  // what it held before is gone too
    // Sizes that wrap 64 bits or exceed the address space are refused before
    // anything (even the row table) is allocated.
    EXPECT_EQ(image.Allocate(Rect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX), 8, 8).status, -108);
    ExpectEmpty(image);
    EXPECT_EQ(image.Allocate(Rect(0, INT32_MIN, 2, INT32_MAX), INT32_MAX, INT32_MAX).status, -108);
    ExpectEmpty(image);
    EXPECT_EQ(image.Bounds(), Rect());
}

TEST(RowImageTest, RefusedPixelBufferLeavesTheImageEmpty) {
    if (kAddressSanitizer) GTEST_SKIP() << "the sanitizer aborts on impossible allocations";
    RowImage image;
    // 2^21 rows of 2^32 bytes: representable, but no machine has 8 PiB.
    EXPECT_EQ(image.Allocate(Rect(0, 0, 1 << 21, INT32_MAX), 1, 2).status, -108);
    ExpectEmpty(image);
    EXPECT_EQ(image.Bounds(), Rect());
}

TEST(RowImageTest, WrapRowsAddressesPaddedHostRowsWithoutOwning) {
    std::vector<unsigned char> host(3 * 11, 0);  // 4 two-byte pixels + 3 padding bytes per row
    RowImage rows;
    ASSERT_EQ(rows.WrapRows(Rect(10, 20, 13, 24), 2, 1, host.data(), 11).status, 0);
    EXPECT_FALSE(rows.OwnsPixels());
    EXPECT_EQ(rows.RowDistance(), 11);
    EXPECT_EQ(rows.PixelAddress(22, 12), host.data() + 2 * 11 + 2 * 2);

    RowImage bottomUp;
    ASSERT_EQ(bottomUp.WrapRows(Rect(0, 0, 3, 4), 2, 1, host.data() + 22, -11).status, 0);
    EXPECT_EQ(bottomUp.Row(2), host.data());

    EXPECT_EQ(rows.WrapRows(Rect(0, 0, 2, 2), 1, 1, nullptr, 2).status, -1);
    ExpectEmpty(rows);
    EXPECT_EQ(rows.WrapRows(Rect(0, 0, 3, 1), 1, 1, host.data(), PTRDIFF_MIN).status, -108);
    ExpectEmpty(rows);
    EXPECT_EQ(rows.WrapRows(Rect(0, 0, 3, 1), 1, 1, host.data(), PTRDIFF_MAX / 2 + 1).status, -108);
    ExpectEmpty(rows);
}

TEST(RowImageTest, MoveHandsOverOwnershipAndFreeEmpties) {
    RowImage source;
    ASSERT_EQ(source.Allocate(Rect(1, 1, 3, 3), 1, 1).status, 0);
    *source.PixelAddress(2, 2) = 42;
    RowImage target;
    ASSERT_EQ(target.AllocateConstantMask(Rect(0, 0, 5, 5), 1).status, 0);
    target = RowImage(std::move(source));  // the constant mask is freed here
    ExpectEmpty(source);
    EXPECT_EQ(target.Bounds(), Rect(1, 1, 3, 3));
    EXPECT_EQ(*target.PixelAddress(2, 2), 42);
    target.Free();
    ExpectEmpty(target);
    EXPECT_EQ(target.Bounds(), Rect());
}

// Mask rows written as text: '.' is 0, a digit d is d × 10 + 5.
void FillMask(RowImage& mask, const std::vector<const char*>& rows) {
    const Rect b = mask.Bounds();
    for (int32_t y = b.top; y < b.bottom; ++y)
        for (int32_t x = b.left; x < b.right; ++x) {
            const char c = rows[y - b.top][x - b.left];
            *mask.PixelAddress(x, y) = c == '.' ? 0 : static_cast<unsigned char>((c - '0') * 10 + 5);
        }
}

TEST(RowImageTest, CropToContentKeepsTheSmallestBoxOfNonZeroSamples) {
    RowImage mask;
    ASSERT_EQ(mask.Allocate(Rect(-3, -2, 3, 5), 1, 1).status, 0);  // 7 wide, 6 high
    FillMask(mask, {".......", "....1..", ".......", "..2....", "......3", "......."});
    RowImage cropped;
    ASSERT_EQ(mask.CropToContent(cropped).status, 0);
    EXPECT_EQ(cropped.Bounds(), Rect(-2, 0, 2, 5));  // columns 2..6, rows 1..4
    EXPECT_EQ(cropped.RowDistance(), 5);
    const unsigned char expected[4][5] = {{0, 0, 15, 0, 0}, {0, 0, 0, 0, 0}, {25, 0, 0, 0, 0}, {0, 0, 0, 0, 35}};
    for (int32_t y = -2; y < 2; ++y)
        for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(*cropped.PixelAddress(x, y), expected[y + 2][x]) << x << "," << y;

    // In place, down to one pixel.
    FillMask(mask, {".......", ".......", ".......", ".......", ".......", "......9"});
    ASSERT_EQ(mask.CropToContent(mask).status, 0);
    EXPECT_EQ(mask.Bounds(), Rect(2, 4, 3, 5));
    EXPECT_EQ(*mask.FirstPixel(), 95);
}

TEST(RowImageTest, CropToContentOfAllZeroMaskIsEmptyAtTheTopLeftCorner) {
    RowImage mask;
    ASSERT_EQ(mask.Allocate(Rect(7, -4, 10, 1), 1, 1).status, 0);
    RowImage cropped;
    ASSERT_EQ(mask.CropToContent(cropped).status, 0);
    EXPECT_EQ(cropped.Bounds(), Rect(7, -4, 7, -4));
    ExpectEmpty(cropped);

    // Host rows of 3 mask bytes and 2 padding bytes: set padding is not content.
    std::vector<unsigned char> host = {0, 0, 0, 9, 9, 0, 0, 0, 9, 9};
    RowImage wrapped;
    ASSERT_EQ(wrapped.WrapRows(Rect(0, 0, 2, 3), 1, 1, host.data(), 5).status, 0);
    ASSERT_EQ(wrapped.CropToContent(cropped).status, 0);
    EXPECT_TRUE(cropped.Bounds().IsEmpty());
    host[7] = 1;  // x 2, y 1
    ASSERT_EQ(wrapped.CropToContent(cropped).status, 0);
    EXPECT_EQ(cropped.Bounds(), Rect(1, 2, 2, 3));
}

TEST(RowImageTest, CropToContentOfConstantAndMultiByteImages) {
    RowImage full;
    ASSERT_EQ(full.AllocateConstantMask(Rect(-1, -1, 4, 6), 255).status, 0);
    RowImage cropped;
    ASSERT_EQ(full.CropToContent(cropped).status, 0);
    EXPECT_EQ(cropped.Bounds(), Rect(-1, -1, 4, 6));
    EXPECT_EQ(cropped.RowDistance(), 7);  // a private copy, no longer one shared row

    RowImage pairs;
    ASSERT_EQ(pairs.Allocate(Rect(0, 0, 2, 2), 2, 1).status, 0);
    EXPECT_EQ(pairs.CropToContent(cropped).status, -1);
    EXPECT_EQ(cropped.Bounds(), Rect(-1, -1, 4, 6));  // left as it was
}

}  // namespace
