// The picture tube reader on unusual and malformed files, each assembled from
// the writers' blocks with one thing changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include <zlib.h>

#include "content/PspFileReader.h"
#include "content/TubeCellGrid.h"
#include "tests/content/ContentFixtures.h"

namespace {

namespace fs = std::filesystem;

class PspMalformedTest : public ContentTest {
protected:
    // Writes `recipe` for `picture_` and reads it back.
    ReadTube Read(const TubeRecipe& recipe) {
        const std::string path = PathOf("variant.tub");
        WriteRecipe(path, picture_, recipe);
        return ReadTubeFile(path);
    }
    ReadTube ReadBytes(const std::vector<uint8_t>& bytes) {
        PutFileBytes(PathOf("bytes.tub"), bytes);
        return ReadTubeFile(PathOf("bytes.tub"));
    }
    std::vector<uint8_t> Bytes(const TubeRecipe& recipe) {
        WriteRecipe(PathOf("recipe.tub"), picture_, recipe);
        return FileBytes(PathOf("recipe.tub"));
    }

    const RasterImage picture_ = PatternPicture(30, 20);
};

void WriteUnknownBlock(PspStream& stream, uint16_t id) {
    stream.BeginBlock(id);
    stream.BeginChunk();
    stream.U32(0xDEADBEEF);
    stream.EndChunk();
    stream.EndBlock();
}

TEST_F(PspMalformedTest, UnknownTopLevelBlocksAreSkippedAndTheFirstTubeBlockCounts) {
    for (uint16_t version : {3, 5}) {
        SCOPED_TRACE(version);
        TubeRecipe recipe = RecipeFor(picture_, 3, 2, version);
        recipe.afterTube = [](PspStream& stream) {
            WriteUnknownBlock(stream, 200);
            WriteTubeDataBlock(stream, TubeGridFields{5, 4, 20, 6});
        };
        recipe.afterLayers = [](PspStream& stream) { WriteUnknownBlock(stream, 9); };
        const ReadTube tube = Read(recipe);
        ASSERT_EQ(Outcome(tube.openResult), Fine());
        EXPECT_EQ(Outcome(tube.imageResult), Fine());
        EXPECT_EQ(tube.columns, 3);
        EXPECT_EQ(tube.rows, 2);
    }
}

TEST_F(PspMalformedTest, TrailingBytesThatAreNoBlockFailOpen) {
    for (uint16_t version : {3, 5}) {
        std::vector<uint8_t> bytes = Bytes(RecipeFor(picture_, 1, 1, version));
        bytes.insert(bytes.end(), {'~', 'B', 'X', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        EXPECT_EQ(Outcome(ReadBytes(bytes).openResult), Damaged()) << version;
        bytes.resize(bytes.size() - 11);  // three bytes: too short for a block header
        EXPECT_EQ(Outcome(ReadBytes(bytes).openResult), Damaged()) << version;
    }
}

TEST_F(PspMalformedTest, TheStoredCellCountIsIgnored) {
    TubeRecipe recipe = RecipeFor(picture_, 3, 2, 5);
    recipe.grid.cellCount = 5;
    const ReadTube tube = Read(recipe);
    ASSERT_EQ(Outcome(tube.openResult), Fine());
    EXPECT_EQ(TubeCellGrid(tube.columns, tube.rows, tube.width, tube.height).CellCount(), 6);
}

TEST_F(PspMalformedTest, ALayerSmallerThanTheImageLeavesTransparentBlackAround) {
    for (uint16_t version : {3, 5}) {
        SCOPED_TRACE(version);
        TubeRecipe recipe = RecipeFor(picture_, 1, 1, version);
        const Rect layer(4, 7, 15, 22);  // top, left, bottom, right
        recipe.layerRect = layer;
        const ReadTube tube = Read(recipe);
        ASSERT_EQ(Outcome(tube.imageResult), Fine());
        int wrong = 0;
        for (int32_t y = 0; y < 20; ++y)
            for (int32_t x = 0; x < 30; ++x)
                for (int c = 0; c < 4; ++c) {
                    const int expected = layer.Contains(Point{x, y}) ? picture_.Row(y)[x * 4 + c] : 0;
                    if (Sample(*tube.image, x, y, c) != expected) ++wrong;
                }
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(PspMalformedTest, AUserMaskChannelIsSkippedButTakesAChannelSlot) {
    TubeRecipe recipe = RecipeFor(picture_, 1, 1, 5);
    recipe.channels[2] = LayerChannel{psp::kLayerUserMask, psp::kCompositeChannel, 2};
    const ReadTube tube = Read(recipe);
    ASSERT_EQ(Outcome(tube.imageResult), Fine());
    int wrong = 0;
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 30; ++x) {
            const uint8_t* pixel = picture_.Row(y) + x * 4;
            wrong += Sample(*tube.image, x, y, 0) != pixel[0];
            wrong += Sample(*tube.image, x, y, 1) != pixel[1];
            wrong += Sample(*tube.image, x, y, 2) != 0xA5;  // as the caller left it
            wrong += Sample(*tube.image, x, y, 3) != pixel[3];
        }
    EXPECT_EQ(wrong, 0);
}

TEST_F(PspMalformedTest, OnlyMajorVersionsThreeAndFiveAreRead) {
    const std::vector<uint8_t> three = Bytes(RecipeFor(picture_, 1, 1, 3));
    const std::vector<uint8_t> five = Bytes(RecipeFor(picture_, 1, 1, 5));
    for (uint16_t version : {0, 1, 2, 4, 6, 7}) {
        // A file laid out by either set of rules, claiming another version.
        for (std::vector<uint8_t> bytes : {three, five}) {
            bytes[32] = static_cast<uint8_t>(version);
            EXPECT_EQ(Outcome(ReadBytes(bytes).openResult), Damaged()) << version;
        }
    }
    std::vector<uint8_t> signature = five;
    signature[26] = 0x1B;
    EXPECT_EQ(Outcome(ReadBytes(signature).openResult), Damaged());
}

TEST_F(PspMalformedTest, VersionFiveNeedsAJpegThumbnailComposite) {
    TubeRecipe noBank = RecipeFor(picture_, 1, 1, 5);
    noBank.composite = false;
    EXPECT_EQ(Outcome(Read(noBank).openResult), Damaged());

    TubeRecipe fullComposite = RecipeFor(picture_, 1, 1, 5);
    fullComposite.compositeAttributes.type = 0;  // a composite, not the thumbnail
    EXPECT_EQ(Outcome(Read(fullComposite).openResult), Damaged());

    for (auto change :
         {+[](CompositeAttributes& a) { a.compression = psp::kLz77Compression; },
          +[](CompositeAttributes& a) { a.bitDepth = 8; }, +[](CompositeAttributes& a) { a.planeCount = 3; }}) {
        TubeRecipe recipe = RecipeFor(picture_, 1, 1, 5);
        change(recipe.compositeAttributes);
        EXPECT_EQ(Outcome(Read(recipe).openResult), Damaged());
    }
}

TEST_F(PspMalformedTest, AGridOutsideOneToTheImageSizeIsRefused) {
    for (auto grid : {TubeGridFields{0, 1, 0, 1}, TubeGridFields{1, 0, 0, 1}, TubeGridFields{-3, 2, 6, 1},
                      TubeGridFields{31, 1, 31, 1}, TubeGridFields{1, 21, 21, 1}}) {
        TubeRecipe recipe = RecipeFor(picture_, 1, 1, 5);
        recipe.grid = grid;
        EXPECT_EQ(Outcome(Read(recipe).openResult), Damaged()) << grid.columns << " x " << grid.rows;
    }
    TubeRecipe finest = RecipeFor(picture_, 30, 20, 3);
    EXPECT_EQ(Outcome(Read(finest).openResult), Fine());
}

TEST_F(PspMalformedTest, ImageSizesAbsurdForTheFileAreRefusedAtOpen) {
    for (auto size : {std::make_pair(0, 20), std::make_pair(30, -1), std::make_pair(60000, 60000),
                      std::make_pair(1 << 20, 1 << 20)}) {
        TubeRecipe recipe = RecipeFor(picture_, 1, 1, 3);
        recipe.width = size.first;
        recipe.height = size.second;
        recipe.layerRect = Rect(0, 0, 1, 1);
        EXPECT_EQ(Outcome(Read(recipe).openResult), Damaged()) << size.first << " x " << size.second;
    }
}

TEST_F(PspMalformedTest, ALayerOutsideTheImageIsRefused) {
    for (uint16_t version : {3, 5}) {
        TubeRecipe recipe = RecipeFor(picture_, 1, 1, version);
        recipe.width = 29;  // one column less than the layer covers
        const ReadTube tube = Read(recipe);
        ASSERT_EQ(Outcome(tube.openResult), Fine());
        EXPECT_EQ(Outcome(tube.imageResult), Damaged()) << version;
    }
}

// `claimed`: the compressed length the channel gives, when not its own.
void WriteChannel(PspStream& stream, uint16_t bitmapType, uint16_t channelType, uint32_t stored, uint32_t actual,
                  std::optional<uint32_t> claimed = std::nullopt) {
    const std::vector<uint8_t> pixels(actual, 0x80);
    std::vector<uint8_t> compressed(compressBound(actual));
    uLongf length = compressed.size();
    ASSERT_EQ(compress(compressed.data(), &length, pixels.data(), actual), Z_OK);
    stream.BeginBlock(psp::kChannelBlock);
    stream.BeginChunk();
    stream.U32(claimed.value_or(static_cast<uint32_t>(length)));
    stream.U32(stored);
    stream.U16(bitmapType);
    stream.U16(channelType);
    stream.EndChunk();
    stream.Bytes(compressed.data(), length);
    stream.EndBlock();
}

// A 30 × 20 layer whose red channel says it inflates to `stored` bytes and
// does inflate to `actual` bytes (and whose compressed length is `claimed`
// when that is given); its other channels are sound.
void WriteLyingLayer(PspStream& stream, uint32_t stored, uint32_t actual,
                     std::optional<uint32_t> claimed = std::nullopt) {
    const uint32_t area = 30 * 20;
    stream.BeginBlock(psp::kLayerBankBlock);
    stream.BeginBlock(psp::kLayerBlock);
    stream.BeginChunk();
    stream.U16(0);
    stream.U8(psp::kVersion5RasterLayer);
    for (int32_t value : {0, 0, 30, 20, 0, 0, 30, 20}) stream.I32(value);
    stream.Zeros(5 + 32 + 3 + 2 + 40);
    stream.EndChunk();
    stream.BeginChunk();
    stream.U16(2);
    stream.U16(4);
    stream.EndChunk();
    WriteChannel(stream, psp::kLayerColourBitmap, psp::kRedChannel, stored, actual, claimed);
    WriteChannel(stream, psp::kLayerColourBitmap, psp::kGreenChannel, area, area);
    WriteChannel(stream, psp::kLayerColourBitmap, psp::kBlueChannel, area, area);
    WriteChannel(stream, psp::kLayerTransparencyMask, psp::kCompositeChannel, area, area);
    stream.EndBlock();
    stream.EndBlock();
}

TEST_F(PspMalformedTest, AChannelMustHoldOneBytePerLayerPixel) {
    const uint32_t area = 30 * 20;
    for (auto lengths : {std::make_pair(area + 1, area + 1), std::make_pair(area, area - 1),
                         std::make_pair(area, area + 1), std::make_pair(area - 1, area - 1)}) {
        TubeRecipe recipe = RecipeFor(picture_, 1, 1, 5);
        recipe.layerBank = [lengths](PspStream& stream) { WriteLyingLayer(stream, lengths.first, lengths.second); };
        EXPECT_EQ(Outcome(Read(recipe).imageResult), Damaged()) << lengths.first << " " << lengths.second;
    }
    // The same layer telling the truth reads.
    TubeRecipe honest = RecipeFor(picture_, 1, 1, 5);
    honest.layerBank = [area](PspStream& stream) { WriteLyingLayer(stream, area, area); };
    const ReadTube tube = Read(honest);
    ASSERT_EQ(Outcome(tube.imageResult), Fine());
    EXPECT_EQ(Sample(*tube.image, 29, 19, 0), 0x80);
}

TEST_F(PspMalformedTest, AChannelLengthNearFourGibibytesIsRefusedWithoutOverflow) {
    // 0xFFFFFFFF plus the byte to spare wraps round in 32 bits. An unknown
    // block of almost 4 GiB after the layers, sparse on disk, makes the file
    // long enough for the length to pass the check against the file's size.
    const uint32_t area = 30 * 20;
    constexpr uint32_t kPadding = 0xFFFFFFF0u;
    TubeRecipe recipe = RecipeFor(picture_, 1, 1, 5);
    recipe.layerBank = [area](PspStream& stream) { WriteLyingLayer(stream, area, area, 0xFFFFFFFFu); };
    recipe.afterLayers = [](PspStream& stream) {
        stream.Bytes(psp::kBlockMarker, sizeof psp::kBlockMarker);
        stream.U16(200);
        stream.U32(kPadding);
    };
    const std::string path = PathOf("padded.tub");
    WriteRecipe(path, picture_, recipe);
    const fs::path file = fs::u8path(path);
    fs::resize_file(file, fs::file_size(file) + kPadding);
    const ReadTube tube = ReadTubeFile(path);
    ASSERT_EQ(Outcome(tube.openResult), Fine());
    EXPECT_EQ(Outcome(tube.imageResult), Damaged());
}

TEST_F(PspMalformedTest, ChannelTypesOutsideTheirBitmapAreRefused) {
    for (auto channel :
         {LayerChannel{psp::kLayerColourBitmap, psp::kCompositeChannel, 0}, LayerChannel{psp::kLayerColourBitmap, 4, 0},
          LayerChannel{psp::kLayerTransparencyMask, psp::kRedChannel, 3}}) {
        TubeRecipe recipe = RecipeFor(picture_, 1, 1, 3);
        recipe.channels[1] = channel;
        EXPECT_EQ(Outcome(Read(recipe).imageResult), Damaged());
    }
    TubeRecipe three = RecipeFor(picture_, 1, 1, 5);
    three.channels.pop_back();
    EXPECT_EQ(Outcome(Read(three).imageResult), Damaged());
}

TEST_F(PspMalformedTest, DamagedChannelDataIsRefused) {
    TubeRecipe recipe = RecipeFor(picture_, 1, 1, 3);
    std::vector<uint8_t> bytes = Bytes(recipe);
    // The last channel's compressed bytes end the file: damage their middle.
    bytes[bytes.size() - 20] ^= 0x5A;
    bytes[bytes.size() - 21] ^= 0xA5;
    EXPECT_EQ(Outcome(ReadBytes(bytes).imageResult), Damaged());
}

}  // namespace
