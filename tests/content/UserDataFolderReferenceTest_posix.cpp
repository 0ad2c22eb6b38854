// The user data folder as a file-system reference, made below a scratch data home.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "content/FileSystemReference.h"
#include "tests/platform/ScopedEnvironment.h"

namespace {

namespace fs = std::filesystem;

class UserDataFolderReference : public testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("dapple-userdata-" + std::to_string(std::random_device()()));
        fs::create_directories(root_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }

    fs::path root_;
};

TEST_F(UserDataFolderReference, IsMadeWithEveryLevelAndHasNoTrailingSeparator) {
    const std::string home = (root_ / "data").string();
    ScopedEnvironment xdg("XDG_DATA_HOME", home.c_str());
    WinFileSystemReference folder;
    ASSERT_TRUE(userDataFolder(folder).IsSuccess());
    EXPECT_EQ(folder.name(), home + "/Mornebrook/Dapple");
    EXPECT_TRUE(fs::is_directory(root_ / "data" / "Mornebrook" / "Dapple"));

    WinFileSystemReference effect;
    ASSERT_TRUE(folder.childFolder("Frame", effect).IsSuccess());
    ASSERT_TRUE(effect.createDirectory().IsSuccess());
    EXPECT_TRUE(fs::is_directory(root_ / "data" / "Mornebrook" / "Dapple" / "Frame"));
}

TEST_F(UserDataFolderReference, FailsWhenAFileIsInTheWay) {
    ScopedEnvironment xdg("XDG_DATA_HOME", root_.string().c_str());
    std::ofstream(root_ / "Mornebrook") << "a file, not a folder";
    WinFileSystemReference folder("unchanged");
    EXPECT_EQ(userDataFolder(folder).status, ResultCode::kFailure);
    EXPECT_EQ(folder.name(), "unchanged");
}

}  // namespace
