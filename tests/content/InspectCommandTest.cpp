// dapple inspect on the files the writers make and on the malformed files
// the readers must refuse: the report lines, or the reader's message.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/Command.h"
#include "imagefiles/ImageFiles.h"
#include "platform/ResourceStrings.h"
#include "tests/content/ContentFixtures.h"
#include "tools/contentwriters/PictureTubeWriter.h"
#include "tools/contentwriters/TextureWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace {

struct Inspection {
    int exit = -1;
    std::string out, err;
};

class InspectCommandTest : public ContentTest {
protected:
    Inspection Inspect(const std::string& path, const std::string& option = std::string()) {
        std::ostringstream out, err;
        Inspection inspection;
        std::vector<std::string> args = {"inspect", path};
        if (!option.empty()) args.push_back(option);
        inspection.exit = RunDappleCommand(args, CommandStreams{out, err});
        inspection.out = out.str();
        inspection.err = err.str();
        return inspection;
    }
    void ExpectRefused(const std::string& path, int message = 10033) {
        const Inspection inspection = Inspect(path);
        EXPECT_EQ(inspection.exit, 1) << path;
        EXPECT_EQ(inspection.out, "");
        EXPECT_EQ(inspection.err, "dapple: " + path + ": " + LoadResourceString(message) + "\n");
    }
    // A file that is not there is named, and the places looked at.
    void ExpectMissing(const std::string& path) {
        const Inspection inspection = Inspect(path);
        EXPECT_EQ(inspection.exit, 2) << path;
        EXPECT_EQ(inspection.err.rfind("dapple: no file " + path, 0), 0u) << inspection.err;
    }
    std::string Tube(const std::string& name, const TubeRecipe& recipe) {
        const std::string path = PathOf(name);
        WriteRecipe(path, picture_, recipe);
        return path;
    }

    const RasterImage picture_ = PatternPicture(61, 40);
};

std::string TubeReport(int version, int columns, int rows, const std::string& cell, const std::string& preview) {
    return "kind: picture tube (Paint Shop Pro file)\nformat version: " + std::to_string(version) +
           "\nwidth: 61\nheight: 40\ncolumns: " + std::to_string(columns) + "\nrows: " + std::to_string(rows) +
           "\ncell size: " + cell + "\npreview composite: " + preview + "\n";
}

TEST_F(InspectCommandTest, DescribesTheWritersTubesAndFrames) {
    ASSERT_EQ(WritePictureTube(PathOf("five.tub"), picture_, PictureTubeOptions{4, 3, 5}), "");
    ASSERT_EQ(WritePictureTube(PathOf("three.tub"), picture_, PictureTubeOptions{2, 5, 3}), "");
    ASSERT_EQ(WritePictureTube(PathOf("frame.rfr"), picture_, PictureTubeOptions{3, 3, 5}), "");
    const Inspection five = Inspect(PathOf("five.tub"));
    EXPECT_EQ(five.exit, 0);
    EXPECT_EQ(five.out, TubeReport(5, 4, 3, "15 x 13", "yes, 61 x 40"));
    EXPECT_EQ(Inspect(PathOf("three.tub")).out, TubeReport(3, 2, 5, "30 x 8", "no"));
    EXPECT_EQ(Inspect(PathOf("frame.rfr")).out, TubeReport(5, 3, 3, "20 x 13", "yes, 61 x 40"));
}

TEST_F(InspectCommandTest, DescribesUnusualTubesItCanRead) {
    TubeRecipe twoGrids = RecipeFor(picture_, 3, 2, 3);
    twoGrids.afterTube = [](PspStream& stream) { WriteTubeDataBlock(stream, TubeGridFields{5, 4, 20, 6}); };
    EXPECT_EQ(Inspect(Tube("twogrids.tub", twoGrids)).out, TubeReport(3, 3, 2, "20 x 20", "no"));

    TubeRecipe fewCells = RecipeFor(picture_, 3, 2, 5);
    fewCells.grid.cellCount = 5;
    fewCells.layerRect = Rect(5, 5, 20, 30);
    fewCells.channels[2].bitmapType = psp::kLayerUserMask;
    EXPECT_EQ(Inspect(Tube("unusual.tub", fewCells)).out, TubeReport(5, 3, 2, "20 x 20", "yes, 61 x 40"));
}

