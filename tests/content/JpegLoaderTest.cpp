// JPEG content: the loaders against the pictures the JPEG files were written
// from, the texture content check, and damaged or absurd streams.
#include "content/JpegLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "imagefiles/ImageFiles.h"
#include "tests/content/ContentFixtures.h"
#include "tools/contentwriters/TextureWriter.h"

namespace {

class JpegLoaderTest : public ContentTest {
protected:
    // A smooth picture (JPEG keeps it within a few levels) written as JPEG.
    std::string WriteJpeg(const std::string& name, int channels, int32_t width = 40, int32_t height = 24) {
        RasterImage picture(width, height, channels);
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x)
                for (int c = 0; c < channels; ++c)
                    picture.Row(y)[x * channels + c] = static_cast<uint8_t>(40 + x * 3 + y * 2 + c * 20);
        pictures_[name] = picture;
        const std::string path = PathOf(name);
        EXPECT_TRUE(WriteImageFile(path, picture).Ok());
        return path;
    }

    int LargestDifference(const Image<unsigned char>& image, const RasterImage& picture) {
        int largest = 0;
        for (int32_t y = 0; y < picture.height; ++y)
            for (int32_t x = 0; x < picture.width; ++x)
                for (int c = 0; c < picture.channels; ++c)
                    largest =
                        std::max(largest, std::abs(Sample(image, x, y, c) - picture.Row(y)[x * picture.channels + c]));
        return largest;
    }

    std::map<std::string, RasterImage> pictures_;
};

// The offset of the frame header's height field in a baseline JPEG.
size_t FrameSizeOffset(const std::vector<uint8_t>& jpeg) {
    for (size_t i = 2; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) return i + 5;
    ADD_FAILURE() << "no frame header";
    return 0;
}

TEST_F(JpegLoaderTest, GreyAndColourFilesDecodeInTheirColourSpaces) {
    struct Case {
        int channels;
        ChannelLayout layout;
    };
    for (const Case& test :
         {Case{1, ChannelLayout(kColourModelGrey, 1, false)}, Case{3, ChannelLayout(kColourModelRGB, 3, false)}}) {
        SCOPED_TRACE(test.channels);
        const std::string name = "picture" + std::to_string(test.channels) + ".jpg";
        const std::string path = WriteJpeg(name, test.channels);
        std::unique_ptr<Image<unsigned char>> fromFile;
        ASSERT_EQ(Outcome(LoadJpegFile(path, fromFile, nullptr, 0, 1)), Fine());
        ASSERT_NE(fromFile, nullptr);
        EXPECT_EQ(fromFile->layout, test.layout);
        EXPECT_EQ(fromFile->bounds, Rect(0, 0, 24, 40));
        EXPECT_LE(LargestDifference(*fromFile, pictures_[name]), 4);

        const std::vector<uint8_t> bytes = FileBytes(path);
        std::unique_ptr<Image<unsigned char>> fromMemory;
        ASSERT_EQ(Outcome(LoadJpegMemory(bytes.data(), bytes.size(), fromMemory, nullptr, 0, 1)), Fine());
        ASSERT_NE(fromMemory, nullptr);
        EXPECT_EQ(fromMemory->layout, test.layout);
        for (int32_t y = 0; y < 24; ++y)
            EXPECT_TRUE(std::equal(fromFile->PixelAddress(Point{0, y}),
                                   fromFile->PixelAddress(Point{0, y}) + 40 * test.channels,
                                   fromMemory->PixelAddress(Point{0, y})));
    }
}

TEST_F(JpegLoaderTest, OnlyOneChannelGreyIsTextureContent) {
    EXPECT_EQ(Outcome(CheckJpegContent(WriteJpeg("grey.jpg", 1))), Fine());
    EXPECT_EQ(Outcome(CheckJpegContent(WriteJpeg("colour.jpg", 3))), Damaged());
    EXPECT_EQ(Outcome(CheckJpegContent(PathOf("missing.jpg"))), std::make_pair(-1, 0));
    PutFileBytes(PathOf("text.jpg"), {'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'});
    EXPECT_EQ(Outcome(CheckJpegContent(PathOf("text.jpg"))), std::make_pair(-1, 0));
}

