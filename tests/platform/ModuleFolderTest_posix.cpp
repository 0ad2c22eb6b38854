#include "platform/ModuleFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

// The core is linked statically into this test program, so the module is
// the program itself.
TEST(ModuleFolder, IsTheFolderOfTheModuleWithItsSeparator) {
    const std::string folder = ModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_EQ(access((folder + "test_platform").c_str(), X_OK), 0) << folder;
}