TEST_F(InspectCommandTest, RefusedTubesGiveTheReadersMessage) {
    std::vector<uint8_t> sound = FileBytes(Tube("sound.tub", RecipeFor(picture_, 1, 1, 5)));
    for (uint8_t version : {1, 2, 4, 6}) {
        std::vector<uint8_t> bytes = sound;
        bytes[32] = version;
        PutFileBytes(PathOf("version.tub"), bytes);
        ExpectRefused(PathOf("version.tub"));
    }
    std::vector<uint8_t> trailing = sound;
    trailing.insert(trailing.end(), 12, 0x55);
    PutFileBytes(PathOf("trailing.rfr"), trailing);
    ExpectRefused(PathOf("trailing.rfr"));

    TubeRecipe noComposite = RecipeFor(picture_, 1, 1, 5);
    noComposite.composite = false;
    ExpectRefused(Tube("nocomposite.tub", noComposite));
    TubeRecipe outside = RecipeFor(picture_, 1, 1, 3);
    outside.height = 39;
    ExpectRefused(Tube("outside.tub", outside));
    ExpectMissing(PathOf("missing.tub"));
}

TEST_F(InspectCommandTest, DescribesTileLibrariesAndRefusesDamagedOnes) {
    const std::vector<RasterImage> pictures = {SolidPicture(8, 8, 255, 0, 0), SolidPicture(5, 9, 0, 0, 255)};
    ASSERT_EQ(WriteTileLibrary(PathOf("tiles.ptl"), pictures, TileLibraryOptions{10, 6, 5, 3}), "");
    const Inspection inspection = Inspect(PathOf("tiles.ptl"));
    EXPECT_EQ(inspection.exit, 0);
    EXPECT_EQ(inspection.out, "kind: tile library\ntile count: 2\ntile size: 10 x 6\nthumbnail size: 5 x 3\n");
    // The path as JSON writes it: a backslash (a Windows path's) doubled.
    std::string jsonPath;
    for (char c : PathOf("tiles.ptl")) jsonPath += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_EQ(Inspect(PathOf("tiles.ptl"), "--json").out,
              "{\"file\": \"" + jsonPath +
                  "\", \"kind\": \"tile library\", \"tileCount\": 2, \"tileSize\": \"10 x 6\", \"thumbnailSize\": "
                  "\"5 x 3\"}\n");

    std::vector<uint8_t> bytes = FileBytes(PathOf("tiles.ptl"));
    std::vector<uint8_t> trailing = bytes;
    trailing[30] = 'x';  // after the signature's terminating zero
    PutFileBytes(PathOf("trailing.ptl"), trailing);
    EXPECT_EQ(Inspect(PathOf("trailing.ptl")).exit, 0);
    PutLittleEndian32(bytes, 32, 2);
    PutFileBytes(PathOf("version2.ptl"), bytes);
    ExpectRefused(PathOf("version2.ptl"));
    bytes = FileBytes(PathOf("tiles.ptl"));
    bytes.resize(bytes.size() - 10);  // the last tile is cut short
    PutFileBytes(PathOf("cut.ptl"), bytes);
    ExpectRefused(PathOf("cut.ptl"));
}

TEST_F(InspectCommandTest, DescribesJpegFilesAndWhetherTheyAreTextures) {
    ASSERT_EQ(WriteTexture(PathOf("grey.jpg"), picture_), "");
    ASSERT_TRUE(WriteImageFile(PathOf("colour.jpeg"), picture_).Ok());
    const Inspection grey = Inspect(PathOf("grey.jpg"));
    EXPECT_EQ(grey.exit, 0);
    EXPECT_EQ(grey.out, "kind: JPEG image\ncolour space: grey\ncomponents: 1\nsize: 61 x 40\ntexture content: yes\n");
    EXPECT_EQ(Inspect(PathOf("colour.jpeg")).out,
              "kind: JPEG image\ncolour space: RGB\ncomponents: 3\nsize: 61 x 40\n"
              "texture content: no, not one-channel grey\n");

    std::vector<uint8_t> bytes = FileBytes(PathOf("colour.jpeg"));
    bytes.resize(bytes.size() / 2);
    PutFileBytes(PathOf("cut.jpg"), bytes);
    ExpectRefused(PathOf("cut.jpg"));
    ExpectMissing(PathOf("missing.jpg"));
}

TEST_F(InspectCommandTest, FindsTheKindByContentWhenTheNameSaysNothing) {
    ASSERT_EQ(WritePictureTube(PathOf("tube.data"), picture_, PictureTubeOptions{1, 1, 3}), "");
    EXPECT_EQ(Inspect(PathOf("tube.data")).out, TubeReport(3, 1, 1, "61 x 40", "no"));
    PutFileBytes(PathOf("notes.txt"), {'h', 'e', 'l', 'l', 'o'});
    const Inspection notes = Inspect(PathOf("notes.txt"));
    EXPECT_EQ(notes.exit, 2);
    EXPECT_NE(notes.err.find("no content file"), std::string::npos);
}

}  // namespace
