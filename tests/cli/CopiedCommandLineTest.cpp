// The dialog's copy of the current parameters as a command line: pasted
// into a shell, `dapple apply` gives exactly the picture the effect makes
// with those parameters. And --dialog without a dialog to show.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/Command.h"
#include "cli/CommandImages.h"
#include "dialog/ApplyCommandLine.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/edge/Edge.h"
#include "imagefiles/ImageFiles.h"
#include "inprocesshost/InProcessHost.h"
#include "tests/cli/CommandHarness.h"

namespace {

// The words a POSIX shell makes of `line`: blanks separate, single quotes
// keep everything up to the next one, a backslash keeps the next character.
std::vector<std::string> ShellWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == ' ') {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else if (c == '\'') {
            const std::size_t end = line.find('\'', i + 1);
            word += line.substr(i + 1, end - i - 1);
            i = end;
            inWord = true;
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[++i];
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

RasterImage Picture() {
    RasterImage image(40, 30, 4);
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 40; ++x) {
            uint8_t* p = image.Row(y) + static_cast<std::size_t>(x) * 4;
            p[0] = static_cast<uint8_t>(x * 6);
            p[1] = static_cast<uint8_t>(y * 8);
            p[2] = static_cast<uint8_t>(200 - x * 2);
            p[3] = x >= 3 && x < 37 && y >= 2 && y < 28 ? 255 : 0;
        }
    }
    return image;
}

class CopiedCommandLine : public ScratchFolderTest {};

}  // namespace

TEST(ShellQuotedTest, EveryCharacterComesBackFromTheShell) {
    for (const std::string text : {"plain", "Clr =RGB: 100.0% (255 0 0)", "it's", "", "a\\b", "$HOME `x` \"q\""}) {
        const std::vector<std::string> words = ShellWords("cmd " + ShellQuoted(text));
        ASSERT_EQ(words.size(), 2u) << text;
        EXPECT_EQ(words[1], text);
    }
}

TEST_F(CopiedCommandLine, ApplyingItGivesThePictureOfThoseParameters) {
    Edge edge;
    edge.kind = FilterKinds::Edge;
    ParameterBlock block{};
    edge.WriteDefaults(block);
    EdgeParameters& p = block.As<EdgeParameters>();
    p.width.Set(13.25, kLengthPixels);
    p.border.Set(2.5, kLengthPixels);
    p.scale = 7.0;
    p.direction = 100.0 / 3.0;
    p.edgeType = kEdgeHalftoneLines;
    p.colour = ColorSpec::RGB(200, 40, 90);
    p.randomSeed = 4242;
    ParameterSet set;
    ASSERT_TRUE(edge.BuildParameters(set, block).IsSuccess());
    const std::string line = ApplyCommandLine(edge.InternalName(), set);
    // People's names and forms, not the scripting keys.
    EXPECT_NE(line.find(" --set width=13.25px "), std::string::npos) << line;
    EXPECT_NE(line.find(" --set 'edge-type=Halftone lines' "), std::string::npos) << line;

    const std::string input = PathOf("input.png");
    const std::string output = PathOf("output.png");
    ASSERT_TRUE(WriteImageFile(input, Picture()).Ok());
    std::vector<std::string> words = ShellWords(line);
    ASSERT_GE(words.size(), 5u) << line;
    EXPECT_EQ(words[0], "dapple");
    EXPECT_EQ(words[2], "edge");
    words[3] = input;
    words[4] = output;
    const CommandResult result = RunCommand(std::vector<std::string>(words.begin() + 1, words.end()));
    ASSERT_EQ(result.code, kExitSuccess) << line << "\n" << result.err;

    // The same block, handed to the effect as a host keeps it between runs.
    InProcessHost host;
    host.SetImage(HostImageFromRaster(Picture()));
    ASSERT_TRUE(host.RunFilter(FilterKinds::Edge).Succeeded());
    host.SetImage(HostImageFromRaster(Picture()));
    std::memcpy(host.Handles().Lock(host.ParametersHandle(FilterKinds::Edge)), &block, sizeof block);
    host.Handles().Unlock(host.ParametersHandle(FilterKinds::Edge));
    ASSERT_TRUE(host.RunFilter(FilterKinds::Edge).Succeeded());
    const RasterImage expected = RasterFromHostImage(host.Image());
    const RasterImage written = ReadPicture(output);
    EXPECT_EQ(written.pixels, expected.pixels) << line;
}

TEST_F(CopiedCommandLine, TheDialogWithoutAWindowSystemFailsAndWritesNothing) {
    const std::string input = PathOf("input.png");
    const std::string output = PathOf("output.png");
    ASSERT_TRUE(WriteImageFile(input, Picture()).Ok());
    const CommandResult result = RunCommand({"apply", "edge", input, output, "--dialog"});
    EXPECT_EQ(result.code, kExitFailed);
    EXPECT_NE(result.err.find("cannot show the effect's dialog"), std::string::npos) << result.err;
    EXPECT_FALSE(std::filesystem::exists(output));
}
