// The picture tube reader on files made by the writers: both format versions
// read back pixel for pixel, the version 5 preview composite, progress, and
// every prefix of a file read safely.
#include "content/PspFileReader.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "content/VtFile.h"
#include "tests/content/ContentFixtures.h"
#include "tools/contentwriters/PictureTubeWriter.h"

namespace {

class PspFileReaderTest : public ContentTest {};

// Every sample of `image` against the RGBA picture it was written from.
void ExpectSamePixels(const Image<unsigned char>& image, const RasterImage& picture) {
    ASSERT_EQ(image.Width(), picture.width);
    ASSERT_EQ(image.Height(), picture.height);
    int differences = 0;
    for (int32_t y = 0; y < picture.height; ++y)
        for (int32_t x = 0; x < picture.width; ++x)
            for (int c = 0; c < 4; ++c)
                if (Sample(image, x, y, c) != picture.Row(y)[x * 4 + c]) ++differences;
    EXPECT_EQ(differences, 0);
}

TEST_F(PspFileReaderTest, BothVersionsReadBackWhatTheWriterWrote) {
    const RasterImage picture = PatternPicture(37, 23);
    for (uint16_t version : {3, 5}) {
        SCOPED_TRACE(version);
        const std::string path = PathOf("pattern.tub");
        ASSERT_EQ(WritePictureTube(path, picture, PictureTubeOptions{4, 3, version}), "");
        const ReadTube tube = ReadTubeFile(path);
        EXPECT_EQ(Outcome(tube.openResult), Fine());
        EXPECT_EQ(Outcome(tube.imageResult), Fine());
        EXPECT_EQ(tube.version5, version == 5);
        EXPECT_EQ(tube.width, 37);
        EXPECT_EQ(tube.height, 23);
        EXPECT_EQ(tube.columns, 4);
        EXPECT_EQ(tube.rows, 3);
        ExpectSamePixels(*tube.image, picture);
    }
}

TEST_F(PspFileReaderTest, GreyAndOpaquePicturesGainColourAndFullAlpha) {
    RasterImage grey(5, 4, 1);
    for (size_t i = 0; i < grey.pixels.size(); ++i) grey.pixels[i] = static_cast<uint8_t>(i * 13);
    ASSERT_EQ(WritePictureTube(PathOf("grey.rfr"), grey, PictureTubeOptions{1, 1, 5}), "");
    const ReadTube tube = ReadTubeFile(PathOf("grey.rfr"));
    ASSERT_EQ(Outcome(tube.imageResult), Fine());
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            const int value = grey.Row(y)[x];
            EXPECT_EQ(Sample(*tube.image, x, y, 0), value);
            EXPECT_EQ(Sample(*tube.image, x, y, 1), value);
            EXPECT_EQ(Sample(*tube.image, x, y, 2), value);
            EXPECT_EQ(Sample(*tube.image, x, y, 3), 255);
        }
}

// The composite is the picture over white, scaled into the thumbnail square
// and JPEG-compressed: close to the flattened picture, not exact.
TEST_F(PspFileReaderTest, VersionFiveCarriesAPreviewCompositeAndVersionThreeNone) {
    RasterImage picture = SolidPicture(300, 120, 200, 60, 30);
    ASSERT_EQ(WritePictureTube(PathOf("five.tub"), picture, PictureTubeOptions{2, 1, 5}), "");
    ASSERT_EQ(WritePictureTube(PathOf("three.tub"), picture, PictureTubeOptions{2, 1, 3}), "");

    const ReadTube five = ReadTubeFile(PathOf("five.tub"));
    ASSERT_EQ(Outcome(five.openResult), Fine());
    ASSERT_NE(five.preview, nullptr);
    EXPECT_EQ(five.preview->layout, ChannelLayout(kColourModelRGB, 3, false));
    EXPECT_EQ(five.preview->Width(), 150);
    EXPECT_EQ(five.preview->Height(), 60);
    const int expected[3] = {200, 60, 30};
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(Sample(*five.preview, 75, 30, c), expected[c], 4) << c;

    const ReadTube three = ReadTubeFile(PathOf("three.tub"));
    ASSERT_EQ(Outcome(three.openResult), Fine());
    EXPECT_EQ(three.preview, nullptr);
}

TEST_F(PspFileReaderTest, ProgressRunsOverTheFourChannels) {
    ASSERT_EQ(WritePictureTube(PathOf("p.tub"), PatternPicture(8, 8), PictureTubeOptions{}), "");
    RecordingSink sink;
    const ReadTube tube = ReadTubeFile(PathOf("p.tub"), &sink, 0.25, 0.85);
    ASSERT_EQ(Outcome(tube.imageResult), Fine());
    ASSERT_EQ(sink.values.size(), 4u);
    for (size_t i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(sink.values[i], 0.25 + 0.6 * static_cast<double>(i) / 3.0);
}

TEST_F(PspFileReaderTest, ADestinationOfTheWrongSizeIsRefusedWithoutMessage) {
    ASSERT_EQ(WritePictureTube(PathOf("p.tub"), PatternPicture(8, 6), PictureTubeOptions{}), "");
    VtFile file;
    ASSERT_TRUE(file.Open(PathOf("p.tub")));
    PspFileReader reader(file);
    ASSERT_TRUE(reader.open().IsSuccess());
    ResultCode allocation;
    Image<unsigned char> small(ChannelLayout(kColourModelRGB, 3, true), Rect(0, 0, 6, 7), allocation);
    EXPECT_EQ(Outcome(reader.readImage(small, nullptr, 0, 1)), std::make_pair(-1, 0));
}

// Every truncation of a valid file either still opens (cut after a block the
// open does not need) or is refused as damaged; reading the image of one that
// opens gives the whole image or 10033. Nothing else, and no crash.
TEST_F(PspFileReaderTest, EveryPrefixOfAFileIsReadSafely) {
    for (uint16_t version : {3, 5}) {
        SCOPED_TRACE(version);
        ASSERT_EQ(WritePictureTube(PathOf("whole.tub"), PatternPicture(12, 9), PictureTubeOptions{3, 3, version}), "");
        const std::vector<uint8_t> whole = FileBytes(PathOf("whole.tub"));
        int opened = 0;
        for (size_t length = 0; length < whole.size(); ++length) {
            PutFileBytes(PathOf("cut.tub"), std::vector<uint8_t>(whole.begin(), whole.begin() + length));
            const ReadTube tube = ReadTubeFile(PathOf("cut.tub"));
            if (tube.openResult.IsSuccess()) {
                ++opened;
                EXPECT_EQ(Outcome(tube.imageResult), Damaged()) << length;
            } else {
                ASSERT_EQ(Outcome(tube.openResult), Damaged()) << length;
            }
        }
        // Cut exactly before the layer bank: opens, but has no image.
        EXPECT_EQ(opened, 1);
    }
}

}  // namespace
