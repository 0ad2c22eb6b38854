#include "platform/UserDataFolder.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

#include <shlobj.h>

namespace {

std::string ApplicationDataFolder() {
    wchar_t base[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base))) return std::string();
    return Utf8FromWide(base);
}

}  // namespace

TEST(UserDataFolder, IsMornebrookDappleInTheApplicationDataFolder) {
    const std::string base = ApplicationDataFolder();
    ASSERT_FALSE(base.empty());
    EXPECT_EQ(UserDataFolder(), base + "\\Mornebrook\\Dapple\\");
}

TEST(UserDataFolder, CreationMakesTheFolderAndFindsItThereLater) {
    ASSERT_TRUE(CreateUserDataFolder().IsSuccess());
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(UserDataFolder()).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_TRUE(CreateUserDataFolder().IsSuccess());
}
