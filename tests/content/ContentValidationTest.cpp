// Which files each effect takes as its content: files of every kind, made
// by the content writers, against every effect kind, with the answers
// written out by hand.
#include "content/ContentValidation.h"

#include <gtest/gtest.h>

#include <fstream>

#include "content/ContentMessages.h"
#include "imagefiles/ImageFiles.h"
#include "tests/content/ContentFixtures.h"
#include "tools/contentwriters/PictureTubeWriter.h"
#include "tools/contentwriters/TextureWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace {

class ContentValidation : public ContentTest {
protected:
    void SetUp() override {
        ContentTest::SetUp();
        PictureTubeOptions tube;
        tube.columns = 4;
        tube.rows = 2;
        ASSERT_EQ(WritePictureTube(PathOf("stamps.tub"), PatternPicture(40, 20), tube), "");
        PictureTubeOptions frame;
        frame.columns = 3;
        frame.rows = 3;
        ASSERT_EQ(WritePictureTube(PathOf("frame.rfr"), PatternPicture(30, 30), frame), "");
        frame.majorVersion = 3;
        ASSERT_EQ(WritePictureTube(PathOf("old frame.rfr"), PatternPicture(30, 30), frame), "");
        ASSERT_EQ(
            WriteTileLibrary(PathOf("tiles.ptl"), {SolidPicture(8, 8, 200, 40, 40), SolidPicture(8, 8, 40, 40, 200)},
                             TileLibraryOptions{}),
            "");
        ASSERT_EQ(WriteTexture(PathOf("grey.jpg"), SolidPicture(16, 16, 90, 90, 90)), "");
        ASSERT_TRUE(WriteImageFile(PathOf("colour.jpg"), SolidPicture(16, 16, 200, 100, 50)).Ok());
        std::ofstream(PathOf("text.jpg")) << "not a picture at all";
    }
};

TEST_F(ContentValidation, AcceptsOnlyFilesOfTheEffectsKind) {
    struct Row {
        const char* file;
        bool accepted[6];  // by kind: BorderStamp, Edge, FillStamp, Frame, Patchwork, Resurface
    };
    const Row rows[] = {
        // A tube of 4 × 2 cells stamps, but frames only from 3 × 3 cells.
        {"stamps.tub", {true, false, true, false, false, false}},
        {"frame.rfr", {true, false, true, true, false, false}},
        {"old frame.rfr", {true, false, true, true, false, false}},
        {"tiles.ptl", {false, false, false, false, true, false}},
        {"grey.jpg", {false, false, false, false, false, true}},
        // Textures are one-channel grey.
        {"colour.jpg", {false, false, false, false, false, false}},
        {"text.jpg", {false, false, false, false, false, false}},
        {"missing.tub", {false, false, false, false, false, false}},
    };
    for (const Row& row : rows) {
        for (FilterKind kind = 0; kind < FilterKinds::Count; ++kind) {
            const ResultCode result = validate(PathOf(row.file), kind);
            EXPECT_EQ(result.IsSuccess(), row.accepted[kind]) << row.file << " as kind " << kind;
            if (result.IsFailure()) {
                EXPECT_EQ(result.status, ResultCode::kFailure) << row.file << " as kind " << kind;
            }
        }
    }
}

TEST_F(ContentValidation, GivesTheReadersMessages) {
    EXPECT_EQ(validate(PathOf("missing.tub"), FilterKinds::BorderStamp).messageId, kContentFileUnopenable);
    EXPECT_EQ(validate(PathOf("tiles.ptl"), FilterKinds::BorderStamp).messageId, kContentFileDamaged);
    EXPECT_EQ(validate(PathOf("stamps.tub"), FilterKinds::Frame).messageId, kContentFileDamaged);
    EXPECT_EQ(validate(PathOf("stamps.tub"), FilterKinds::Patchwork).messageId, kContentFileDamaged);
    EXPECT_EQ(validate(PathOf("colour.jpg"), FilterKinds::Resurface).messageId, kContentFileDamaged);
    // No content file suits Edges, or a kind that is no effect.
    EXPECT_EQ(validate(PathOf("grey.jpg"), FilterKinds::Edge).messageId, 0);
    EXPECT_EQ(validate(PathOf("grey.jpg"), 6).status, ResultCode::kFailure);
    EXPECT_EQ(validate(PathOf("grey.jpg"), -1).status, ResultCode::kFailure);
}

TEST_F(ContentValidation, OpensPathsWrittenWithBackslashes) {
    // A resolved relative reference keeps the backslashes it was stored with.
    const std::string folder = folder_.string();
    std::string stored = folder + "\\grey.jpg";
    EXPECT_TRUE(validate(stored, FilterKinds::Resurface).IsSuccess()) << stored;
}

}  // namespace
