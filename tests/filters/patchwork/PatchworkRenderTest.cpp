// The Patchwork render on tile libraries the content writer makes: which
// tile goes where, how it is pasted into each layout, failures, abort and
// progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "content/TileLibrary.h"
#include "filters/ColourConversion.h"
#include "filters/patchwork/Patchwork.h"
#include "image/Resample.h"
#include "tests/filters/EffectContent.h"
#include "tests/filters/EffectTestSupport.h"

namespace {

using namespace effect_test;

const ChannelLayout kTileLayout(kColourModelRGB, 3, false);

RasterImage Solid(uint8_t r, uint8_t g, uint8_t b) {
    return Picture(16, 16, 3, [=](int, int, int c) { return c == 0 ? r : c == 1 ? g : b; });
}

// A tile with a pattern, so that a misplaced or unscaled paste shows.
RasterImage Pattern() {
    return Picture(16, 16, 3, [](int x, int y, int c) { return static_cast<uint8_t>(x * 15 + c * 60 + (y % 4) * 9); });
}

class PatchworkRender : public ContentFileTest {
protected:
    static ParameterBlock Block(const std::string& library, double tileSize = 6.0) {
        ParameterBlock block{};
        Patchwork().WriteDefaults(block);
        PatchworkParameters& p = block.As<PatchworkParameters>();
        p.library = AbsoluteReference(library);
        p.tileSize.Set(tileSize, kLengthPixels);
        return block;
    }
    static RenderOutcome Render(ParameterBlock block, const Image<unsigned char>& source,
                                const RenderOptions& options = RenderOptions()) {
        Patchwork patchwork;
        return RenderEffect(patchwork, block, source, options);
    }
    // Tile `index` of the library as it is to be pasted: decoded and scaled
    // to width × height by the content reader and the image core.
    static Image<unsigned char> ScaledTile(const std::string& path, int index, int32_t width, int32_t height) {
        TileLibrary library(path);
        EXPECT_TRUE(library.open().IsSuccess());
        ResultCode made;
        Image<unsigned char> decoded(kTileLayout, Rect(0, 0, library.tileHeight(), library.tileWidth()), made);
        Image<unsigned char> scaled(kTileLayout, Rect(0, 0, height, width), made);
        const int32_t offset = library.directory()[static_cast<std::size_t>(index)].dataOffset;
        EXPECT_TRUE(library.readTile(offset, decoded, nullptr, nullptr, 0, 1).IsSuccess());
        EXPECT_TRUE(Resample(decoded, scaled, nullptr, nullptr, 0, 1).IsSuccess());
        return scaled;
    }
    // Whether the output holds `tile` over `cell` (clipped to the output).
    static ::testing::AssertionResult HoldsTile(const Image<unsigned char>& output, const Image<unsigned char>& tile,
                                                const Rect& cell) {
        const Rect inside = Rect::Intersect(cell, output.bounds);
        for (int y = inside.top; y < inside.bottom; ++y)
            for (int x = inside.left; x < inside.right; ++x)
                for (int c = 0; c < 3; ++c)
                    if (At(output, x, y)[c] != At(tile, x - cell.left, y - cell.top)[c])
                        return ::testing::AssertionFailure() << "pixel " << x << "," << y << " channel " << c;
        return ::testing::AssertionSuccess();
    }
};

TEST_F(PatchworkRender, OneTileLibraryFillsEveryCellWithThatTile) {
    const std::string library = WriteLibrary("one.ptl", {Pattern()}, TileLibraryOptions{0, 0, 4, 4});
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 20, 31));
    const RenderOutcome out = Render(Block(library), source);
    ASSERT_EQ(out.status.status, 0);
    const Image<unsigned char> tile = ScaledTile(library, 0, 6, 6);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 6; ++column)
            EXPECT_TRUE(HoldsTile(out.output, tile, Rect(row * 6, column * 6, row * 6 + 6, column * 6 + 6)))
                << "cell " << column << "," << row;
}

