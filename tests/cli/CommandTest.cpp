// The dapple command end to end on small generated images: listing, a
// successful apply with settings and a mask, and every way a run can go
// wrong, each with one clear line on stderr and no output file.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
    const std::string lengths = "pixels, inches, centimeters, millimeters, points or picas";
    const std::string colour = "a colour: #rrggbb or its text form";
    const std::string before =
        "Amnt\tSliderParameter\tAmount\t10\t0 to 100\n"
        "Wdth\tLengthSliderParameter\tWidth\t4.00 pixels\t0 to 50 " +
        lengths +
        "\n"
        "Invr\tCheckboxParameter\tInvert\t0\t0 or 1\n"
        "Seed\tRandomSeedParameter\tSeed\t5\t0 to 65535\n"
        "Mode\tListboxParameter\tMode\ttmA1\tone of the 2 codes below\n"
        "\ttmA1\tPlain\n"
        "\ttmA2\tDouble\n"
        "Tint\tColorParameter\tTint\tRGB: 100.0% 50.2% 0.0% (255 128 0)\t" +
        colour +
        "\n"
        "Angl\tDirectionParameter\tAngle\t45\t0 to 360 degrees\n"
        "LDir\tLightingParameter\tLight\t135\t0 to 360 degrees\n"
        "LElv\tLightingParameter\tLight\t30\t0 to 90 degrees\n"
        "LBrt\tLightingParameter\tLight\t50\t0 to 100\n"
        "LShp\tLightingParameter\tLight\t50\t0 to 100\n"
        "LCol\tLightingParameter\tLight\tRGB: 100.0% 100.0% 100.0% (255 255 255)\t" +
        colour +
        "\n"
        "Path\tTubeButtonParameter\tTube\tStars.tub\ta content file; the default is ";
    const std::string after =
        "Stars.tub\n"
        "Rltv\tTubeButtonParameter\tTube\t1\t0 or 1\n"
        "FilC\tLayerFillParameter\tFill\tRGB: 0.0% 0.0% 0.0% (0 0 0)\t" +
        colour +
        "\n"
        "FilB\tLayerFillParameter\tFill\tfiB2\tone of the 3 codes below\n"
        "\tfiB0\tFill with colour\n"
        "\tfiB1\tMake transparent\n"
        "\tfiB2\tKeep the image\n";
    // The default file lies in the plug-in folder, the test program's.
    ASSERT_GT(params.out.size(), before.size() + after.size());
    EXPECT_EQ(params.out.substr(0, before.size()), before);
    EXPECT_EQ(params.out.substr(params.out.size() - after.size()), after);
    const std::string file = params.out.substr(before.size(), params.out.size() - before.size() - after.size());
    EXPECT_TRUE(fs::path(file + "Stars.tub").is_absolute()) << file;
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
        {"key of the wrong length", {"--set", "Amount=1"}, "TestShift", "in.png", kExitUsage, "Amount"},
        {"not a number", {"--set", "Amnt=lots"}, "TestShift", "in.png", kExitUsage, "number"},
        {"number with junk", {"--set", "Amnt=5x"}, "TestShift", "in.png", kExitUsage, "number"},
        {"length without unit", {"--set", "Wdth=40"}, "TestShift", "in.png", kExitUsage, "40 pixels"},
        {"unit in the wrong case", {"--set", "Wdth=40 Pixels"}, "TestShift", "in.png", kExitUsage, "length"},
        {"list code not offered", {"--set", "Mode=tmA9"}, "TestShift", "in.png", kExitUsage, "tmA1, tmA2"},
        {"checkbox not 0 or 1", {"--set", "Invr=yes"}, "TestShift", "in.png", kExitUsage, "0 or 1"},
        {"seed beyond 16 bits", {"--set", "Seed=65536"}, "TestShift", "in.png", kExitUsage, "65535"},
        {"colour text unreadable", {"--set", "Tint=RGB: lots"}, "TestShift", "in.png", kExitUsage, "colour"},
        {"colour hex too short", {"--set", "Tint=#fff"}, "TestShift", "in.png", kExitUsage, "colour"},
        {"set without equals", {"--set", "Amnt"}, "TestShift", "in.png", kExitUsage, "KEY=VALUE"},
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

TEST_F(DappleCommand, ARefusingOrFailingEffectExitsOneAndKeepsAnOldOutput) {
    const std::string input = WriteImage("in.png", 4, 4, {10});
    const std::string output = WriteImage("out.png", 2, 2, {77});
    {
        const ScopedFilterOverride refusing(kKind, [] { return std::make_unique<SmallImageRefusingEffect>(); });
        const CommandResult result = RunCommand({"apply", "TestShift", input, output});
        EXPECT_EQ(result.code, kExitFailed);
        EXPECT_EQ(Lines(result.err), 1) << "the core's warning, and nothing more: " << result.err;
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

TEST_F(DappleCommand, UsageAndHelp) {
    const CommandResult none = RunCommand({});
    EXPECT_EQ(none.code, kExitUsage);
    EXPECT_EQ(Lines(none.err), 1);
    const CommandResult help = RunCommand({"--help"});
    EXPECT_EQ(help.code, kExitSuccess);
    EXPECT_NE(help.out.find("dapple apply EFFECT INPUT OUTPUT"), std::string::npos);
    EXPECT_EQ(RunCommand({"apply", "TestShift", "only-two.png"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"params"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"params", "NoSuchEffect"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"params", "TestShift", "--json", "extra"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"effects", "--yaml"}).code, kExitUsage);
    EXPECT_EQ(RunCommand({"frobnicate"}).code, kExitUsage);
}

}  // namespace
