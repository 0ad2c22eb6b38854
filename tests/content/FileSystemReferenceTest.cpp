// File-system references on a scratch folder: children, existence, making folders.
#include "content/FileSystemReference.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/LocalPath.h"
#include "tests/content/ContentFixtures.h"

namespace {

namespace fs = std::filesystem;

using FileSystemReferenceTest = ContentTest;

// Another kind of reference, which a WinFileSystemReference cannot fill in.
class OtherReference : public IFileSystemReference {
public:
    bool exists() const override { return false; }
    ResultCode createDirectory() const override { return ResultCode::Failure(); }
    ResultCode child(const std::string&, IFileSystemReference&) const override { return ResultCode::Failure(); }
    ResultCode childFolder(const std::string&, IFileSystemReference&) const override { return ResultCode::Failure(); }
    std::string name() const override { return "other"; }
};

TEST_F(FileSystemReferenceTest, MakesChildrenWithBackslashesAndFolders) {
    const WinFileSystemReference root(folder_.string());
    EXPECT_TRUE(root.exists());

    WinFileSystemReference settings;
    ASSERT_TRUE(root.childFolder("Edges", settings).IsSuccess());
    EXPECT_EQ(settings.name(), folder_.string() + "\\Edges");
    EXPECT_FALSE(settings.exists());
    ASSERT_TRUE(settings.createDirectory().IsSuccess());
    EXPECT_TRUE(fs::is_directory(LocalPath(settings.name())));
    EXPECT_TRUE(settings.exists());
    // A folder that is there already counts as made.
    EXPECT_TRUE(settings.createDirectory().IsSuccess());

    WinFileSystemReference file;
    ASSERT_TRUE(settings.child("Soft edge", file).IsSuccess());
    EXPECT_EQ(file.name(), folder_.string() + "\\Edges\\Soft edge");
    EXPECT_FALSE(file.exists());
    std::ofstream(LocalPath(file.name())) << "settings";
    EXPECT_TRUE(file.exists());
    // A file in the way is no folder.
    EXPECT_EQ(file.createDirectory().status, ResultCode::kFailure);
}

TEST_F(FileSystemReferenceTest, RefusesAFolderWithoutParentAndAnotherKindOfReference) {
    const WinFileSystemReference root(folder_.string());
    WinFileSystemReference deep;
    ASSERT_TRUE(root.childFolder("missing", deep).IsSuccess());
    ASSERT_TRUE(deep.childFolder("deeper", deep).IsSuccess());
    EXPECT_EQ(deep.createDirectory().status, ResultCode::kFailure);
    EXPECT_FALSE(deep.exists());

    OtherReference other;
    EXPECT_EQ(root.child("x", other).status, ResultCode::kFailure);
    EXPECT_EQ(root.childFolder("x", other).status, ResultCode::kFailure);
    EXPECT_EQ(other.name(), "other");
}

}  // namespace