TEST_F(PatchworkRender, EachCellTakesTheTileOfItsColour) {
    const std::vector<RasterImage> tiles = {Solid(220, 30, 30),  Solid(30, 200, 40), Solid(40, 50, 210),
                                            Solid(240, 230, 40), Solid(20, 20, 20),  Solid(250, 250, 250)};
    const std::string library = WriteLibrary("colours.ptl", tiles, TileLibraryOptions{0, 0, 2, 2});
    // 8 x 8 cells: a 5 x 70 grid, each cell near one tile's colour; rows
    // enough to be matched in several batches.
    const auto tileOfCell = [](int column, int row) { return (column * 7 + row * 3) % 6; };
    const Image<unsigned char> source = MakeImage(RGB(), Rect(0, 0, 560, 40), [&](int x, int y, int c) {
        const RasterImage& tile = tiles[static_cast<std::size_t>(tileOfCell(x / 8, y / 8))];
        return static_cast<uint8_t>(std::clamp(tile.pixels[static_cast<std::size_t>(c)] + (x + y) % 7 - 3, 0, 255));
    });
    const RenderOutcome out = Render(Block(library, 8.0), source);
    ASSERT_EQ(out.status.status, 0);
    for (int row = 0; row < 70; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_TRUE(HoldsTile(out.output, ScaledTile(library, tileOfCell(column, row), 8, 8),
                                  Rect(row * 8, column * 8, row * 8 + 8, column * 8 + 8)))
                << "cell " << column << "," << row;
}

TEST_F(PatchworkRender, TenByTenSelectionGetsFourCellsAndNothingOutsideChanges) {
    const std::string library = WriteLibrary("one.ptl", {Pattern()}, TileLibraryOptions{0, 0, 4, 4});
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 30, 30));
    RenderOptions options;
    options.area = Rect(7, 5, 17, 15);
    const RenderOutcome out = Render(Block(library), source, options);
    ASSERT_EQ(out.status.status, 0);
    const Image<unsigned char> tile = ScaledTile(library, 0, 6, 6);
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 2; ++column) {
            const Rect cell(7 + 6 * row, 5 + 6 * column, 13 + 6 * row, 11 + 6 * column);
            EXPECT_TRUE(HoldsTile(out.output, tile, Rect::Intersect(cell, options.area)));
        }
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x)
            if (!options.area.Contains(Point{x, y})) {
                ASSERT_TRUE(SamePixel(out.output, source, x, y)) << x << "," << y;
            }
}

TEST_F(PatchworkRender, GreyTakesTheLargestChannelAndAlphaIsKept) {
    const std::string library = WriteLibrary("one.ptl", {Pattern()}, TileLibraryOptions{0, 0, 4, 4});
    const Image<unsigned char> tile = ScaledTile(library, 0, 6, 6);

    const Image<unsigned char> grey = Ramp(Grey(), Rect(0, 0, 12, 12));
    const RenderOutcome greyOut = Render(Block(library), grey);
    ASSERT_EQ(greyOut.status.status, 0);
    const Image<unsigned char> rgba = Ramp(RGBA(), Rect(0, 0, 12, 12), 77);
    const RenderOutcome rgbaOut = Render(Block(library), rgba);
    ASSERT_EQ(rgbaOut.status.status, 0);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const uint8_t* t = At(tile, x % 6, y % 6);
            EXPECT_EQ(At(greyOut.output, x, y)[0], std::max({t[0], t[1], t[2]})) << x << "," << y;
            EXPECT_TRUE(std::equal(t, t + 3, At(rgbaOut.output, x, y))) << x << "," << y;
            EXPECT_EQ(At(rgbaOut.output, x, y)[3], 77);
        }
}

TEST_F(PatchworkRender, LabPicturesGetTheTilesColoursInLab) {
    const std::string library = WriteLibrary("one.ptl", {Pattern()}, TileLibraryOptions{0, 0, 4, 4});
    const Image<unsigned char> tile = ScaledTile(library, 0, 6, 6);
    const ChannelLayout lab(kColourModelLab, 3, false);
    const RenderOutcome out = Render(Block(library), Ramp(lab, Rect(0, 0, 6, 6)));
    ASSERT_EQ(out.status.status, 0);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint8_t* t = At(tile, x, y);
            const PixelSamples expected = ColourSamples(ColorSpec::RGB(t[0], t[1], t[2]), lab);
            EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + 3, At(out.output, x, y))) << x << "," << y;
        }
}

