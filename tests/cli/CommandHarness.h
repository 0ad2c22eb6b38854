// What the command's tests share: running the command with its streams
// captured, reading a written picture back, and a scratch folder per test
// that is removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "imagefiles/ImageFiles.h"

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

// A fixture whose every test has a fresh folder of its own.
class ScratchFolderTest : public testing::Test {
protected:
    void SetUp() override {
        static const unsigned run = std::random_device()();
        static int serial = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  ("dapple-test-" + std::to_string(run) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    std::filesystem::path folder_;
};
