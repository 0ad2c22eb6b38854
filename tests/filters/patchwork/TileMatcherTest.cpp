// The fast match against the plain search it must agree with: every tile
// compared in directory order, the sum of squared differences over the
// valid bytes, the first strictly smallest distance winning.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "filters/patchwork/TileMatcher.h"

namespace patchwork {
namespace {

int32_t PlainBest(const std::vector<TileDirectoryEntry>& tiles, const CellSample& sample, int32_t pixels) {
    int64_t best = 1 + 3 * int64_t{pixels} * 65025;
    int32_t winner = -1;
    for (std::size_t t = 0; t < tiles.size(); ++t) {
        int64_t distance = 0;
        for (int32_t k = 0; k < pixels * 3; ++k) {
            if (!sample.valid[static_cast<std::size_t>(k / 3)]) continue;
            const int64_t d = int64_t{sample.bytes[static_cast<std::size_t>(k)]} - tiles[t].thumbnail[k];
            distance += d * d;
        }
        if (distance < best) {
            best = distance;
            winner = static_cast<int32_t>(t);
        }
    }
    return winner;
}

struct Library {
    std::vector<TileDirectoryEntry> tiles;
};

// `count` tiles whose bytes come from `levels` values, so that equal
// thumbnails and equal distances are common; every fifth tile repeats an
// earlier one.
Library RandomLibrary(std::mt19937& random, int32_t count, int32_t pixels, int levels) {
    Library library;
    for (int32_t t = 0; t < count; ++t) {
        TileDirectoryEntry entry;
        entry.dataOffset = t * 100;
        if (t > 0 && t % 5 == 0) {
            entry.thumbnail = library.tiles[random() % library.tiles.size()].thumbnail;
        } else {
            for (int32_t k = 0; k < pixels * 3; ++k)
                entry.thumbnail.push_back(static_cast<unsigned char>((random() % levels) * 255 / (levels - 1)));
        }
        library.tiles.push_back(entry);
    }
    return library;
}

// A sample near a random tile, or anywhere; some with invalid pixels.
CellSample RandomSample(std::mt19937& random, const Library& library, int32_t pixels, bool complete) {
    CellSample sample;
    sample.bytes.assign(PaddedSampleSize(static_cast<std::size_t>(pixels)), 0);
    sample.valid.assign(static_cast<std::size_t>(pixels), 1);
    sample.complete = true;
    const auto& near = library.tiles[random() % library.tiles.size()].thumbnail;
    const int spread = static_cast<int>(random() % 3) == 0 ? 256 : static_cast<int>(random() % 40);
    for (int32_t k = 0; k < pixels * 3; ++k) {
        const int value =
            spread == 256 ? static_cast<int>(random() % 256)
                          : near[static_cast<std::size_t>(k)] + static_cast<int>(random() % (2 * spread + 1)) - spread;
        sample.bytes[static_cast<std::size_t>(k)] = static_cast<unsigned char>(std::clamp(value, 0, 255));
    }
    if (!complete) {
        for (int32_t p = 0; p < pixels; ++p)
            if (random() % 3 == 0) sample.valid[static_cast<std::size_t>(p)] = 0;
        sample.complete = false;
    }
    return sample;
}

TEST(TileMatcher, AgreesWithThePlainSearchWhateverTheHint) {
    std::mt19937 random(20240601);
    for (int32_t pixels : {1, 9, 12, 64}) {
        for (int levels : {2, 3, 7, 256}) {
            const Library library = RandomLibrary(random, 1 + static_cast<int32_t>(random() % 150), pixels, levels);
            const TileMatcher matcher(library.tiles, pixels);
            const int32_t count = matcher.TileCount();
            for (int i = 0; i < 300; ++i) {
                const CellSample sample = RandomSample(random, library, pixels, i % 7 != 0);
                const int32_t expected = PlainBest(library.tiles, sample, pixels);
                const int32_t hint = static_cast<int32_t>(random() % (count + 1)) - 1;
                ASSERT_EQ(matcher.BestTile(sample, hint), expected)
                    << pixels << " pixels, " << levels << " levels, sample " << i << ", hint " << hint;
                ASSERT_EQ(matcher.BestTile(sample, -1), expected);
            }
        }
    }
}

TEST(TileMatcher, EqualDistancesKeepTheEarlierTile) {
    // Two thumbnails equally far from the sample (one darker, one lighter),
    // and a copy of the nearer one later on.
    const std::vector<unsigned char> dark(3, 90), light(3, 110), far(3, 0);
    std::vector<TileDirectoryEntry> tiles = {{0, far}, {1, light}, {2, dark}, {3, light}};
    const TileMatcher matcher(tiles, 1);
    CellSample sample;
    sample.bytes.assign(PaddedSampleSize(1), 0);
    std::fill(sample.bytes.begin(), sample.bytes.begin() + 3, 100);
    sample.valid = {1};
    sample.complete = true;
    EXPECT_EQ(matcher.BestTile(sample, -1), 1);
    EXPECT_EQ(matcher.BestTile(sample, 2), 1);
    EXPECT_EQ(matcher.BestTile(sample, 3), 1);
    EXPECT_EQ(matcher.Distance(sample, 2), 300);
}

TEST(TileMatcher, AnEarlierTileThatOnlyStartsAsCloseLoses) {
    // 64 pixels: six blocks. Tile 0 is as far as tile 1 after its first
    // block and farther at the end; tile 1 is the hint.
    std::vector<unsigned char> base(192, 100);
    std::vector<unsigned char> closer = base, startsEqual = base;
    closer[0] = startsEqual[0] = 101;
    closer[1] = startsEqual[1] = 99;
    startsEqual[40] = 101;
    std::vector<TileDirectoryEntry> tiles = {{0, startsEqual}, {1, closer}};
    const TileMatcher matcher(tiles, 64);
    CellSample sample;
    sample.bytes = base;
    sample.bytes.resize(PaddedSampleSize(64), 0);
    sample.valid.assign(64, 1);
    sample.complete = true;
    EXPECT_EQ(matcher.BestTile(sample, 1), 1);
    EXPECT_EQ(matcher.BestTile(sample, -1), 1);
}

TEST(TileMatcher, OnlyValidPixelsCount) {
    // Tile 0 matches the valid pixel exactly; tile 1 matches the invalid one.
    std::vector<TileDirectoryEntry> tiles = {{0, {10, 10, 10, 200, 200, 200}}, {1, {60, 60, 60, 0, 0, 0}}};
    const TileMatcher matcher(tiles, 2);
    CellSample sample;
    sample.bytes.assign(PaddedSampleSize(2), 0);
    std::fill(sample.bytes.begin(), sample.bytes.begin() + 3, 10);
    sample.valid = {1, 0};
    sample.complete = false;
    EXPECT_EQ(matcher.BestTile(sample, 1), 0);
    EXPECT_EQ(matcher.Distance(sample, 1), 3 * 50 * 50);
    // No valid pixel: every distance is 0 and the first tile wins.
    sample.valid = {0, 0};
    EXPECT_EQ(matcher.BestTile(sample, 1), 0);
}

}  // namespace
}  // namespace patchwork
