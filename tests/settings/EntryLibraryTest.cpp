// The gradient and bevel libraries beside the plug-in: the folder made on
// demand below an existing Settings folder, entries as one-line files, the
// list of entries, and names that cannot be used.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

#include "settings/GradientLibrary.h"
#include "tests/settings/SettingsFixture.h"

namespace {

namespace fs = std::filesystem;

class LibraryTest : public SettingsFolderTest {
protected:
    void SetUp() override {
        SettingsFolderTest::SetUp();
        fs::create_directories(PluginFolder() / "Settings");
    }
    fs::path GradientFile(const std::string& name) const { return PluginFolder() / "Settings" / "Gradients" / name; }

    static GradientValue TwoStops() {
        GradientValue value;
        value.Clear();
        value.count = 2;
        value.stops[0] = GradientValueStop{0.0, 0, 3, 0, {255, 0, 0, 0, 0}, 0.0};
        value.stops[1] = GradientValueStop{1.0, 0, 3, 1, {0, 0, 255, 128, 0}, 0.5};
        return value;
    }

    GradientLibrary gradients_{folders_};
    BevelLibrary bevels_{folders_};
};

}  // namespace

TEST_F(LibraryTest, SavedEntryIsTheTextOnOneLineWithoutALineEnd) {
    ASSERT_TRUE(gradients_.Save("Sunset", TwoStops()).IsSuccess());
    EXPECT_EQ(ReadBytes(GradientFile("Sunset")),
              "Gradient: 2/0.000 0 3 0 255 0 0 0 0 0.000/1.000 0 3 1 0 0 255 128 0 0.500");
    GradientValue read;
    ASSERT_TRUE(gradients_.Load("Sunset", read).IsSuccess());
    EXPECT_TRUE(read == TwoStops());

    BevelProfileValue profile;
    profile.Clear();
    profile.count = 2;
    profile.points[0] = BevelProfilePoint{0.0, 0.0, 1};
    profile.points[1] = BevelProfilePoint{1.0, 0.75, 0};
    ASSERT_TRUE(bevels_.Save("Ridge", profile).IsSuccess());
    EXPECT_EQ(ReadBytes(PluginFolder() / "Settings" / "Bevels" / "Ridge"), "Bevel: 2/0.000 0.000 1/1.000 0.750 0");
}

TEST_F(LibraryTest, ListHoldsEntriesSortedByByteWithTheirWholeNames) {
    WriteBytes(GradientFile("warm"), "Gradient: 0");
    WriteBytes(GradientFile("Warmer"), "Gradient: 0");
    WriteBytes(GradientFile("Cool.grd"), "Gradient: 0");
    WriteBytes(GradientFile("Indented"), "\r\n\r\n   \tGradient: 1/0.5 0 3 0 1 2 3 0 0 0.0\r\n");
    WriteBytes(GradientFile("A bevel"), "Bevel: 0");
    WriteBytes(GradientFile("Notes.txt"), "Gradients I like");
    WriteBytes(GradientFile("Glued"), "Gradient:2/0.5 0 3 0 1 2 3 0 0 0.0");
    fs::create_directories(GradientFile("Sub folder"));
    std::vector<std::string> names;
    ASSERT_TRUE(gradients_.List(names).IsSuccess());
    EXPECT_EQ(names, (std::vector<std::string>{"Cool.grd", "Indented", "Warmer", "warm"}));
    if (NamesKeepTheirCase()) {
        WriteBytes(GradientFile("Warm"), "Gradient: 0");
        ASSERT_TRUE(gradients_.List(names).IsSuccess());
        EXPECT_EQ(names, (std::vector<std::string>{"Cool.grd", "Indented", "Warm", "Warmer", "warm"}));
    }
    // Files that are not entries stay where they are.
    EXPECT_TRUE(fs::exists(GradientFile("Notes.txt")));
    EXPECT_EQ(gradients_.Validate("Notes.txt").status, ResultCode::kFailure);
    EXPECT_TRUE(gradients_.Validate("Indented").IsSuccess());

    GradientValue read;
    ASSERT_TRUE(gradients_.Load("Indented", read).IsSuccess());
    EXPECT_EQ(read.count, 1);
    EXPECT_EQ(read.stops[0].location, 0.5);
    EXPECT_EQ(gradients_.Load("Notes.txt", read).status, ResultCode::kFailure);
    EXPECT_EQ(read.count, 1);
}