// 0.299 × 100 + 0.587 × 150 + 0.114 × 200 = 140.75; half transparent white
// over white stays white.
TEST_F(JpegLoaderTest, TexturesAreTheBrightnessOfTheirPictures) {
    RasterImage picture(16, 16, 4);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            uint8_t* pixel = picture.Row(y) + x * 4;
            const bool left = x < 8;
            pixel[0] = left ? 100 : 255;
            pixel[1] = left ? 150 : 255;
            pixel[2] = left ? 200 : 255;
            pixel[3] = left ? 255 : 128;
        }
    ASSERT_EQ(WriteTexture(PathOf("texture.jpg"), picture), "");
    EXPECT_EQ(Outcome(CheckJpegContent(PathOf("texture.jpg"))), Fine());
    std::unique_ptr<Image<unsigned char>> image;
    ASSERT_EQ(Outcome(LoadJpegFile(PathOf("texture.jpg"), image, nullptr, 0, 1)), Fine());
    EXPECT_NEAR(Sample(*image, 2, 8, 0), 141, 2);
    EXPECT_NEAR(Sample(*image, 13, 8, 0), 255, 2);
    EXPECT_NE(WriteTexture(PathOf("texture.png"), picture), "");
}

TEST_F(JpegLoaderTest, UnreadableFilesGiveTheirOwnResults) {
    std::unique_ptr<Image<unsigned char>> image;
    EXPECT_EQ(Outcome(LoadJpegFile(PathOf("missing.jpg"), image, nullptr, 0, 1)), std::make_pair(-1, 0));
    PutFileBytes(PathOf("text.jpg"), {'n', 'o', 't', ' ', 'a', ' ', 'J', 'P', 'E', 'G'});
    EXPECT_EQ(Outcome(LoadJpegFile(PathOf("text.jpg"), image, nullptr, 0, 1)), Damaged());
    EXPECT_EQ(image, nullptr);
    EXPECT_EQ(Outcome(LoadJpegMemory(nullptr, 0, image, nullptr, 0, 1)), Damaged());
}

// Cut anywhere after its header, a stream is refused rather than decoded
// with grey rows where the data is missing, and no image is left behind.
TEST_F(JpegLoaderTest, ATruncatedStreamGivesNoImage) {
    const std::vector<uint8_t> whole = FileBytes(WriteJpeg("whole.jpg", 3, 64, 64));
    for (size_t length : {whole.size() / 3, whole.size() / 2, whole.size() - 3}) {
        SCOPED_TRACE(length);
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        PutFileBytes(PathOf("cut.jpg"), cut);
        std::unique_ptr<Image<unsigned char>> image = std::make_unique<Image<unsigned char>>(ChannelLayout());
        EXPECT_EQ(Outcome(LoadJpegFile(PathOf("cut.jpg"), image, nullptr, 0, 1)), Damaged());
        EXPECT_EQ(image, nullptr);
        image = std::make_unique<Image<unsigned char>>(ChannelLayout());
        EXPECT_EQ(Outcome(LoadJpegMemory(cut.data(), cut.size(), image, nullptr, 0, 1)), Damaged());
        EXPECT_EQ(image, nullptr);
    }
}

TEST_F(JpegLoaderTest, ProgressReachesTheStartOfTheLastLine) {
    const std::string path = WriteJpeg("progress.jpg", 1, 16, 48);
    RecordingSink sink;
    std::unique_ptr<Image<unsigned char>> image;
    ASSERT_EQ(Outcome(LoadJpegFile(path, image, &sink, 0.1, 0.5)), Fine());
    ASSERT_EQ(sink.values.size(), 48u);
    for (size_t line = 0; line < 48; ++line) EXPECT_DOUBLE_EQ(sink.values[line], 0.1 + 0.4 * (line / 48.0));
    EXPECT_DOUBLE_EQ(sink.values.back(), 0.1 + 0.4 * 47.0 / 48.0);
}

