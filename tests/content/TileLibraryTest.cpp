// Tile libraries written by the writer, read back: the directory and its
// thumbnails, the tiles and the preview against the solid colours the tiles
// were made of, and the header checks.
#include "content/TileLibrary.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "imagefiles/ImageFiles.h"
#include "tests/content/ContentFixtures.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace {

struct Colour {
    uint8_t r, g, b;
};
const Colour kColours[3] = {{200, 40, 30}, {20, 160, 90}, {250, 250, 20}};

class TileLibraryTest : public ContentTest {
protected:
    // Three solid tiles of 16 × 12 pixels with 4 × 3 thumbnails, made from
    // pictures of other sizes.
    std::string WriteLibrary() {
        std::vector<RasterImage> pictures;
        for (int i = 0; i < 3; ++i)
            pictures.push_back(SolidPicture(30 + i * 7, 20 + i, kColours[i].r, kColours[i].g, kColours[i].b));
        const std::string path = PathOf("tiles.ptl");
        EXPECT_EQ(WriteTileLibrary(path, pictures, TileLibraryOptions{16, 12, 4, 3}), "");
        return path;
    }

    ResultCode Open(const std::vector<uint8_t>& bytes) {
        PutFileBytes(PathOf("bytes.ptl"), bytes);
        TileLibrary library(PathOf("bytes.ptl"));
        return library.open();
    }
};

void ExpectColour(const Image<unsigned char>& image, const Colour& colour, int tolerance) {
    int largest = 0;
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x) {
            largest = std::max(largest, std::abs(Sample(image, x, y, 0) - colour.r));
            largest = std::max(largest, std::abs(Sample(image, x, y, 1) - colour.g));
            largest = std::max(largest, std::abs(Sample(image, x, y, 2) - colour.b));
        }
    EXPECT_LE(largest, tolerance);
}

TEST_F(TileLibraryTest, ReadsTheDirectoryTilesAndPreview) {
    TileLibrary library(WriteLibrary());
    ASSERT_EQ(Outcome(library.open()), Fine());
    EXPECT_EQ(library.tileCount(), 3);
    EXPECT_EQ(library.tileWidth(), 16);
    EXPECT_EQ(library.tileHeight(), 12);
    EXPECT_EQ(library.thumbnailWidth(), 4);
    EXPECT_EQ(library.thumbnailHeight(), 3);
    ASSERT_EQ(library.directory().size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const TileDirectoryEntry& entry = library.directory()[i];
        // Thumbnails are made before JPEG compression: exactly the colour.
        ASSERT_EQ(entry.thumbnail.size(), 4u * 3u * 3u);
        for (size_t k = 0; k < entry.thumbnail.size(); k += 3) {
            EXPECT_EQ(entry.thumbnail[k], kColours[i].r);
            EXPECT_EQ(entry.thumbnail[k + 1], kColours[i].g);
            EXPECT_EQ(entry.thumbnail[k + 2], kColours[i].b);
        }
        ResultCode allocation;
        Image<unsigned char> tile(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 12, 16), allocation);
        ASSERT_EQ(Outcome(library.readTile(entry.dataOffset, tile, nullptr, nullptr, 0, 1)), Fine());
        ExpectColour(tile, kColours[i], 3);
    }
    ASSERT_NE(library.preview(), nullptr);
    EXPECT_EQ(library.preview()->bounds, Rect(0, 0, 100, 100));
    ExpectColour(*library.preview(), kColours[0], 3);
}

TEST_F(TileLibraryTest, ReadTileAsksToAbortAndRefusesPositionsOutsideTheFile) {
    TileLibrary library(WriteLibrary());
    ASSERT_EQ(Outcome(library.open()), Fine());
    ResultCode allocation;
    Image<unsigned char> tile(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 12, 16), allocation);
    struct Stop : Abort_Tester {
        bool IsAborted() override { return true; }
    } stop;
    EXPECT_EQ(Outcome(library.readFirstTile(tile, &stop, nullptr, 0, 1)), std::make_pair(1, 0));
    EXPECT_EQ(Outcome(library.readTile(-1000, tile, nullptr, nullptr, 0, 1)), std::make_pair(-1, 10033));
    EXPECT_EQ(Outcome(library.readTile(1 << 30, tile, nullptr, nullptr, 0, 1)), std::make_pair(-1, 10033));
    // A position inside the file that is no JPEG stream.
    EXPECT_EQ(Outcome(library.readTile(library.directory()[1].dataOffset + 5, tile, nullptr, nullptr, 0, 1)),
              Damaged());
}

