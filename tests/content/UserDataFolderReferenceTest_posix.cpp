// The user data folder as a file-system reference, made below a scratch data home.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "content/FileSystemReference.h"
#include "tests/content/ContentFixtures.h"
#include "tests/platform/ScopedEnvironment.h"

namespace {

namespace fs = std::filesystem;

using UserDataFolderReference = ContentTest;

TEST_F(UserDataFolderReference, IsMadeWithEveryLevelAndHasNoTrailingSeparator) {
    const std::string home = (folder_ / "data").string();
    ScopedEnvironment xdg("XDG_DATA_HOME", home.c_str());
    WinFileSystemReference folder;
    ASSERT_TRUE(userDataFolder(folder).IsSuccess());
    EXPECT_EQ(folder.name(), home + "/Mornebrook/Dapple");
    EXPECT_TRUE(fs::is_directory(folder_ / "data" / "Mornebrook" / "Dapple"));

    WinFileSystemReference effect;
    ASSERT_TRUE(folder.childFolder("Frame", effect).IsSuccess());
    ASSERT_TRUE(effect.createDirectory().IsSuccess());
    EXPECT_TRUE(fs::is_directory(folder_ / "data" / "Mornebrook" / "Dapple" / "Frame"));
}

TEST_F(UserDataFolderReference, FailsWhenAFileIsInTheWay) {
    ScopedEnvironment xdg("XDG_DATA_HOME", folder_.string().c_str());
    std::ofstream(folder_ / "Mornebrook") << "a file, not a folder";
    WinFileSystemReference folder("unchanged");
    EXPECT_EQ(userDataFolder(folder).status, ResultCode::kFailure);
    EXPECT_EQ(folder.name(), "unchanged");
}

}  // namespace
