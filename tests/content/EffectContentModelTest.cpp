// The content chooser's model on files the content writers make: records
// stored and resolved, and the open dialog's preview for every kind.
#include "content/EffectContentModel.h"

#include <gtest/gtest.h>

#include "tests/content/ContentFixtures.h"
#include "tools/contentwriters/PictureTubeWriter.h"
#include "tools/contentwriters/TextureWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace {

class EffectContentModelTest : public ContentTest {
protected:
    // A grey picture whose value at (x, y) is (x + y) mod 256, in steps
    // JPEG keeps to within a level or two.
    static RasterImage GreyRamp(int32_t width, int32_t height) {
        RasterImage picture(width, height, 1);
        for (int32_t y = 0; y < height; ++y) {
            for (int32_t x = 0; x < width; ++x) picture.Row(y)[x] = static_cast<uint8_t>((x + y) % 256);
        }
        return picture;
    }
};

TEST_F(EffectContentModelTest, StoresAndResolvesRecordsKeepingTheCarriedByte) {
    EffectContentModel model(FilterKinds::Frame, ContentFolders("C:\\Dapple"));
    ContentRecord record{};
    record[1024] = 0x7e;
    ASSERT_TRUE(model.Store("c:\\dapple\\Content\\Frames\\Gilded.rfr", record).IsSuccess());
    EXPECT_EQ(record[0], 1);
    EXPECT_STREQ(reinterpret_cast<const char*>(record.data() + 1), "\\Content\\Frames\\Gilded.rfr");
    EXPECT_EQ(record[1024], 0x7e);
    std::string path;
    ASSERT_TRUE(model.Resolve(record, path).IsSuccess());
    EXPECT_EQ(path, "C:\\Dapple\\Content\\Frames\\Gilded.rfr");

    std::string folder;
    ASSERT_TRUE(model.ContentFolder(folder).IsSuccess());
    EXPECT_EQ(folder, "C:\\Dapple\\Content\\");
    ASSERT_TRUE(model.PluginFolder(folder).IsSuccess());
    EXPECT_EQ(folder, "C:\\Dapple");
    EXPECT_TRUE(model.FolderExists(folder_.string()));
    EXPECT_FALSE(model.FolderExists(PathOf("nowhere")));
}

TEST_F(EffectContentModelTest, PreviewsTubesByTheirCompositeOnly) {
    PictureTubeOptions options;
    options.columns = 2;
    options.rows = 1;
    ASSERT_EQ(WritePictureTube(PathOf("new.tub"), SolidPicture(40, 20, 200, 30, 30), options), "");
    options.majorVersion = 3;
    ASSERT_EQ(WritePictureTube(PathOf("old.tub"), SolidPicture(40, 20, 200, 30, 30), options), "");
    EffectContentModel model(FilterKinds::BorderStamp, ContentFolders("/plug-ins"));
    Image<unsigned char> picture(ChannelLayout(kColourModelRGB, 3, false));
    ASSERT_TRUE(model.Preview(PathOf("new.tub"), picture));
    EXPECT_EQ(picture.Width(), 40);
    EXPECT_EQ(picture.Height(), 20);
    EXPECT_NEAR(picture.PixelAddress(Point{10, 10})[0], 200, 4);
    // A version 3 file has no composite; a missing file shows nothing.
    EXPECT_FALSE(model.Preview(PathOf("old.tub"), picture));
    EXPECT_FALSE(model.Preview(PathOf("missing.tub"), picture));
}

TEST_F(EffectContentModelTest, PreviewsTileLibrariesAtTheirPreviewSize) {
    ASSERT_EQ(WriteTileLibrary(PathOf("tiles.ptl"), {SolidPicture(30, 30, 20, 160, 60)}, TileLibraryOptions{}), "");
    EffectContentModel model(FilterKinds::Patchwork, ContentFolders("/plug-ins"));
    Image<unsigned char> picture(ChannelLayout(kColourModelRGB, 3, false));
    ASSERT_TRUE(model.Preview(PathOf("tiles.ptl"), picture));
    EXPECT_EQ(picture.Width(), 100);
    EXPECT_EQ(picture.Height(), 100);
    EXPECT_NEAR(picture.PixelAddress(Point{50, 50})[1], 160, 4);
}

TEST_F(EffectContentModelTest, PreviewsTheTopLeftOfATextureUnscaledInGrey) {
    ASSERT_EQ(WriteTexture(PathOf("big.jpg"), GreyRamp(150, 120)), "");
    ASSERT_EQ(WriteTexture(PathOf("small.jpg"), GreyRamp(60, 40)), "");
    EffectContentModel model(FilterKinds::Resurface, ContentFolders("/plug-ins"));
    Image<unsigned char> picture(ChannelLayout(kColourModelRGB, 3, false));
    ASSERT_TRUE(model.Preview(PathOf("big.jpg"), picture));
    ASSERT_EQ(picture.Width(), 100);
    ASSERT_EQ(picture.Height(), 100);
    for (const Point p : {Point{0, 0}, Point{99, 0}, Point{37, 61}, Point{99, 99}}) {
        const unsigned char* pixel = picture.PixelAddress(p);
        EXPECT_NEAR(pixel[0], (p.x + p.y) % 256, 3) << p.x << "," << p.y;
        EXPECT_EQ(pixel[1], pixel[0]);
        EXPECT_EQ(pixel[2], pixel[0]);
    }
    ASSERT_TRUE(model.Preview(PathOf("small.jpg"), picture));
    EXPECT_EQ(picture.Width(), 60);
    EXPECT_EQ(picture.Height(), 40);
    EXPECT_FALSE(EffectContentModel(FilterKinds::Edge, ContentFolders("/")).Preview(PathOf("big.jpg"), picture));
}

}  // namespace
