// The editors' gradients and bevel profiles in the settings layer's library
// folders: what the stored file holds for an editor's value, and the value
// an editor gets back.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "dialog/SettingsLibrary_win32.h"

namespace {

namespace fs = std::filesystem;

class SettingsLibraryTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(root_ / "Settings"); }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    std::string Stored(const char* library, const std::string& name) const {
        std::ifstream file(root_ / "Settings" / library / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    fs::path root_ = fs::temp_directory_path() / ("dapple-editor-libraries-" + std::to_string(std::random_device()()));
    GivenSettingsFolders folders_{(root_ / "user").string(), root_.string()};
    GradientSettingsLibrary gradients_{folders_};
    BevelSettingsLibrary bevels_{folders_};
};

GradientStop Stop(double location, std::array<double, 5> components, bool alpha = false, int32_t channels = 3) {
    GradientStop stop;
    stop.location = location;
    stop.mode = 0;
    stop.channels = channels;
    stop.alpha = alpha;
    stop.components = components;
    return stop;
}

}  // namespace

TEST_F(SettingsLibraryTest, StoredStopsTruncateComponentsAndZeroTheUnusedOnes) {
    GradientStops stops = {Stop(0.0, {12.9, -3.7, 255.0, 99.0, 99.0}),
                           Stop(1.0, {0.0, 128.5, 40000.0, 200.6, 77.0}, true)};
    stops[1].stopValue = 0.25;
    stops[1].mode = GradientStop::kNewStopMode;
    ASSERT_TRUE(gradients_.Save("Mixed", stops).IsSuccess());
    // Three channels and an alpha: four components, then a 0 whatever the editor held.
    EXPECT_EQ(Stored("Gradients", "Mixed"),
              "Gradient: 2/0.000 0 3 0 12 -3 255 0 0 0.000/1.000 666 3 1 0 128 32767 200 0 0.250");

    GradientStops read;
    ASSERT_TRUE(gradients_.Load("Mixed", read).IsSuccess());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].components, (std::array<double, 5>{12, -3, 255, 0, 0}));
    EXPECT_EQ(read[1].components, (std::array<double, 5>{0, 128, 32767, 200, 0}));
    EXPECT_TRUE(read[1].alpha);
    EXPECT_EQ(read[1].mode, GradientStop::kNewStopMode);
    EXPECT_EQ(read[1].stopValue, 0.25);
}

TEST_F(SettingsLibraryTest, ThirtyStopsStoreTheFirstTwentyFiveByLocation) {
    GradientStops stops;
    for (int i = 0; i < 30; ++i) stops.push_back(Stop(i / 29.0, {static_cast<double>(i), 0, 0, 0, 0}));
    std::shuffle(stops.begin(), stops.end(), std::mt19937(3));
    ASSERT_TRUE(gradients_.Save("Thirty", stops).IsSuccess());
    const std::string text = Stored("Gradients", "Thirty");
    EXPECT_EQ(text.rfind("Gradient: 25/", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '/'), 25);

    GradientStops read;
    ASSERT_TRUE(gradients_.Load("Thirty", read).IsSuccess());
    ASSERT_EQ(read.size(), 25u);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(read[static_cast<std::size_t>(i)].components[0], i);
}

TEST_F(SettingsLibraryTest, LoadedStopsAndPointsComeInOrderWithChannelsInRange) {
    fs::create_directories(root_ / "Settings" / "Gradients");
    std::ofstream(root_ / "Settings" / "Gradients" / "Hand made", std::ios::binary)
        << "Gradient: 2/0.9 0 9 1 1 2 3 4 5 0.0/0.1 0 -2 0 7 0 0 0 0 0.0";
    GradientStops read;
    ASSERT_TRUE(gradients_.Load("Hand made", read).IsSuccess());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].location, 0.1);
    EXPECT_EQ(read[0].channels, 0);
    EXPECT_EQ(read[1].channels, 4);
    EXPECT_EQ(read[1].components[4], 5);

    const BevelPoints points = {{0.75, 0.5, false}, {0.0, 0.0, true}, {1.0, 1.0, false}};
    ASSERT_TRUE(bevels_.Save("Ramp", points).IsSuccess());
    EXPECT_EQ(Stored("Bevels", "Ramp"), "Bevel: 3/0.000 0.000 1/0.750 0.500 0/1.000 1.000 0");
    BevelPoints back;
    ASSERT_TRUE(bevels_.Load("Ramp", back).IsSuccess());
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[1].x, 0.75);
    EXPECT_TRUE(back[0].pointy);
}

TEST_F(SettingsLibraryTest, TheEditorsLibraryRowWorksThroughIt) {
    BevelPoints current = {{0.0, 0.0, true}, {1.0, 1.0, true}};
    BevelPoints loaded;
    EditorLibraryEntries<BevelPoints> entries([&current] { return current; },
                                              [&loaded](const BevelPoints& value) { loaded = value; });
    entries.SetLibrary(&bevels_);
    ASSERT_TRUE(entries.SaveCurrent("Straight").IsSuccess());
    bool exists = false;
    ASSERT_TRUE(entries.Exists("Straight", exists).IsSuccess());
    EXPECT_TRUE(exists);
    ASSERT_TRUE(entries.Rename("Straight", "Linear ramp").IsSuccess());
    std::vector<std::string> names;
    ASSERT_TRUE(entries.List(names).IsSuccess());
    EXPECT_EQ(names, std::vector<std::string>{"Linear ramp"});
    ASSERT_TRUE(entries.LoadCurrent("Linear ramp").IsSuccess());
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[1].y, 1.0);
    ASSERT_TRUE(entries.Delete("Linear ramp").IsSuccess());
    EXPECT_EQ(entries.LoadCurrent("Linear ramp").status, ResultCode::kFailure);
}
