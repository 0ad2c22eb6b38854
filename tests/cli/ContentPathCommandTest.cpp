// `--set Path=FILE`: content files found in the content folder or by their
// full path, checked with the effect's reader, and stored as the effect
// stores a chosen file. The test effect stands in for Patchwork, whose
// content is a tile library.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/CommandContentPath.h"
#include "cli/CommandEffects.h"
#include "content/ContentFolders.h"
#include "content/ContentMessages.h"
#include "host/FilterFactory.h"
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

    // The descriptor `--set Path=file` gives the test effect, through the
    // parameter the command finds for the key.
    bool Put(const std::string& file, DescriptorStore& store, std::string& problem) {
        testeffect::TestEffect filter;
        auto block = std::make_unique<ParameterBlock>();
        ParameterSet set;
        EXPECT_TRUE(BuildDefaultParameters(filter, *block, set).IsSuccess());
        const auto* content = dynamic_cast<const TubeButtonParameter*>(set.FindByKey(testeffect::kPathKey));
        EXPECT_NE(content, nullptr);
        return content != nullptr && PutContentPath(kKind, *content, file, store, problem);
    }

    std::string plugin_;
    fs::path content_, inContent_;
    bool madeContent_ = false;
    ScopedFilterOverride effect_{kKind, [] { return std::make_unique<testeffect::TestEffect>(); }};
};

TEST_F(ContentPathCommand, StoresAFileInTheContentFolderRelativeAndOthersWhole) {
    DescriptorStore store;
    std::string problem;
    const std::string inside = folder_.filename().string() + "/tiles.ptl";
    ASSERT_TRUE(Put(inside, store, problem)) << problem;
    EXPECT_EQ(store.Find(testeffect::kPathKey)->bytes, "\\Content\\" + folder_.filename().string() + "\\tiles.ptl");
    EXPECT_EQ(store.Find(testeffect::kRelativeKey)->integer, 1);

    // A full path into the content folder is inside the plug-in folder too.
    ASSERT_TRUE(Put((inContent_ / "tiles.ptl").string(), store, problem)) << problem;
    EXPECT_EQ(store.Find(testeffect::kRelativeKey)->integer, 1);

    ASSERT_TRUE(Put(PathOf("tiles.ptl"), store, problem)) << problem;
    EXPECT_EQ(store.Find(testeffect::kPathKey)->bytes, PathOf("tiles.ptl"));
    EXPECT_EQ(store.Find(testeffect::kRelativeKey)->integer, 0);
}

TEST_F(ContentPathCommand, AppliesWithAContentFile) {
    const CommandResult result = RunCommand({"apply", "TestShift", PathOf("in.png"), PathOf("out.png"), "--set",
                                             "Path=" + folder_.filename().string() + "/tiles.ptl", "--quiet"});
    EXPECT_EQ(result.code, kExitSuccess) << result.err;
    EXPECT_TRUE(fs::exists(PathOf("out.png")));
}

TEST_F(ContentPathCommand, RefusesAFileTheEffectCannotUse) {
    const std::string unusable = LoadResourceString(kContentFileDamaged);
    for (const std::string& file : {PathOf("stamps.tub"), PathOf("missing.ptl"), std::string("nowhere/tiles.ptl")}) {
        const CommandResult result =
            RunCommand({"apply", "TestShift", PathOf("in.png"), PathOf("out.png"), "--set", "Path=" + file});
        EXPECT_EQ(result.code, kExitUsage) << file;
        EXPECT_NE(result.err.find(unusable), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(fs::exists(PathOf("out.png"))) << file;
    }
}

TEST_F(ContentPathCommand, LetsThePathDecideTheRelativeFlag) {
    const CommandResult result = RunCommand({"apply", "TestShift", PathOf("in.png"), PathOf("out.png"), "--set",
                                             "Rltv=0", "--set", "Path=" + PathOf("tiles.ptl")});
    EXPECT_EQ(result.code, kExitUsage);
    EXPECT_NE(result.err.find("Rltv"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(PathOf("out.png")));
}

}  // namespace
