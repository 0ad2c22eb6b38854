#include "platform/ModuleFolder.h"

#include <gtest/gtest.h>

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

// The core is linked statically into this test program, so the module is
// the program itself.
TEST(ModuleFolder, IsTheFolderOfTheModuleWithItsSeparator) {
    const std::string folder = ModuleFolder();
    ASSERT_GT(folder.size(), 3u);
    EXPECT_EQ(folder.substr(1, 2), ":\\") << folder;
    EXPECT_EQ(folder.back(), '\\');
    const std::wstring program = WideFromUtf8(folder + "test_platform.exe");
    EXPECT_NE(GetFileAttributesW(program.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
}
