#include "image/Iterators.h"

#include <gtest/gtest.h>

#include <vector>

#include "image/RectIterator.h"
#include "image/RowImage.h"

namespace {

class RecordingSink : public ProgressUpdateSink {
public:
    std::vector<double> values;
    void Update(double fraction) override { values.push_back(fraction); }
};

// Walks `rect` and checks each position, row-start flag and pixel pointer
// against a plain row-major enumeration and the address formula.
template <typename Iterator, typename ImageT>
void ExpectWalk(Iterator& it, const ImageT& image, int32_t pixelStep, const Rect& rect) {
    int32_t x = rect.left;
    int32_t y = rect.top;
    for (it.Begin(rect); it.IsValid(); it.Next()) {
        ASSERT_LT(y, rect.bottom);
        EXPECT_EQ(it.X(), x);
        EXPECT_EQ(it.Y(), y);
        EXPECT_EQ(it.AtRowStart(), x == rect.left);
        EXPECT_EQ(it.Pixel(),
                  image.data + (y - image.bounds.top) * image.rowStride + (x - image.bounds.left) * pixelStep);
        if (++x == rect.right) {
            x = rect.left;
            ++y;
        }
    }
    EXPECT_EQ(y, rect.bottom);
}

TEST(IteratorTest, VisitsEveryPixelOfEachImageTypeInRowOrder) {
    ResultCode result;
    Image<unsigned char> rgb(ChannelLayout(kColourModelRGB, 3, false), Rect(-2, -3, 4, 5), result);
    Image<double> field(ChannelLayout(kColourModelNone, 2, false), Rect(0, 0, 3, 4), result);
    SingleChannelImage<unsigned char> mask(Rect(10, 10, 15, 16), result);
    SingleChannelImage<double> real(Rect(-1, -1, 2, 2), result);
    ASSERT_EQ(result.status, 0);

    LeftToRightTopToBottomIterator<Image<unsigned char>> rgbIt(rgb);
    ExpectWalk(rgbIt, rgb, 3, Rect(-1, -2, 3, 4));
    LeftToRightTopToBottomIterator<Image<double>> fieldIt(field);
    ExpectWalk(fieldIt, field, 2, field.bounds);
    LeftToRightTopToBottomIterator<SingleChannelImage<unsigned char>> maskIt(mask);
    ExpectWalk(maskIt, mask, 1, Rect(11, 12, 14, 13));
    LeftToRightTopToBottomIterator<SingleChannelImage<double>> realIt(real);
    ExpectWalk(realIt, real, 1, Rect(-1, 0, 2, 1));
    LeftToRightTopToBottomConstIterator<Image<unsigned char>> constIt(rgb);
    ExpectWalk(constIt, rgb, 3, rgb.bounds);
}

TEST(IteratorTest, WritesStayInsideTheRectangleAndSkipRowPadding) {
    // Rows of 4 one-byte pixels and 2 padding bytes (77).
    std::vector<unsigned char> buffer = {0, 0, 0, 0, 77, 77, 0, 0, 0, 0, 77, 77, 0, 0, 0, 0, 77, 77};
    SingleChannelImage<unsigned char> padded(Rect(0, 0, 3, 4), buffer.data(), 2);
    LeftToRightTopToBottomIterator<SingleChannelImage<unsigned char>> it(padded);
    int visited = 0;
    for (it.Begin(Rect(0, 1, 3, 3)); it.IsValid(); it.Next()) *it.Pixel() = static_cast<unsigned char>(++visited);
    EXPECT_EQ(buffer, (std::vector<unsigned char>{0, 1, 2, 0, 77, 77, 0, 3, 4, 0, 77, 77, 0, 5, 6, 0, 77, 77}));

    // A constant mask view (row stride 0) repeats its one row.
    RowImage constant;
    ASSERT_EQ(constant.AllocateConstantMask(Rect(5, 5, 8, 9), 200).status, 0);
    const SingleChannelImage<unsigned char> view(constant);
    LeftToRightTopToBottomConstIterator<SingleChannelImage<unsigned char>> constIt(view);
    int sum = 0;
    for (constIt.BeginAll(); constIt.IsValid(); constIt.Next()) sum += *constIt.Pixel();
    EXPECT_EQ(sum, 12 * 200);
}

TEST(IteratorTest, ProgressOncePerFinishedRowScaledIntoTheRange) {
    ResultCode result;
    SingleChannelImage<unsigned char> image(Rect(0, 0, 10, 10), result);
    ASSERT_EQ(result.status, 0);
    LeftToRightTopToBottomIterator<SingleChannelImage<unsigned char>> concrete(image);
    IteratorInterface<SingleChannelImage<unsigned char>>& it = concrete;  // through the virtual protocol

    // 4 wide, 3 high: rows end after 4, 8 and 12 of 12 pixels.
    RecordingSink sink;
    for (it.Begin(Rect(2, 1, 5, 5), &sink, 0.2, 0.8); it.IsValid(); it.Next()) {}
    ASSERT_EQ(sink.values.size(), 3u);
    EXPECT_DOUBLE_EQ(sink.values[0], 0.4);
    EXPECT_DOUBLE_EQ(sink.values[1], 0.6);
    EXPECT_DOUBLE_EQ(sink.values[2], 0.8);

    RecordingSink oneRow;
    for (it.Begin(Rect(3, 0, 4, 7), &oneRow, 0.25, 0.5); it.IsValid(); it.Next()) {}
    EXPECT_EQ(oneRow.values, std::vector<double>{0.5});

    RecordingSink whole;
    for (it.BeginAll(&whole, 1.0, 0.0); it.IsValid(); it.Next()) {}
    ASSERT_EQ(whole.values.size(), 10u);
    EXPECT_DOUBLE_EQ(whole.values[2], 0.7);  // a decreasing range counts down
}

TEST(IteratorTest, EmptyRectangleIsInvalidAtOnceWithoutProgress) {
    ResultCode result;
    Image<double> image(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 4, 4), result);
    ASSERT_EQ(result.status, 0);
    LeftToRightTopToBottomIterator<Image<double>> it(image);
    EXPECT_FALSE(it.IsValid());  // before any Begin
    RecordingSink sink;
    for (const Rect& empty : {Rect(2, 0, 2, 4), Rect(0, 3, 4, 3), Rect(3, 3, 1, 1)}) {
        it.Begin(empty, &sink, 0.0, 1.0);
        EXPECT_FALSE(it.IsValid());
        EXPECT_EQ(it.X(), empty.left);
        EXPECT_EQ(it.Y(), empty.bottom);
    }
    Image<double> none(ChannelLayout(kColourModelRGB, 3, false));
    LeftToRightTopToBottomIterator<Image<double>> noneIt(none);
    noneIt.BeginAll(&sink, 0.0, 1.0);
    EXPECT_FALSE(noneIt.IsValid());
    EXPECT_TRUE(sink.values.empty());
}

TEST(RectIteratorTest, WalksPointsWithRowProgress) {
    RectIteratorLeftToRightTopToBottom concrete;
    RectIteratorInterface& it = concrete;
    RecordingSink sink;
    int32_t x = -2;
    int32_t y = -1;
    for (it.Begin(Rect(-1, -2, 2, 1), &sink, 0.0, 0.9); it.IsValid(); it.Next()) {  // 3 × 3
        EXPECT_EQ(concrete.X(), x);
        EXPECT_EQ(concrete.Y(), y);
        EXPECT_EQ(it.AtRowStart(), x == -2);
        if (++x == 1) {
            x = -2;
            ++y;
        }
    }
    EXPECT_EQ(y, 2);
    ASSERT_EQ(sink.values.size(), 3u);
    EXPECT_DOUBLE_EQ(sink.values[0], 0.3);
    EXPECT_DOUBLE_EQ(sink.values[1], 0.6);
    EXPECT_DOUBLE_EQ(sink.values[2], 0.9);

    RecordingSink none;
    it.Begin(Rect(0, 5, 9, 5), &none, 0.0, 1.0);
    EXPECT_FALSE(it.IsValid());
    EXPECT_TRUE(none.values.empty());
}

}  // namespace
