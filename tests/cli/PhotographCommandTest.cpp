// The command on photographs as other programs write them (the ImageMagick
// and ExifTool files of tests/imagefiles/data): what the file says beside the
// pixels comes through a run, lengths follow its resolution, the picture is
// turned upright, and standard input and output carry files.
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "tests/cli/CommandHarness.h"

namespace {

const std::string kData = "imagefiles/data/";

class PhotographCommandTest : public ScratchFolderTest {};

TEST_F(PhotographCommandTest, ProfileExifXmpAndResolutionSurviveARun) {
    for (const char* name : {"tagged.png", "tagged.jpg", "tagged.tif"}) {
        SCOPED_TRACE(name);
        const std::string output = PathOf(std::string("out-") + name);
        const CommandResult run = RunCommand({"apply", "edge", kData + name, output});
        ASSERT_EQ(run.code, 0) << run.err;
        ImageFile written;
        ASSERT_TRUE(ReadImageFile(output, written).Ok());
        const ImageMetadata& metadata = written.metadata;
        std::ifstream profile(kData + "test-rgb.icc", std::ios::binary);
        EXPECT_EQ(metadata.iccProfile,
                  std::vector<uint8_t>(std::istreambuf_iterator<char>(profile), std::istreambuf_iterator<char>()));
        const std::string exif(metadata.exif.begin(), metadata.exif.end());
        EXPECT_NE(exif.find("Mornebrook test"), std::string::npos);
        EXPECT_NE(metadata.xmp.find("Dapple metadata"), std::string::npos);
        EXPECT_NEAR(metadata.pixelsPerInch, 300.0, 0.01);
    }
}

// Edges' border (BrdT, 0 to 1000 in the length's own unit) rather than its
// width, whose range starts at 10 in any unit.
TEST_F(PhotographCommandTest, LengthsFollowTheFilesResolution) {
    auto edges = [this](const std::string& input, const std::string& border) {
        const std::string output = PathOf("edge.png");
        const CommandResult run = RunCommand({"apply", "edge", input, output, "--set", "BrdT=" + border});
        EXPECT_EQ(run.code, 0) << run.err;
        return ReadPicture(output).pixels;
    };
    // 0.2 inches at 300 pixels per inch.
    const std::string tagged = kData + "tagged.png";
    EXPECT_EQ(edges(tagged, "0.2 inches"), edges(tagged, "60 pixels"));
    // The same pixels in a file that states no resolution: 72 per inch.
    const std::string plain = PathOf("plain.png");
    ASSERT_TRUE(WriteImageFile(plain, ReadPicture(tagged)).Ok());
    EXPECT_NE(edges(plain, "0.2 inches"), edges(plain, "60 pixels"));
    EXPECT_EQ(edges(plain, "1 inches"), edges(plain, "72 pixels"));
}

TEST_F(PhotographCommandTest, RotatedPhotographComesOutUpright) {
    // Stored 40 x 30, shown a quarter turn clockwise.
    const std::string output = PathOf("upright.jpg");
    const CommandResult run = RunCommand({"apply", "edge", kData + "orient-6.jpg", output});
    ASSERT_EQ(run.code, 0) << run.err;
    ImageFile written;
    ASSERT_TRUE(ReadImageFile(output, written).Ok());
    EXPECT_EQ(written.image.width, 30);
    EXPECT_EQ(written.image.height, 40);
}

TEST_F(PhotographCommandTest, SixteenBitInputIsReducedWithOneLine) {
    const CommandResult run = RunCommand({"apply", "edge", kData + "deep16.png", PathOf("out.png")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.err, "dapple: " + kData +
                           "deep16.png: its 16-bit samples are reduced to 8 bits (the effects work on 8 bits)\n");
}

TEST_F(PhotographCommandTest, QualityAndFormatChooseTheOutput) {
    const std::string input = kData + "tagged.png";
    ASSERT_EQ(RunCommand({"apply", "edge", input, PathOf("q30.jpg"), "--quality", "30"}).code, 0);
    ASSERT_EQ(RunCommand({"apply", "edge", input, PathOf("q95.jpg"), "--quality", "95"}).code, 0);
    EXPECT_LT(std::filesystem::file_size(PathFromUtf8(PathOf("q30.jpg"))) * 2,
              std::filesystem::file_size(PathFromUtf8(PathOf("q95.jpg"))));
    // --format wins over the name; the file is read by its content whatever its name.
    ASSERT_EQ(RunCommand({"apply", "edge", input, PathOf("named.png"), "--format", "tif"}).code, 0);
    std::ifstream written(PathOf("named.png"), std::ios::binary);
    char head[4] = {};
    written.read(head, 4);
    const std::string signature(head, 4);
    EXPECT_TRUE(signature == std::string("II*\0", 4) || signature == std::string("MM\0*", 4)) << signature;
    EXPECT_EQ(RunCommand({"apply", "edge", PathOf("named.png"), PathOf("again.png")}).code, 0);
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--quality", "0"}, {"--quality", "101"}, {"--format", "gif"}}) {
        std::vector<std::string> args = {"apply", "edge", input, PathOf("bad.jpg")};
        args.insert(args.end(), bad.begin(), bad.end());
        const CommandResult run = RunCommand(args);
        EXPECT_EQ(run.code, kExitUsage) << bad[0];
        EXPECT_NE(run.err.find(bad[0]), std::string::npos) << run.err;
    }
    EXPECT_EQ(RunCommand({"apply", "edge", input, "-"}).code, kExitUsage);
}

TEST_F(PhotographCommandTest, StandardInputAndOutputCarryFiles) {
    const std::string output = PathOf("piped.jpg");
    // The input's redirection first: Windows' command interpreter drops the
    // first and last quotes of a line that starts with one.
    const std::string command = "< \"" + kData + "tagged.png\" \"" + DAPPLE_PROGRAM +
                                "\" apply edge - - --format jpg --quiet > \"" + output + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    ImageFile written;
    ASSERT_TRUE(ReadImageFile(output, written).Ok());
    EXPECT_EQ(written.image.width, 160);
    EXPECT_NEAR(written.metadata.pixelsPerInch, 300.0, 0.01);
}

}  // namespace
