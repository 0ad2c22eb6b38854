// What the command's tests share: running the command with its streams
// captured, reading a written picture back, and a scratch folder per test.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "imagefiles/ImageFiles.h"
#include "tests/platform/ScratchFolderTest.h"

struct CommandResult {
    int code = 0;
    std::string out;
    std::string err;
};

// `folders` null: the settings folders of the running program.
inline CommandResult RunCommand(const std::vector<std::string>& args, bool terminal = false,
                                const ISettingsFolders* folders = nullptr) {
    std::ostringstream out;
    std::ostringstream err;
    CommandResult result;
    result.code = RunDappleCommand(args, CommandStreams{out, err, terminal, folders});
    result.out = out.str();
    result.err = err.str();
    return result;
}

inline RasterImage ReadPicture(const std::string& path) {
    RasterImage image;
    EXPECT_TRUE(ReadImageFile(path, image).Ok()) << path;
    return image;
}
