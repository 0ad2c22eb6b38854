// VtFile: little-endian values as stored, and reads or positions past the
// end of the file failing instead of yielding bytes that are not there.
#include "content/VtFile.h"

#include <gtest/gtest.h>

#include "tests/content/ContentFixtures.h"

namespace {

class VtFileTest : public ContentTest {};

TEST_F(VtFileTest, ReadsLittleEndianValuesAndKnowsItsEnd) {
    PutFileBytes(PathOf("values"), {0x01, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 1, 2, 3, 4, 5, 6, 7, 0x80, 0xAA});
    VtFile file;
    ASSERT_TRUE(file.Open(PathOf("values")));
    EXPECT_EQ(file.Size(), 16u);
    EXPECT_EQ(file.Read1(), 0x01);
    EXPECT_EQ(file.Read2(), 0x1234);
    EXPECT_EQ(file.Read4(), 0x12345678u);
    EXPECT_EQ(file.Read8(), 0x8007060504030201u);
    EXPECT_EQ(file.Tell(), 15u);
    EXPECT_FALSE(file.AtEnd());
    file.Skip(-2);
    EXPECT_EQ(file.Read2(), 0x8007);
    EXPECT_EQ(file.Read1(), 0xAA);
    EXPECT_TRUE(file.AtEnd());
}

TEST_F(VtFileTest, NothingIsReadOrPositionedBeyondTheEnd) {
    PutFileBytes(PathOf("short"), {1, 2, 3});
    VtFile file;
    ASSERT_TRUE(file.Open(PathOf("short")));
    file.SeekTo(1);
    EXPECT_THROW(file.Read4(), VtFile::FileError);
    EXPECT_EQ(file.Tell(), 1u);  // a failed read moves nothing
    EXPECT_THROW(file.SeekTo(4), VtFile::FileError);
    EXPECT_THROW(file.Skip(3), VtFile::FileError);
    EXPECT_THROW(file.Skip(-2), VtFile::FileError);
    file.SeekTo(3);
    EXPECT_TRUE(file.AtEnd());
    EXPECT_THROW(file.Read1(), VtFile::FileError);
}

TEST_F(VtFileTest, OnlyExistingFilesOpen) {
    VtFile file;
    EXPECT_FALSE(file.Open(PathOf("missing")));
    EXPECT_FALSE(file.Open(folder_.string()));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_THROW(file.Read1(), VtFile::FileError);
}

}  // namespace
