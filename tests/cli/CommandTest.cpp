// The dapple command end to end on small generated images: listing, a
// successful apply with settings and a mask, and every way a run can go
// wrong, each with one clear line on stderr and no output file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

#include "cli/Command.h"
#include "host/FilterFactory.h"
#include "imagefiles/ImageFiles.h"
#include "tests/cli/CommandHarness.h"
#include "tests/inprocesshost/TestEffect.h"

namespace {

namespace fs = std::filesystem;

constexpr FilterKind kKind = FilterKinds::Patchwork;

// Refuses images narrower or lower than 8 pixels, through the core's
// document check.
class SmallImageRefusingEffect : public testeffect::TestEffect {
public:
    FilterSize MinimumSize() const override { return FilterSize{8, 8}; }
};

class FailingEffect : public testeffect::TestEffect {
public:
    ResultCode Render(RenderContext&) override { return ResultCode::Failure(); }
};

class DappleCommand : public ScratchFolderTest {
protected:
    std::string WriteImage(const std::string& name, int32_t width, int32_t height, std::vector<uint8_t> pixel) {
        RasterImage image(width, height, static_cast<int32_t>(pixel.size()));
        for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = pixel[i % pixel.size()];
        const std::string path = PathOf(name);
        EXPECT_TRUE(WriteImageFile(path, image).Ok());
        return path;
    }

    static int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