TEST_F(LibraryTest, TemporaryFilesOfACutOffSaveGoOnceADayOld) {
    WriteBytes(GradientFile("warm"), "Gradient: 0");
    WriteBytes(GradientFile(".warm.Ab12Cd"), "Gradient: 0");
    WriteBytes(GradientFile(".cool.Ef34Gh"), "Gradient: 0");
    const auto now = fs::file_time_type::clock::now();
    fs::last_write_time(GradientFile(".warm.Ab12Cd"), now - std::chrono::hours(25));
    fs::last_write_time(GradientFile(".cool.Ef34Gh"), now - std::chrono::hours(23));
    std::vector<std::string> names;
    ASSERT_TRUE(gradients_.List(names).IsSuccess());
    EXPECT_EQ(names, std::vector<std::string>{"warm"});
    EXPECT_FALSE(fs::exists(GradientFile(".warm.Ab12Cd")));
    EXPECT_TRUE(fs::exists(GradientFile(".cool.Ef34Gh"))) << "a save may still be at work";
}

TEST_F(LibraryTest, ALineLongerThanTheLimitIsCutBeforeItIsRead) {
    GradientValue many;
    many.Clear();
    many.count = 25;
    for (int i = 0; i < 25; ++i) many.stops[i] = GradientValueStop{1e200, 0, 3, 0, {1, 2, 3, 0, 0}, 0.0};
    const std::string text = many.ToText();
    ASSERT_GT(text.size(), 4999u);
    WriteBytes(GradientFile("Huge"), text);
    GradientValue read;
    ASSERT_TRUE(gradients_.Load("Huge", read).IsSuccess());
    EXPECT_EQ(read.count, 25);
    read.FromText(text.substr(0, 4999));
    GradientValue cut;
    ASSERT_TRUE(gradients_.Load("Huge", cut).IsSuccess());
    EXPECT_TRUE(read == cut);
    EXPECT_EQ(cut.stops[24].location, 0.0);  // beyond the cut
}

TEST_F(LibraryTest, ExistsRenameAndDelete) {
    ASSERT_TRUE(gradients_.Save("One", TwoStops()).IsSuccess());
    ASSERT_TRUE(gradients_.Save("Two", TwoStops()).IsSuccess());
    bool exists = false;
    ASSERT_TRUE(gradients_.Exists("One", exists).IsSuccess());
    EXPECT_TRUE(exists);
    ASSERT_TRUE(gradients_.Exists("Three", exists).IsSuccess());
    EXPECT_FALSE(exists);
    EXPECT_EQ(gradients_.Exists("../Bevels", exists).status, ResultCode::kFailure);

    EXPECT_EQ(gradients_.Rename("One", "Two").status, ResultCode::kFailure);
    ASSERT_TRUE(gradients_.Rename("One", "Three").IsSuccess());
    std::vector<std::string> names;
    ASSERT_TRUE(gradients_.List(names).IsSuccess());
    EXPECT_EQ(names, (std::vector<std::string>{"Three", "Two"}));

    ASSERT_TRUE(gradients_.Delete("Two").IsSuccess());
    EXPECT_EQ(gradients_.Delete("Two").status, ResultCode::kFailure);
    ASSERT_TRUE(gradients_.List(names).IsSuccess());
    EXPECT_EQ(names, std::vector<std::string>{"Three"});
}

TEST_F(LibraryTest, NamesThatCannotBeFilesAreRefused) {
    for (const char* name : {"", "a/b", "../Sunset", "Why?", "Trailing.", "CON"})
        EXPECT_EQ(gradients_.Save(name, TwoStops()).status, ResultCode::kFailure) << name;
    std::vector<std::string> names;
    ASSERT_TRUE(gradients_.List(names).IsSuccess());
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(fs::exists(PluginFolder() / "Sunset"));
}

TEST_F(LibraryTest, WithoutASettingsFolderEveryOperationFails) {
    fs::remove_all(PluginFolder() / "Settings");
    std::vector<std::string> names = {"stale"};
    bool exists = true;
    GradientValue value = TwoStops();
    EXPECT_EQ(gradients_.List(names).status, ResultCode::kFailure);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(gradients_.Save("Sunset", value).status, ResultCode::kFailure);
    EXPECT_EQ(gradients_.Load("Sunset", value).status, ResultCode::kFailure);
    EXPECT_EQ(gradients_.Exists("Sunset", exists).status, ResultCode::kFailure);
    EXPECT_EQ(gradients_.Rename("Sunset", "Dawn").status, ResultCode::kFailure);
    EXPECT_EQ(gradients_.Delete("Sunset").status, ResultCode::kFailure);
    EXPECT_FALSE(fs::exists(PluginFolder() / "Settings"));
}
