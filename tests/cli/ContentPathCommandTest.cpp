// `--set Path=FILE`: content files found by their own path (absolute or
// relative to the current folder), then in the content folder, or in the
// form a setting stores; checked with the effect's reader, and stored as the
// effect stores a chosen file. The test effect stands in for Patchwork,
// whose content is a tile library.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/CommandEffects.h"
#include "content/ContentFolders.h"
#include "content/ContentMessages.h"
#include "host/FilterFactory.h"
#include "parametertext/ContentPaths.h"
#include "platform/LocalPath.h"
#include "platform/ResourceStrings.h"
#include "tests/cli/CommandHarness.h"
#include "tests/inprocesshost/TestEffect.h"
#include "tools/contentwriters/PictureTubeWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace {

namespace fs = std::filesystem;

constexpr FilterKind kKind = FilterKinds::Patchwork;

RasterImage Solid(uint8_t red, uint8_t green, uint8_t blue) {
    RasterImage picture(8, 8, 3);
    for (std::size_t i = 0; i < picture.pixels.size(); i += 3) {
        picture.pixels[i] = red;
        picture.pixels[i + 1] = green;
        picture.pixels[i + 2] = blue;
    }
    return picture;
}

class ContentPathCommand : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        ASSERT_EQ(WriteTileLibrary(PathOf("tiles.ptl"), {Solid(200, 30, 30), Solid(30, 30, 200)}, TileLibraryOptions{}),
                  "");
        PictureTubeOptions tube;
        tube.columns = 2;
        ASSERT_EQ(WritePictureTube(PathOf("stamps.tub"), Solid(90, 90, 90), tube), "");
        ASSERT_TRUE(WriteImageFile(PathOf("in.png"), Solid(10, 20, 30)).Ok());
        // A folder of this test's own in the content folder of this program,
        // which the core takes for its plug-in folder.
        ASSERT_TRUE(pluginFolder(plugin_).IsSuccess());
        content_ = fs::path(LocalPath(plugin_)) / "Content";
        madeContent_ = !fs::exists(content_);
        inContent_ = content_ / folder_.filename();
        fs::create_directories(inContent_);
        fs::copy_file(PathOf("tiles.ptl"), inContent_ / "tiles.ptl");
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(madeContent_ ? content_ : inContent_, ignored);
        ScratchFolderTest::TearDown();
    }

    // The reference `--set Path=file` stores.
    static bool Put(const std::string& file, std::string& stored, bool& relative, std::string& problem) {
        std::string fullPath;
        return ContentReferenceFor(file, kKind, stored, relative, fullPath, problem);
    }

    std::string plugin_;
    fs::path content_, inContent_;
    bool madeContent_ = false;
    ScopedFilterOverride effect_{kKind, [] { return std::make_unique<testeffect::TestEffect>(); }};
};

TEST_F(ContentPathCommand, StoresAFileInTheContentFolderRelativeAndOthersWhole) {
    std::string stored;
    bool relative = false;
    std::string problem;
    const std::string inside = folder_.filename().string() + "/tiles.ptl";
    const std::string storedInside = "\\Content\\" + folder_.filename().string() + "\\tiles.ptl";
    ASSERT_TRUE(Put(inside, stored, relative, problem)) << problem;
    EXPECT_EQ(stored, storedInside);
    EXPECT_TRUE(relative);
    // The form a setting stores, and the form it is typed back in.
    ASSERT_TRUE(Put(storedInside, stored, relative, problem)) << problem;
    EXPECT_EQ(stored, storedInside);
    EXPECT_EQ(ContentPathSetText(stored, relative), inside);

    // A full path into the content folder is inside the plug-in folder too.
    ASSERT_TRUE(Put((inContent_ / "tiles.ptl").string(), stored, relative, problem)) << problem;
    EXPECT_TRUE(relative);

    ASSERT_TRUE(Put(PathOf("tiles.ptl"), stored, relative, problem)) << problem;
    EXPECT_EQ(stored, PathOf("tiles.ptl"));
    EXPECT_FALSE(relative);
}

TEST_F(ContentPathCommand, FindsAFileOfTheCurrentFolderBeforeTheContentFolders) {
    // The same relative name in both places: the current folder's is taken.
    fs::create_directories(folder_ / folder_.filename());
    fs::copy_file(PathOf("tiles.ptl"), folder_ / folder_.filename() / "tiles.ptl");
    const fs::path before = fs::current_path();
    fs::current_path(folder_);
    std::string stored;
    bool relative = true;
    std::string problem;
    const bool found = Put(folder_.filename().string() + "/tiles.ptl", stored, relative, problem);
    fs::current_path(before);
    ASSERT_TRUE(found) << problem;
    EXPECT_FALSE(relative);
    EXPECT_TRUE(fs::equivalent(stored, folder_ / folder_.filename() / "tiles.ptl")) << stored;
}
TEST_F(ContentPathCommand, AppliesWithAContentFile) {
    const CommandResult result = RunCommand({"apply", "TestShift", PathOf("in.png"), PathOf("out.png"), "--set",
                                             "Path=" + folder_.filename().string() + "/tiles.ptl", "--quiet"});
    EXPECT_EQ(result.code, kExitSuccess) << result.err;
    EXPECT_TRUE(fs::exists(PathOf("out.png")));
}

TEST_F(ContentPathCommand, RefusesAFileTheEffectCannotUseWithItsReason) {
    const std::string unusable = LoadResourceString(kContentFileDamaged);
    const std::string missing = "no file ";
    const std::pair<std::string, std::string> cases[] = {
        {PathOf("stamps.tub"), unusable}, {PathOf("missing.ptl"), missing}, {"nowhere/tiles.ptl", missing}};
    for (const auto& [file, why] : cases) {
        const CommandResult result =
            RunCommand({"apply", "TestShift", PathOf("in.png"), PathOf("out.png"), "--set", "Path=" + file});
        EXPECT_EQ(result.code, kExitUsage) << file;
        EXPECT_NE(result.err.find(why), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(fs::exists(PathOf("out.png"))) << file;
    }
    // Where a relative name was looked for.
    const CommandResult result =
        RunCommand({"apply", "TestShift", PathOf("in.png"), PathOf("out.png"), "--set", "Path=nowhere/tiles.ptl"});
    EXPECT_NE(result.err.find("in the current folder or in " + LocalPath(plugin_)), std::string::npos) << result.err;
}

TEST_F(ContentPathCommand, LetsThePathDecideTheRelativeFlag) {
    const CommandResult result = RunCommand({"apply", "TestShift", PathOf("in.png"), PathOf("out.png"), "--set",
                                             "Rltv=0", "--set", "Path=" + PathOf("tiles.ptl")});
    EXPECT_EQ(result.code, kExitUsage);
    EXPECT_NE(result.err.find("Rltv"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(PathOf("out.png")));
}

}  // namespace
