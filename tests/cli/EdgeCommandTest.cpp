// dapple apply edge from the command line: every edge type on grey, RGB and
// RGBA files, with and without a mask, and the reduced preview.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "cli/Command.h"
#include "imagefiles/ImageFiles.h"
#include "tests/cli/CommandHarness.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kWidth = 48, kHeight = 40;
// Selected by the mask file: columns 8..39, rows 6..33.
bool InMask(int32_t x, int32_t y) { return x >= 8 && x < 40 && y >= 6 && y < 34; }
// Opaque part of the RGBA file: a 4-pixel transparent margin around it.
bool Opaque(int32_t x, int32_t y) { return x >= 4 && x < kWidth - 4 && y >= 4 && y < kHeight - 4; }

class EdgeCommand : public ScratchFolderTest {
protected:
    // A picture of `channels` channels with colour ramps (never white), and an
    // alpha margin when it has alpha.
    std::string WritePicture(const std::string& name, int32_t channels) {
        RasterImage image(kWidth, kHeight, channels);
        for (int32_t y = 0; y < kHeight; ++y) {
            for (int32_t x = 0; x < kWidth; ++x) {
                uint8_t* p = image.Row(y) + static_cast<std::size_t>(x) * channels;
                for (int32_t c = 0; c < channels; ++c) p[c] = static_cast<uint8_t>(20 + (x * 3 + y * 2 + c * 50) % 200);
                if (image.HasAlpha()) p[channels - 1] = Opaque(x, y) ? 255 : 0;
            }
        }
        const std::string path = PathOf(name);
        EXPECT_TRUE(WriteImageFile(path, image).Ok());
        return path;
    }

    std::string WriteMask() {
        RasterImage mask(kWidth, kHeight, 1);
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) mask.Row(y)[x] = InMask(x, y) ? 255 : 0;
        const std::string path = PathOf("mask.png");
        EXPECT_TRUE(WriteImageFile(path, mask).Ok());
        return path;
    }

    static bool SamePixel(const RasterImage& a, int32_t ax, int32_t ay, const RasterImage& b, int32_t bx, int32_t by) {
        for (int32_t c = 0; c < a.channels; ++c) {
            if (a.Row(ay)[static_cast<std::size_t>(ax) * a.channels + c] !=
                b.Row(by)[static_cast<std::size_t>(bx) * b.channels + c]) {
                return false;
            }
        }
        return true;
    }
};

const char* const kTypes[] = {"edM0", "edM1", "edM3", "edM5", "edM4", "edM6"};

TEST_F(EdgeCommand, EveryEdgeTypeOnGreyRgbAndRgbaWithAndWithoutMask) {
    const std::string mask = WriteMask();
    for (int32_t channels : {1, 3, 4}) {
        const std::string input = WritePicture("in" + std::to_string(channels) + ".png", channels);
        const RasterImage original = ReadPicture(input);
        for (bool masked : {false, true}) {
            for (const char* type : kTypes) {
                const std::string trace =
                    std::string(type) + " channels " + std::to_string(channels) + (masked ? " masked" : "");
                const std::string output = PathOf("out.png");
                std::vector<std::string> args = {"apply", "edge",           input,
                                                 output,  "--set",          std::string("Edmo=") + type,
                                                 "--set", "Wdth=10 pixels", "--quiet"};
                if (masked) args.insert(args.end(), {"--mask", mask});
                const CommandResult result = RunCommand(args);
                ASSERT_EQ(result.code, 0) << trace << ": " << result.err;
                EXPECT_TRUE(result.err.empty()) << trace;
                const RasterImage treated = ReadPicture(output);
                ASSERT_EQ(treated.width, kWidth);
                ASSERT_EQ(treated.height, kHeight);
                ASSERT_EQ(treated.channels, channels);
                // The middle lies 14 pixels or more from every edge there is:
                // beyond the 10-pixel band.
                EXPECT_TRUE(SamePixel(treated, 24, 20, original, 24, 20)) << trace;
                int changed = 0;
                for (int32_t y = 0; y < kHeight; ++y) {
                    for (int32_t x = 0; x < kWidth; ++x) {
                        const bool same = SamePixel(treated, x, y, original, x, y);
                        changed += same ? 0 : 1;
                        // Unselected pixels, and a layer's transparent margin, stay.
                        if (masked && !InMask(x, y)) {
                            EXPECT_TRUE(same) << trace << " at " << x << "," << y;
                        }
                        if (!masked && channels == 4 && !Opaque(x, y)) {
                            EXPECT_EQ(treated.Row(y)[x * 4 + 3], 0) << trace << " at " << x << "," << y;
                        }
                    }
                }
                EXPECT_GT(changed, 40) << trace;
                fs::remove(output);
            }
        }
    }
}

TEST_F(EdgeCommand, PreviewAtScaleOneIsTheFullRun) {
    // The preview renderer and the run through the plug-in entry must agree:
    // same shape, same mask blend, same edge.
    const std::string mask = WriteMask();
    for (int32_t channels : {1, 3, 4}) {
        const std::string input = WritePicture("in.png", channels);
        for (bool masked : {false, true}) {
            for (const char* type : {"edM3", "edM4", "edM6"}) {
                std::vector<std::string> args = {"apply",
                                                 "edge",
                                                 input,
                                                 PathOf("full.png"),
                                                 "--quiet",
                                                 "--set",
                                                 std::string("Edmo=") + type,
                                                 "--set",
                                                 "Wdth=12 pixels"};
                if (masked) args.insert(args.end(), {"--mask", mask});
                ASSERT_EQ(RunCommand(args).code, 0);
                args[3] = PathOf("preview.png");
                args.insert(args.end(), {"--preview-scale", "1"});
                ASSERT_EQ(RunCommand(args).code, 0);
                const RasterImage full = ReadPicture(PathOf("full.png"));
                const RasterImage preview = ReadPicture(PathOf("preview.png"));
                EXPECT_EQ(full.pixels, preview.pixels) << type << " channels " << channels << (masked ? " masked" : "");
            }
        }
    }
}

TEST_F(EdgeCommand, PreviewScaleWritesTheReducedPicture) {
    const std::string input = WritePicture("in.png", 3);
    const RasterImage original = ReadPicture(input);
    const CommandResult result = RunCommand(
        {"apply", "edge", input, PathOf("small.png"), "--preview-scale", "3.7", "--set", "Wdth=10 pixels", "--quiet"});
    ASSERT_EQ(result.code, 0) << result.err;
    const RasterImage small = ReadPicture(PathOf("small.png"));
    // Every third pixel: columns 0, 3, ..., 45 and rows 0, 3, ..., 39.
    EXPECT_EQ(small.width, 16);
    EXPECT_EQ(small.height, 14);
    EXPECT_TRUE(SamePixel(small, 8, 7, original, 24, 21));  // deep inside: the source pixel
    EXPECT_FALSE(SamePixel(small, 0, 7, original, 0, 21));  // on the border: treated
}

TEST_F(EdgeCommand, UnusablePreviewScaleIsAUsageError) {
    const std::string input = WritePicture("in.png", 3);
    for (const char* scale : {"0", "0.5", "abc", "2x", "nan", "inf", ""}) {
        const CommandResult result = RunCommand({"apply", "edge", input, PathOf("out.png"), "--preview-scale", scale});
        EXPECT_EQ(result.code, 2) << scale;
        EXPECT_NE(result.err.find("--preview-scale"), std::string::npos) << scale;
        EXPECT_FALSE(fs::exists(PathOf("out.png"))) << scale;
    }
}

}  // namespace
