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

// The points of `rect` in the order a row-major walk must visit them.
std::vector<Point> RowMajorPoints(const Rect& rect) {
    std::vector<Point> points;
    for (int32_t y = rect.top; y < rect.bottom; ++y)
        for (int32_t x = rect.left; x < rect.right; ++x) points.push_back(Point{x, y});
    return points;
}

// Walks `rect` and checks each position, pixel pointer (against the plain
// address formula) and row-start flag.
template <typename Iterator, typename ImageT>
void ExpectWalk(Iterator& it, const ImageT& image, int32_t pixelStep, const Rect& rect) {
    const std::vector<Point> expected = RowMajorPoints(rect);
    std::size_t i = 0;
    for (it.Begin(rect); it.IsValid(); it.Next(), ++i) {
        ASSERT_LT(i, expected.size());
        EXPECT_EQ(it.X(), expected[i].x);
        EXPECT_EQ(it.Y(), expected[i].y);
        EXPECT_EQ(it.AtRowStart(), expected[i].x == rect.left);
        const auto* address =
            image.data + (expected[i].y - image.bounds.top) * image.rowStride + (expected[i].x - image.bounds.left) * pixelStep;
        EXPECT_EQ(it.Pixel(), address);
    }
    EXPECT_EQ(i, expected.size());
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
    // Rows of 4 one-byte pixels with 2 bytes of padding, padding marked 77.
    std::vector<unsigned char> buffer(3 * 6, 77);
    SingleChannelImage<unsigned char> padded(Rect(0, 0, 3, 4), buffer.data(), 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) buffer[y * 6 + x] = 0;

    LeftToRightTopToBottomIterator<SingleChannelImage<unsigned char>> it(padded);
    int visited = 0;
    for (it.Begin(Rect(0, 1, 3, 3)); it.IsValid(); it.Next()) *it.Pixel() = static_cast<unsigned char>(++visited);
    EXPECT_EQ(visited, 6);
    const std::vector<unsigned char> expected = {0, 1, 2, 0, 77, 77, 0, 3, 4, 0, 77, 77, 0, 5, 6, 0, 77, 77};
    EXPECT_EQ(buffer, expected);

    // BeginAll covers the whole image and still leaves the padding alone.
    int all = 0;
    for (it.BeginAll(); it.IsValid(); it.Next()) {
        *it.Pixel() = 1;
        ++all;
    }
    EXPECT_EQ(all, 12);
    EXPECT_EQ(buffer[4], 77);
    EXPECT_EQ(buffer[17], 77);
}

TEST(IteratorTest, ConstantMaskViewRepeatsTheSharedRow) {
    RowImage mask;
    ASSERT_EQ(mask.AllocateConstantMask(Rect(5, 5, 8, 9), 200).status, 0);
    const SingleChannelImage<unsigned char> view(mask);
    EXPECT_EQ(view.rowStride, 0);
    LeftToRightTopToBottomConstIterator<SingleChannelImage<unsigned char>> it(view);
    int sum = 0;
    int count = 0;
    for (it.BeginAll(); it.IsValid(); it.Next(), ++count) sum += *it.Pixel();
    EXPECT_EQ(count, 12);
    EXPECT_EQ(sum, 12 * 200);
}

TEST(IteratorTest, ProgressOncePerFinishedRowScaledIntoTheRange) {
    ResultCode result;
    Image<unsigned char> image(ChannelLayout(kColourModelGrey, 1, false), Rect(0, 0, 10, 10), result);
    ASSERT_EQ(result.status, 0);
    LeftToRightTopToBottomIterator<Image<unsigned char>> it(image);

    // 4 wide, 3 high: 12 pixels; rows end after 4, 8 and 12 of them.
    RecordingSink sink;
    int steps = 0;
    for (it.Begin(Rect(2, 1, 5, 5), &sink, 0.2, 0.8); it.IsValid(); it.Next()) ++steps;
    EXPECT_EQ(steps, 12);
    ASSERT_EQ(sink.values.size(), 3u);
    EXPECT_DOUBLE_EQ(sink.values[0], 0.4);
    EXPECT_DOUBLE_EQ(sink.values[1], 0.6);
    EXPECT_DOUBLE_EQ(sink.values[2], 0.8);

    RecordingSink oneRow;
    for (it.Begin(Rect(3, 0, 4, 7), &oneRow, 0.25, 0.5); it.IsValid(); it.Next()) {
    }
    ASSERT_EQ(oneRow.values.size(), 1u);
    EXPECT_DOUBLE_EQ(oneRow.values[0], 0.5);

    // A decreasing range works the same way.
    RecordingSink down;
    for (it.Begin(Rect(0, 0, 2, 1), &down, 1.0, 0.0); it.IsValid(); it.Next()) {
    }
    ASSERT_EQ(down.values.size(), 2u);
    EXPECT_DOUBLE_EQ(down.values[0], 0.5);
    EXPECT_DOUBLE_EQ(down.values[1], 0.0);
}