// libjpeg skips the contents of markers it does not keep through the source.
TEST_F(JpegLoaderTest, TheMemorySourceSkipsMarkerDataAndStopsAtItsEnd) {
    const std::vector<uint8_t> plain = FileBytes(WriteJpeg("plain.jpg", 3));
    std::vector<uint8_t> marked(plain.begin(), plain.begin() + 2);  // SOI
    const std::vector<uint8_t> segment = {0xFF, 0xE9, 0x01, 0x2E};  // APP9 of 300 bytes with its length
    marked.insert(marked.end(), segment.begin(), segment.end());
    marked.insert(marked.end(), 298, 0xFF);  // would read as fill bytes if not skipped
    marked.insert(marked.end(), plain.begin() + 2, plain.end());

    std::unique_ptr<Image<unsigned char>> expected, image;
    ASSERT_EQ(Outcome(LoadJpegMemory(plain.data(), plain.size(), expected, nullptr, 0, 1)), Fine());
    ASSERT_EQ(Outcome(LoadJpegMemory(marked.data(), marked.size(), image, nullptr, 0, 1)), Fine());
    for (int32_t y = 0; y < 24; ++y)
        EXPECT_TRUE(std::equal(expected->PixelAddress(Point{0, y}), expected->PixelAddress(Point{0, y}) + 120,
                               image->PixelAddress(Point{0, y})));

    // A segment longer than what is left of the buffer ends the stream.
    const std::vector<uint8_t> overlong = {0xFF, 0xD8, 0xFF, 0xE9, 0xFF, 0xF0, 1, 2, 3};
    EXPECT_EQ(Outcome(LoadJpegMemory(overlong.data(), overlong.size(), image, nullptr, 0, 1)), Damaged());
}

TEST_F(JpegLoaderTest, ASizeAbsurdForTheStreamIsRefusedBeforeAllocating) {
    const std::string path = WriteJpeg("small.jpg", 1, 16, 16);
    std::vector<uint8_t> bytes = FileBytes(path);
    const size_t size = FrameSizeOffset(bytes);
    for (size_t i = 0; i < 4; ++i) bytes[size + i] = 0xFD;  // 65021 × 65021
    PutFileBytes(PathOf("huge.jpg"), bytes);
    std::unique_ptr<Image<unsigned char>> image;
    EXPECT_EQ(Outcome(LoadJpegMemory(bytes.data(), bytes.size(), image, nullptr, 0, 1)), Damaged());
    EXPECT_EQ(Outcome(LoadJpegFile(PathOf("huge.jpg"), image, nullptr, 0, 1)), Damaged());
    EXPECT_EQ(image, nullptr);
}

TEST_F(JpegLoaderTest, DecodingIntoADestinationNeedsItsExactSizeAndLayout) {
    const std::vector<uint8_t> bytes = FileBytes(WriteJpeg("colour.jpg", 3));
    std::unique_ptr<Image<unsigned char>> expected;
    ASSERT_EQ(Outcome(LoadJpegMemory(bytes.data(), bytes.size(), expected, nullptr, 0, 1)), Fine());

    ResultCode allocation;
    Image<unsigned char> fitting(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 24, 40), allocation);
    ASSERT_EQ(Outcome(DecodeJpegMemory(bytes.data(), bytes.size(), fitting, nullptr, 0, 1)), Fine());
    for (int32_t y = 0; y < 24; ++y)
        EXPECT_TRUE(std::equal(expected->PixelAddress(Point{0, y}), expected->PixelAddress(Point{0, y}) + 120,
                               fitting.PixelAddress(Point{0, y})));

    Image<unsigned char> narrow(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 24, 39), allocation);
    EXPECT_EQ(Outcome(DecodeJpegMemory(bytes.data(), bytes.size(), narrow, nullptr, 0, 1)), Damaged());
    Image<unsigned char> grey(ChannelLayout(kColourModelGrey, 1, false), Rect(0, 0, 24, 40), allocation);
    EXPECT_EQ(Outcome(DecodeJpegMemory(bytes.data(), bytes.size(), grey, nullptr, 0, 1)), Damaged());
}

}  // namespace
