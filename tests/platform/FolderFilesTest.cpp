// Folder entries and whole files by UTF-8 path as the core writes paths
// (backslashes between folders): listing, renaming without replacing,
// deleting, reading with a limit and atomic replacing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/FileSystemEntries.h"
#include "platform/WholeFiles.h"

namespace {

namespace fs = std::filesystem;

class FolderFilesTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("dapple-files-" + std::to_string(std::random_device()()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    // A path below the scratch folder as the core writes it.
    std::string Path(const std::string& name) const { return folder_.u8string() + "\\" + name; }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / fs::u8path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream file(folder_ / fs::u8path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    fs::path folder_;
};

}  // namespace

TEST_F(FolderFilesTest, ListsFilesButNotFolders) {
    Write("Soft Ragged", "a");
    Write("Gr\xC3\xBCn.grd", "b");
    ASSERT_TRUE(CreateFolder(Path("Sub")));
    std::vector<std::string> names;
    ASSERT_TRUE(ListFolderFiles(folder_.u8string(), names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Gr\xC3\xBCn.grd", "Soft Ragged"}));
    EXPECT_FALSE(ListFolderFiles(Path("Missing"), names));
    EXPECT_TRUE(names.empty());
}

TEST_F(FolderFilesTest, RenameNeverReplacesAndDeleteRemoves) {
    Write("One", "1");
    Write("Two", "2");
    EXPECT_FALSE(RenameFile(Path("One"), Path("Two")));
    EXPECT_EQ(Read("Two"), "2");
    EXPECT_FALSE(RenameFile(Path("Missing"), Path("Three")));
    ASSERT_TRUE(RenameFile(Path("One"), Path("Thr\xC3\xA9\x65")));
    EXPECT_FALSE(PathExists(Path("One")));
    EXPECT_EQ(Read("Thr\xC3\xA9\x65"), "1");
    ASSERT_TRUE(DeleteFileAt(Path("Two")));
    EXPECT_FALSE(PathExists(Path("Two")));
    EXPECT_FALSE(DeleteFileAt(Path("Two")));
}

TEST_F(FolderFilesTest, ReadsWholeFilesUpToTheLimit) {
    const std::string bytes = std::string("line\r\nnext\0byte", 15) + std::string(40000, 'x');
    Write("Data", bytes);
    std::string read = "stale";
    ASSERT_EQ(ReadWholeFile(Path("Data"), bytes.size(), read), ReadFileStatus::kRead);
    EXPECT_EQ(read, bytes);
    EXPECT_EQ(ReadWholeFile(Path("Data"), bytes.size() - 1, read), ReadFileStatus::kTooLarge);
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(ReadWholeFile(Path("Missing"), 100, read), ReadFileStatus::kCannotOpen);
    EXPECT_NE(ReadWholeFile(folder_.u8string(), 100, read), ReadFileStatus::kRead);
    Write("Empty", "");
    ASSERT_EQ(ReadWholeFile(Path("Empty"), 0, read), ReadFileStatus::kRead);
    EXPECT_TRUE(read.empty());
}

TEST_F(FolderFilesTest, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
    ASSERT_TRUE(WriteFileAtomically(Path("Setting"), "first\r\n"));
    ASSERT_TRUE(WriteFileAtomically(Path("Setting"), "second, longer\r\n"));
    EXPECT_EQ(Read("Setting"), "second, longer\r\n");
    std::vector<std::string> names;
    ASSERT_TRUE(ListFolderFiles(folder_.u8string(), names));
    EXPECT_EQ(names, std::vector<std::string>{"Setting"});

    EXPECT_FALSE(WriteFileAtomically(Path("Missing\\Setting"), "x"));
    ASSERT_TRUE(CreateFolder(Path("Taken")));
    EXPECT_FALSE(WriteFileAtomically(Path("Taken"), "x"));  // a folder has the name
    ASSERT_TRUE(ListFolderFiles(folder_.u8string(), names));
    EXPECT_EQ(names, std::vector<std::string>{"Setting"});
}
