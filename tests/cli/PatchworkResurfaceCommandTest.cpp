// dapple apply patchwork|resurface with content files given by --set Path=:
// the mosaic takes the library's tiles, the relief the texture's light, and
// files of the wrong kind are refused before anything is written.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/Command.h"
#include "tests/cli/CommandHarness.h"
#include "tools/contentwriters/TextureWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace {

namespace fs = std::filesystem;

RasterImage Solid(int32_t width, int32_t height, int32_t channels, uint8_t r, uint8_t g, uint8_t b) {
    RasterImage picture(width, height, channels);
    const uint8_t values[3] = {r, g, b};
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = values[channels == 1 ? 0 : i % static_cast<std::size_t>(channels)];
    return picture;
}

class EffectContentCommand : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        ASSERT_EQ(WriteTileLibrary(PathOf("two.ptl"), {Solid(8, 8, 3, 220, 20, 20), Solid(8, 8, 3, 20, 20, 220)},
                                   TileLibraryOptions{}),
                  "");
        ASSERT_EQ(WriteTexture(PathOf("flat.jpg"), Solid(8, 8, 1, 140, 140, 140)), "");
        // Left half reddish, right half bluish: 24 x 12, cells of 6.
        RasterImage in(24, 12, 3);
        for (int32_t y = 0; y < 12; ++y)
            for (int32_t x = 0; x < 24; ++x) {
                uint8_t* p = in.Row(y) + x * 3;
                p[0] = x < 12 ? 180 : 60;
                p[1] = 40;
                p[2] = x < 12 ? 60 : 180;
            }
        ASSERT_TRUE(WriteImageFile(PathOf("in.png"), in).Ok());
    }
    CommandResult Apply(const std::string& effect, const std::string& content,
                        const std::vector<std::string>& more = {}) {
        std::vector<std::string> args = {"apply",           effect,   PathOf("in.png"), PathOf("out.png"), "--set",
                                         "Path=" + content, "--quiet"};
        args.insert(args.end(), more.begin(), more.end());
        return RunCommand(args);
    }
};

TEST_F(EffectContentCommand, PatchworkTilesTheSelectionFromTheLibraryGiven) {
    const CommandResult result = Apply("patchwork", PathOf("two.ptl"));
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    const RasterImage out = ReadPicture(PathOf("out.png"));
    for (int32_t y = 0; y < 12; ++y)
        for (int32_t x = 0; x < 24; ++x) {
            const uint8_t* p = out.Row(y) + x * 3;
            // Solid tiles survive JPEG within a few levels.
            const int red = x < 12 ? 220 : 20, blue = x < 12 ? 20 : 220;
            EXPECT_NEAR(p[0], red, 4) << x << "," << y;
            EXPECT_NEAR(p[2], blue, 4) << x << "," << y;
        }
}

TEST_F(EffectContentCommand, ResurfaceLightsThePictureThroughTheTextureGiven) {
    // A flat texture at its own width: shadow 74.69 and highlight 0.11 of
    // the default light, then the boost of 1.3: 180 → 127.3 → 127 → 165.
    const CommandResult result = Apply("resurface", PathOf("flat.jpg"), {"--set", "Wdth=8 pixels"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    const RasterImage out = ReadPicture(PathOf("out.png"));
    EXPECT_EQ(out.Row(5)[3 * 3 + 0], 165);
    EXPECT_EQ(out.Row(5)[20 * 3 + 2], 165);
}

TEST_F(EffectContentCommand, FilesOfTheOtherEffectAreRefused) {
    EXPECT_EQ(Apply("patchwork", PathOf("flat.jpg")).code, kExitUsage);
    EXPECT_EQ(Apply("resurface", PathOf("two.ptl")).code, kExitUsage);
    EXPECT_FALSE(fs::exists(PathOf("out.png")));
}

}  // namespace
