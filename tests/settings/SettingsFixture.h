// A scratch user folder and plug-in folder per test, removed afterwards,
// with the files in them written and read as bytes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>

#include "settings/SettingsFolders.h"

class SettingsFolderTest : public testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(root_ / "plugin"); }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    std::filesystem::path UserFolder() const { return root_ / "user"; }
    std::filesystem::path PluginFolder() const { return root_ / "plugin"; }

    static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const std::filesystem::path& path) {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    static std::filesystem::path NewRoot() {
        static const unsigned run = std::random_device()();
        static int serial = 0;
        return std::filesystem::temp_directory_path() /
               ("dapple-settings-" + std::to_string(run) + "-" + std::to_string(serial++));
    }

    // False where the file system takes "a" and "A" for the same name.
    bool NamesKeepTheirCase() const {
        WriteBytes(root_ / "case" / "a", "");
        const bool apart = !std::filesystem::exists(root_ / "case" / "A");
        std::filesystem::remove_all(root_ / "case");
        return apart;
    }

    std::filesystem::path root_ = NewRoot();
    GivenSettingsFolders folders_{(root_ / "user").string(), (root_ / "plugin").string()};
};
