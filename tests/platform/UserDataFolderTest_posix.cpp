#include "platform/UserDataFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/ScopedEnvironment.h"

namespace {

// A fresh folder under the system's temporary folder, removed afterwards.
class TemporaryFolder {
public:
    TemporaryFolder() {
        char pattern[] = "/tmp/dapple-userdata-XXXXXX";
        if (mkdtemp(pattern) != nullptr) path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

TEST(UserDataFolder, ComesFromXdgDataHome) {
    ScopedEnvironment xdg("XDG_DATA_HOME", "/srv/data");
    ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(UserDataFolder(), "/srv/data/Mornebrook/Dapple/");
}

TEST(UserDataFolder, TrailingSeparatorsOfTheBaseAreNotDoubled) {
    ScopedEnvironment xdg("XDG_DATA_HOME", "/srv/data//");
    EXPECT_EQ(UserDataFolder(), "/srv/data/Mornebrook/Dapple/");
}

TEST(UserDataFolder, FallsBackToTheHomeFolder) {
    ScopedEnvironment home("HOME", "/home/someone");
    {
        ScopedEnvironment xdg("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(UserDataFolder(), "/home/someone/.local/share/Mornebrook/Dapple/");
    }
    {
        ScopedEnvironment xdg("XDG_DATA_HOME", "");
        EXPECT_EQ(UserDataFolder(), "/home/someone/.local/share/Mornebrook/Dapple/");
    }
    {
        // A relative data home is not a base folder.
        ScopedEnvironment xdg("XDG_DATA_HOME", "relative/data");
        EXPECT_EQ(UserDataFolder(), "/home/someone/.local/share/Mornebrook/Dapple/");
    }
}

TEST(UserDataFolder, CreationMakesEveryMissingLevel) {
    TemporaryFolder temporary;
    ASSERT_FALSE(temporary.path.empty());
    const std::string base = temporary.path + "/not/yet";
    ScopedEnvironment xdg("XDG_DATA_HOME", base.c_str());
    ASSERT_FALSE(IsFolder(base));

    EXPECT_TRUE(CreateUserDataFolder().IsSuccess());
    EXPECT_TRUE(IsFolder(base + "/Mornebrook/Dapple"));
    // A second call finds it there.
    EXPECT_TRUE(CreateUserDataFolder().IsSuccess());
}

TEST(UserDataFolder, CreationFailsWhenAFileIsInTheWay) {
    TemporaryFolder temporary;
    ASSERT_FALSE(temporary.path.empty());
    ScopedEnvironment xdg("XDG_DATA_HOME", temporary.path.c_str());
    std::ofstream(temporary.path + "/Mornebrook") << "a file, not a folder";

    const ResultCode result = CreateUserDataFolder();
    EXPECT_EQ(result.status, ResultCode::kFailure);
    EXPECT_EQ(result.messageId, 0);
}