TEST_F(PatchworkRender, PreviewScaleShrinksTheCells) {
    const std::string library = WriteLibrary("one.ptl", {Pattern()}, TileLibraryOptions{0, 0, 4, 4});
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 9, 9));
    RenderOptions options;
    options.scale = 2.0;  // 12 pixels at scale 2: cells of 6
    EXPECT_TRUE(HoldsTile(Render(Block(library, 12.0), source, options).output, ScaledTile(library, 0, 6, 6),
                          Rect(0, 0, 6, 6)));
    options.scale = 4.0;  // 6 / 4 rounds to 2, and cells are never under 3
    EXPECT_TRUE(
        HoldsTile(Render(Block(library), source, options).output, ScaledTile(library, 0, 3, 3), Rect(3, 6, 6, 9)));
}

TEST_F(PatchworkRender, LibrariesThatCannotBeReadLeaveThePictureAlone) {
    const Image<unsigned char> source = Ramp(RGB(), Rect(0, 0, 12, 12));
    const RenderOutcome missing = Render(Block(PathOf("absent.ptl")), source);
    EXPECT_EQ(missing.status.status, -1);
    EXPECT_EQ(missing.status.messageId, 10032);
    EXPECT_TRUE(SameImage(missing.output, source));

    const std::string damaged = PathOf("damaged.ptl");
    ASSERT_TRUE(WriteImageFile(PathOf("not-a-library.png"), Solid(1, 2, 3)).Ok());
    std::filesystem::copy_file(PathOf("not-a-library.png"), damaged);
    const RenderOutcome refused = Render(Block(damaged), source);
    EXPECT_EQ(refused.status.status, -1);
    EXPECT_EQ(refused.status.messageId, 10033);
    EXPECT_TRUE(SameImage(refused.output, source));
}

TEST_F(PatchworkRender, AbortStopsAtTheNextCheckAndProgressRisesThroughBothStages) {
    const std::string library =
        WriteLibrary("two.ptl", {Solid(200, 0, 0), Solid(0, 0, 200)}, TileLibraryOptions{0, 0, 2, 2});
    // 2 x 3 cells: red on the left, blue on the right.
    const Image<unsigned char> source = MakeImage(
        RGB(), Rect(0, 0, 18, 12), [](int x, int, int c) -> uint8_t { return c == (x < 6 ? 0 : 2) ? 190 : 10; });

    CountingAbort atOnce(0);
    RenderOptions options;
    options.abort = &atOnce;
    const RenderOutcome stopped = Render(Block(library), source, options);
    EXPECT_EQ(stopped.status.status, 1);
    EXPECT_TRUE(SameImage(stopped.output, source));

    // Three rows are matched; the fourth question comes before the first tile.
    CountingAbort beforePasting(3);
    options.abort = &beforePasting;
    EXPECT_EQ(Render(Block(library), source, options).status.status, 1);
    EXPECT_EQ(beforePasting.calls, 4);

    CountingAbort never(1000);  // counts, never says stop
    RecordingProgress progress;
    options.abort = &never;
    options.progress = &progress;
    ASSERT_EQ(Render(Block(library), source, options).status.status, 0);
    // One report per row of cells (before it), then one per pasted cell.
    ASSERT_EQ(progress.values.size(), 3u + 6u);
    EXPECT_EQ(progress.values[0], 0.0);
    EXPECT_DOUBLE_EQ(progress.values[2], 0.5 * 4 / 6);
    EXPECT_EQ(progress.values[3], 0.5);
    EXPECT_DOUBLE_EQ(progress.values.back(), 0.5 + 0.5 * 5 / 6);
    EXPECT_TRUE(std::is_sorted(progress.values.begin(), progress.values.end()));
    EXPECT_EQ(never.calls, 3 + 2);  // each row, then each tile used
}

}  // namespace