TEST(IteratorTest, EmptyRectangleIsInvalidAtOnceWithoutProgress) {
    ResultCode result;
    Image<double> image(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 4, 4), result);
    ASSERT_EQ(result.status, 0);
    LeftToRightTopToBottomIterator<Image<double>> it(image);
    RecordingSink sink;
    for (const Rect& empty : {Rect(2, 0, 2, 4), Rect(0, 3, 4, 3), Rect(3, 3, 1, 1)}) {
        it.Begin(empty, &sink, 0.0, 1.0);
        EXPECT_FALSE(it.IsValid());
        EXPECT_EQ(it.X(), empty.left);
        EXPECT_EQ(it.Y(), empty.bottom);
    }
    EXPECT_TRUE(sink.values.empty());

    // An image without pixels walks nothing either.
    Image<double> none(ChannelLayout(kColourModelRGB, 3, false));
    LeftToRightTopToBottomIterator<Image<double>> noneIt(none);
    noneIt.BeginAll(&sink, 0.0, 1.0);
    EXPECT_FALSE(noneIt.IsValid());
    EXPECT_TRUE(sink.values.empty());

    // Before any Begin the iterator is not valid.
    LeftToRightTopToBottomIterator<Image<double>> fresh(image);
    EXPECT_FALSE(fresh.IsValid());
}

TEST(IteratorTest, WorksThroughTheAbstractInterface) {
    ResultCode result;
    SingleChannelImage<unsigned char> mask(Rect(0, 0, 2, 3), result);
    ASSERT_EQ(result.status, 0);
    LeftToRightTopToBottomIterator<SingleChannelImage<unsigned char>> concrete(mask);
    IteratorInterface<SingleChannelImage<unsigned char>>& it = concrete;
    RecordingSink sink;
    int rowStarts = 0;
    int count = 0;
    for (it.BeginAll(&sink, 0.0, 1.0); it.IsValid(); it.Next(), ++count) {
        if (it.AtRowStart()) ++rowStarts;
        *concrete.Pixel() = static_cast<unsigned char>(count);
    }
    EXPECT_EQ(count, 6);
    EXPECT_EQ(rowStarts, 2);
    ASSERT_EQ(sink.values.size(), 2u);
    EXPECT_DOUBLE_EQ(sink.values[0], 0.5);
    EXPECT_EQ(*mask.PixelAddress(Point{1, 1}), 4);
}

TEST(RectIteratorTest, WalksPointsWithRowProgress) {
    RectIteratorLeftToRightTopToBottom concrete;
    RectIteratorInterface& it = concrete;
    RecordingSink sink;
    const Rect rect(-1, -2, 2, 1);  // 3 wide, 3 high
    const std::vector<Point> expected = RowMajorPoints(rect);
    std::size_t i = 0;
    for (it.Begin(rect, &sink, 0.0, 0.9); it.IsValid(); it.Next(), ++i) {
        ASSERT_LT(i, expected.size());
        EXPECT_EQ(concrete.X(), expected[i].x);
        EXPECT_EQ(concrete.Y(), expected[i].y);
        EXPECT_EQ(it.AtRowStart(), expected[i].x == -2);
    }
    EXPECT_EQ(i, 9u);
    ASSERT_EQ(sink.values.size(), 3u);
    EXPECT_DOUBLE_EQ(sink.values[0], 0.3);
    EXPECT_DOUBLE_EQ(sink.values[1], 0.6);
    EXPECT_DOUBLE_EQ(sink.values[2], 0.9);

    RecordingSink none;
    it.Begin(Rect(0, 5, 9, 5), &none, 0.0, 1.0);
    EXPECT_FALSE(it.IsValid());
    EXPECT_TRUE(none.values.empty());

    RecordingSink single;
    int count = 0;
    for (it.Begin(Rect(4, 4, 5, 5), &single, 0.1, 0.7); it.IsValid(); it.Next()) ++count;
    EXPECT_EQ(count, 1);
    ASSERT_EQ(single.values.size(), 1u);
    EXPECT_DOUBLE_EQ(single.values[0], 0.7);
}

}  // namespace