    ScopedFilterOverride effect_{kKind, [] { return std::make_unique<testeffect::TestEffect>(); }};
};

TEST_F(DappleCommand, ListsTheEffectAndItsParametersWithDefaults) {
    const CommandResult effects = RunCommand({"effects"});
    EXPECT_EQ(effects.code, kExitSuccess);
    EXPECT_NE(effects.out.find("4\tTestShift\t"), std::string::npos) << effects.out;

    const CommandResult params = RunCommand({"params", "testshift"});
    ASSERT_EQ(params.code, kExitSuccess) << params.err;
    const std::string colour = "#rrggbb, #rgb, rgb(r, g, b), a CSS colour name or the colour's text form";
    const std::string expected =
        "amount\tAmnt\tAmount\tnumber\t10\t0 to 100\n"
        "width\tWdth\tWidth\tlength\t4px\t0 to 50 (in the unit given)\n"
        "invert\tInvr\tInvert\ton or off\t0\t0 or 1\n"
        "seed\tSeed\tSeed\trandom seed\t5\t0 to 65535\n"
        "mode\tMode\tMode\tlist\tPlain\tone of Plain or Double\n"
        "\t0\ttmA1\tPlain\n"
        "\t1\ttmA2\tDouble\n"
        "tint\tTint\tTint\tcolour\t#ff8000\t" +
        colour +
        "\n"
        "angle\tAngl\tAngle\tangle\t45\t0 to 360 degrees, going round\n"
        "light-direction\tLDir\tLight direction\tangle\t135\t0 to 360 degrees, going round\n"
        "light-elevation\tLElv\tLight elevation\tangle\t30\t0 to 90 degrees\n"
        "light-brightness\tLBrt\tLight brightness\tnumber\t50\t0 to 100\n"
        "light-sharpness\tLShp\tLight sharpness\tnumber\t50\t0 to 100\n"
        "light-colour\tLCol\tLight colour\tcolour\t#ffffff\t" +
        colour +
        "\n"
        "tube\tPath\tTube\tcontent file\t\\Stars.tub\ta file, in the content folder or anywhere\n"
        "tube-relative\tRltv\tTube relative\ton or off\t1\t0 or 1\n"
        "fill-colour\tFilC\tFill colour\tcolour\t#000000\t" +
        colour +
        "\n"
        "fill\tFilB\tFill\tlist\tKeep the image\tone of Fill with colour, Make transparent or Keep the image\n"
        "\t0\tfiB0\tFill with colour\n"
        "\t1\tfiB1\tMake transparent\n"
        "\t2\tfiB2\tKeep the image\n";
    EXPECT_EQ(params.out, expected);
}

TEST_F(DappleCommand, AppliesWithSettingsOfEveryForm) {
    const std::string input = WriteImage("in.png", 4, 3, {100, 150, 250});
    const std::string output = PathOf("out.png");
    const CommandResult result = RunCommand({"apply",
                                             "TestShift",
                                             input,
                                             output,
                                             "--set",
                                             "Amnt=20",
                                             "--set=Mode=tmA2",
                                             "--set",
                                             "Wdth=2.5 inches",
                                             "--set",
                                             "Tint=#FF8000",
                                             "--set",
                                             "Seed=65535",
                                             "--set",
                                             "LCol=Gray: 50.0% (128)",
                                             "--set",
                                             "Rltv=0",
                                             "--set",
                                             "FilB=fiB1",
                                             "--set",
                                             "LDir=-10",
                                             "--quiet"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    EXPECT_EQ(result.err, "");
    const RasterImage written = ReadPicture(output);
    ASSERT_EQ(written.channels, 3);
    // Twice the amount in the "Double" mode: 100 + 40, 150 + 40, 250 + 40 clamped.
    EXPECT_EQ(written.pixels[0], 140);
    EXPECT_EQ(written.pixels[1], 190);
    EXPECT_EQ(written.pixels[2], 255);
}

TEST_F(DappleCommand, KeepsAlphaAndFiltersOnlyTheMaskedPixels) {
    const std::string input = WriteImage("in.png", 4, 2, {60, 200});
    RasterImage mask(4, 2, 1);
    mask.pixels = {255, 255, 0, 0, 255, 255, 0, 0};
    ASSERT_TRUE(WriteImageFile(PathOf("mask.png"), mask).Ok());
    const std::string output = PathOf("out.png");
    const CommandResult result = RunCommand({"apply", "testSHIFT", input, output, "--mask", PathOf("mask.png")});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    const RasterImage written = ReadPicture(output);
    ASSERT_EQ(written.channels, 2);
    for (int32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(written.pixels[static_cast<std::size_t>(x) * 2], x < 2 ? 70 : 60) << "x " << x;
        EXPECT_EQ(written.pixels[static_cast<std::size_t>(x) * 2 + 1], 200) << "alpha at x " << x;
    }
}

TEST_F(DappleCommand, WritesJpegByExtension) {
    const std::string input = WriteImage("in.png", 8, 8, {100});
    const CommandResult result = RunCommand({"apply", "TestShift", input, PathOf("out.jpg")});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    const RasterImage written = ReadPicture(PathOf("out.jpg"));
    EXPECT_NEAR(written.pixels[0], 110, 2);
}

struct BadRun {
    const char* what;
    std::vector<std::string> extra;  // after the three positional arguments
    const char* effect;
    const char* input;  // a name in the test folder
    int code;
    const char* mentions;
};

TEST_F(DappleCommand, EveryBadRunSaysWhyOnOneLineAndWritesNothing) {
    WriteImage("in.png", 4, 4, {10, 20, 30});
    WriteImage("small-mask.png", 3, 4, {255});
    WriteImage("rgb-mask.png", 4, 4, {255, 255, 255});
    WriteImage("empty-mask.png", 4, 4, {0});
    std::ofstream(PathOf("broken.png")) << "not a picture";
    const BadRun runs[] = {
        {"unknown effect", {}, "NoSuchEffect", "in.png", kExitUsage, "NoSuchEffect"},
        {"missing input", {}, "TestShift", "absent.png", kExitUsage, "absent.png"},
        {"unreadable input", {}, "TestShift", "broken.png", kExitUsage, "broken.png"},
        {"mask of another size", {"--mask", "small-mask.png"}, "TestShift", "in.png", kExitUsage, "3x4"},
        {"colour mask", {"--mask", "rgb-mask.png"}, "TestShift", "in.png", kExitUsage, "grey"},
        {"mask selecting nothing", {"--mask", "empty-mask.png"}, "TestShift", "in.png", kExitUsage, "no pixels"},
        {"unknown key", {"--set", "Nope=1"}, "TestShift", "in.png", kExitUsage, "Nope"},
        {"name near another", {"--set", "Amuont=1"}, "TestShift", "in.png", kExitUsage, "did you mean amount?"},
        {"not a number", {"--set", "Amnt=lots"}, "TestShift", "in.png", kExitUsage, "number"},
        {"number with junk", {"--set", "Amnt=5x"}, "TestShift", "in.png", kExitUsage, "number"},
        {"length of no unit", {"--set", "Wdth=40 furlongs"}, "TestShift", "in.png", kExitUsage, "length"},
        {"length without a number", {"--set", "width=px"}, "TestShift", "in.png", kExitUsage, "length"},
        {"list item not offered", {"--set", "Mode=tmA9"}, "TestShift", "in.png", kExitUsage, "Plain or Double"},
        {"list position past the end", {"--set", "mode=2"}, "TestShift", "in.png", kExitUsage, "Plain or Double"},
        {"checkbox not on or off", {"--set", "Invr=maybe"}, "TestShift", "in.png", kExitUsage, "1 or 0"},
        {"seed not whole", {"--set", "Seed=1.5"}, "TestShift", "in.png", kExitUsage, "whole number"},
        {"colour text unreadable", {"--set", "Tint=RGB: lots"}, "TestShift", "in.png", kExitUsage, "colour"},
        {"colour hex of four digits", {"--set", "Tint=#ffff"}, "TestShift", "in.png", kExitUsage, "colour"},
        {"colour of no name", {"--set", "tint=reddish"}, "TestShift", "in.png", kExitUsage, "colour"},
        {"set without equals", {"--set", "Amnt"}, "TestShift", "in.png", kExitUsage, "NAME=VALUE"},
        {"unknown option", {"--fast"}, "TestShift", "in.png", kExitUsage, "--fast"},
    };
    for (const BadRun& run : runs) {
        std::vector<std::string> args = {"apply", run.effect, PathOf(run.input), PathOf("out.png")};
        for (const std::string& extra : run.extra) {
            args.push_back(extra.size() > 4 && extra.compare(extra.size() - 4, 4, ".png") == 0 ? PathOf(extra) : extra);
        }
        const CommandResult result = RunCommand(args);
        EXPECT_EQ(result.code, run.code) << run.what;
        EXPECT_EQ(Lines(result.err), 1) << run.what << ": " << result.err;
        EXPECT_NE(result.err.find(run.mentions), std::string::npos) << run.what << ": " << result.err;
        EXPECT_FALSE(fs::exists(PathOf("out.png"))) << run.what;
    }
}

TEST_F(DappleCommand, AnOutputOfUnknownFormatIsAUsageError) {
    const std::string input = WriteImage("in.png", 4, 4, {10});
    const CommandResult result = RunCommand({"apply", "TestShift", input, PathOf("out.bmp")});
    EXPECT_EQ(result.code, kExitUsage);
    EXPECT_EQ(Lines(result.err), 1);
    EXPECT_FALSE(fs::exists(PathOf("out.bmp")));
}

TEST_F(DappleCommand, AnOutputThatIsAnInputIsRefusedAndKept) {
    const std::string input = WriteImage("in.png", 4, 4, {10});
    const std::string mask = WriteImage("mask.png", 4, 4, {255});
    const std::string other = WriteImage("other.png", 4, 4, {200});
    const auto bytes = [](const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    const std::string original = bytes(input);
    // The same file by another spelling, and a mask as the output.
    const std::vector<std::vector<std::string>> cases = {
        {"apply", "TestShift", input, input},
        {"apply", "TestShift", input, PathOf("./in.png")},
        {"apply", "TestShift", input, mask, "--mask", mask},
    };
    for (const std::vector<std::string>& args : cases) {
        const CommandResult result = RunCommand(args);
        EXPECT_EQ(result.code, kExitUsage) << args[3];
        EXPECT_EQ(Lines(result.err), 1) << result.err;
        EXPECT_NE(result.err.find("also an input"), std::string::npos) << result.err;
    }
    EXPECT_EQ(bytes(input), original);
    EXPECT_EQ(ReadPicture(mask).pixels[0], 255);
    // A plain existing output is replaced, as `convert` does.
    ASSERT_EQ(RunCommand({"apply", "TestShift", input, other}).code, kExitSuccess);
    EXPECT_NE(ReadPicture(other).pixels[0], 200);
}

TEST_F(DappleCommand, ARefusingOrFailingEffectExitsOneAndKeepsAnOldOutput) {
    const std::string input = WriteImage("in.png", 4, 4, {10});
    const std::string output = WriteImage("out.png", 2, 2, {77});
    {
        const ScopedFilterOverride refusing(kKind, [] { return std::make_unique<SmallImageRefusingEffect>(); });
        const CommandResult result = RunCommand({"apply", "TestShift", input, output});
        EXPECT_EQ(result.code, kExitFailed);
        EXPECT_EQ(Lines(result.err), 1) << "the core's warning, and nothing more: " << result.err;
        EXPECT_EQ(result.err.rfind("dapple: " + input + ": ", 0), 0u) << "in the command's voice: " << result.err;
        EXPECT_NE(result.err.find("8"), std::string::npos) << result.err;
    }
    {
        const ScopedFilterOverride failing(kKind, [] { return std::make_unique<FailingEffect>(); });
        const CommandResult result = RunCommand({"apply", "TestShift", input, output});
        EXPECT_EQ(result.code, kExitFailed);
        EXPECT_EQ(result.err, "dapple: TestShift failed\n");
    }
    const RasterImage kept = ReadPicture(output);
    EXPECT_EQ(kept.width, 2);
    EXPECT_EQ(kept.pixels[0], 77);
}

TEST_F(DappleCommand, ProgressBarOnlyOnATerminalAndNotWhenQuiet) {
    const std::string input = WriteImage("in.png", 4, 4, {10});
    const CommandResult shown = RunCommand({"apply", "TestShift", input, PathOf("a.png")}, true);
    ASSERT_EQ(shown.code, kExitSuccess);
    EXPECT_NE(shown.err.find('\r'), std::string::npos);
    EXPECT_NE(shown.err.find("100%"), std::string::npos) << shown.err;
    EXPECT_EQ(Lines(shown.err), 1) << "the bar ends its line";

    EXPECT_EQ(RunCommand({"apply", "TestShift", input, PathOf("b.png"), "-q"}, true).err, "");
    EXPECT_EQ(RunCommand({"apply", "TestShift", input, PathOf("c.png")}, false).err, "");
}

TEST_F(DappleCommand, ProgressLineCoversReadingTheEffectAndWriting) {
    // Tall enough for the JPEG reader and writer to report along the way.
    const std::string input = WriteImage("tall.jpg", 8, 4096, {90});
    const CommandResult shown = RunCommand({"apply", "TestShift", input, PathOf("tall-out.jpg")}, true);
    ASSERT_EQ(shown.code, kExitSuccess) << shown.err;
    std::vector<int> percents;
    for (std::size_t at = shown.err.find('%'); at != std::string::npos; at = shown.err.find('%', at + 1))
        percents.push_back(std::stoi(shown.err.substr(shown.err.rfind(' ', at - 1) + 1)));
    ASSERT_FALSE(percents.empty()) << shown.err;
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end())) << shown.err;
    EXPECT_LT(percents.front(), 15) << "reading is shown: " << shown.err;
    EXPECT_TRUE(std::any_of(percents.begin(), percents.end(), [](int p) { return p > 75 && p < 100; }))
        << "writing is shown: " << shown.err;
    EXPECT_EQ(percents.back(), 100);
}

TEST_F(DappleCommand, UsageAndHelp) {
    const CommandResult none = RunCommand({});
    EXPECT_EQ(none.code, kExitUsage);
    EXPECT_EQ(Lines(none.err), 1);
    const CommandResult help = RunCommand({"--help"});
    EXPECT_EQ(help.code, kExitSuccess);
    EXPECT_EQ(help.out, RunCommand({"help"}).out);
    EXPECT_NE(help.out.find("dapple help [COMMAND]"), std::string::npos) << help.out;
    // Each command's own help, asked for either way.
    for (const char* command : {"effects", "params", "apply", "settings", "inspect"}) {
        const CommandResult own = RunCommand({command, "--help"});
        EXPECT_EQ(own.code, kExitSuccess) << command;
        EXPECT_EQ(own.out, RunCommand({"help", command}).out) << command;
        EXPECT_EQ(own.out.rfind(std::string("usage: dapple ") + command, 0), 0u) << own.out;
    }
    EXPECT_EQ(RunCommand({"apply", "edge", "in.png", "out.png", "--help"}).out, RunCommand({"help", "apply"}).out);
    EXPECT_EQ(RunCommand({"help", "frobnicate"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"apply", "TestShift", "only-two.png"}).code, kExitUsage);
    const CommandResult every = RunCommand({"params"});
    EXPECT_EQ(every.code, kExitSuccess);
    EXPECT_NE(every.out.find("[TestShift]\namount\tAmnt\t"), std::string::npos) << every.out;
    EXPECT_EQ(RunCommand({"params", "NoSuchEffect"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"params", "TestShift", "--json", "extra"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"effects", "--yaml"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"frobnicate"}).code, kExitUsage);
}

}  // namespace
