// A fixture whose every test has a fresh folder of its own, removed
// afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "platform/FileSystemPath.h"

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

    // `name` is UTF-8, as the command takes it.
    std::string PathOf(const std::string& name) const { return Utf8FromPath(folder_ / PathFromUtf8(name)); }

    std::filesystem::path folder_;
};