TEST_F(TileLibraryTest, TheSignatureIsComparedUpToItsTerminatingZero) {
    const std::vector<uint8_t> sound = FileBytes(WriteLibrary());
    std::vector<uint8_t> trailing = sound;
    for (size_t i = 25; i < 32; ++i) trailing[i] = static_cast<uint8_t>('A' + i);
    EXPECT_EQ(Outcome(Open(trailing)), Fine());

    std::vector<uint8_t> differing = sound;
    differing[11] = 't';  // "Mornebrook tile Library"
    EXPECT_EQ(Outcome(Open(differing)), Damaged());
    std::vector<uint8_t> unterminated = sound;
    unterminated[24] = ' ';
    EXPECT_EQ(Outcome(Open(unterminated)), Damaged());
}

TEST_F(TileLibraryTest, HeaderFieldsOutsideTheirRangeAreRefused) {
    const std::vector<uint8_t> sound = FileBytes(WriteLibrary());
    struct Change {
        size_t offset;
        uint32_t value;
    };
    for (const Change& change : {Change{32, 2},           // version 2
                                 Change{32, 0},           // version 0
                                 Change{36, 1},           // reserved
                                 Change{40, 0},           // no tiles
                                 Change{40, 0xFFFFFFFF},  // -1 tiles
                                 Change{40, 0x7FFFFFFF},  // a directory of gigabytes
                                 Change{44, 0},           // tile width 0
                                 Change{48, 0x7FFFFFFF},  // tile height absurd for the file
                                 Change{52, 0},           // thumbnail width 0
                                 Change{56, 0x40000000}}) {
        SCOPED_TRACE(change.offset);
        std::vector<uint8_t> bytes = sound;
        PutLittleEndian32(bytes, change.offset, change.value);
        EXPECT_EQ(Outcome(Open(bytes)), Damaged());
    }
}

TEST_F(TileLibraryTest, UnopenableTruncatedAndForeignFilesAreRefused) {
    TileLibrary missing(PathOf("missing.ptl"));
    EXPECT_EQ(Outcome(missing.open()), std::make_pair(-1, 10032));

    const std::vector<uint8_t> sound = FileBytes(WriteLibrary());
    for (size_t length : {size_t{0}, size_t{20}, size_t{59}, size_t{100}, sound.size() - 1}) {
        // Cut anywhere, the directory or the first tile is incomplete, or
        // (at the end) the last tile: all three are read when opening only
        // when the cut reaches the first.
        std::vector<uint8_t> cut(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(length));
        PutFileBytes(PathOf("cut.ptl"), cut);
        TileLibrary library(PathOf("cut.ptl"));
        const ResultCode opened = library.open();
        if (length == sound.size() - 1) {
            ASSERT_EQ(Outcome(opened), Fine());
            ResultCode allocation;
            Image<unsigned char> tile(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, 12, 16), allocation);
            EXPECT_EQ(Outcome(library.readTile(library.directory()[2].dataOffset, tile, nullptr, nullptr, 0, 1)),
                      Damaged());
        } else {
            EXPECT_EQ(Outcome(opened), Damaged()) << length;
        }
    }
}

// Names beyond ASCII ("Bilder – 写真", "ä"): Windows must see them as UTF-8.
TEST_F(TileLibraryTest, TheWriterTakesAFoldersPicturesInNameOrder) {
    const std::string pictures = "Bilder \xE2\x80\x93 \xE5\x86\x99\xE7\x9C\x9F";
    std::filesystem::create_directories(PathFromUtf8(PathOf(pictures)));
    ASSERT_TRUE(WriteImageFile(PathOf(pictures + "/b\xC3\xA4.png"), SolidPicture(9, 9, 0, 0, 255)).Ok());
    ASSERT_TRUE(WriteImageFile(PathOf(pictures + "/a\xC3\xA4.jpg"), SolidPicture(12, 12, 255, 0, 0)).Ok());
    PutFileBytes(PathOf(pictures + "/notes.txt"), {'h', 'i'});
    ASSERT_EQ(WriteTileLibraryFromFolder(PathOf("folder \xC3\xA4.ptl"), PathOf(pictures), TileLibraryOptions{}), "");
    TileLibrary library(PathOf("folder \xC3\xA4.ptl"));
    ASSERT_EQ(Outcome(library.open()), Fine());
    EXPECT_EQ(library.tileCount(), 2);
    EXPECT_EQ(library.tileWidth(), 12);  // the first picture's size
    EXPECT_EQ(library.thumbnailWidth(), 8);
    EXPECT_EQ(library.thumbnailHeight(), 8);
    EXPECT_NEAR(library.directory()[0].thumbnail[0], 255, 3);
    EXPECT_NEAR(library.directory()[1].thumbnail[2], 255, 3);

    EXPECT_NE(WriteTileLibraryFromFolder(PathOf("empty.ptl"), PathOf("nowhere"), TileLibraryOptions{}), "");
    EXPECT_FALSE(std::filesystem::exists(PathOf("empty.ptl")));
}

}  // namespace
