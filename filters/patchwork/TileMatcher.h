// The match of a cell with a tile library: the tile whose thumbnail is
// closest to the cell's sample. The distance is the sum, over the sample's
// valid bytes, of the squared differences from the thumbnail; the first
// tile (in directory order) with the smallest distance wins.
//
// Complete samples are matched by a search that skips every tile it can
// prove to be farther than the best found so far, and so finds the winner
// of the plain search over all tiles while comparing only a few: by the
// Cauchy-Schwarz inequality a tile whose red, green and blue sums differ
// from the sample's by δr, δg, δb lies at least (δr² + δg² + δb²) / (pixels)
// away. Once a first candidate has set a distance d, a tile as close must
// have sums within sqrt(pixels × d) of the sample's. When the candidate is
// the hint (usually the neighbouring cell's winner, and often the winner
// again), those tiles are among the hint's nearest by their sums, which each
// tile keeps a list of; otherwise tiles are looked up in bins of their three
// sums around the sample's. The bounds are exact integer arithmetic (the one
// radius taken in floating point is rounded up generously), so the winner
// does not depend on the machine.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "content/TileLibrary.h"
#include "filters/patchwork/CellSampler.h"

namespace patchwork {

class TileMatcher {
public:
    // Thumbnails of `thumbnailPixels` pixels (three bytes each) per tile.
    // Throws std::bad_alloc when memory runs out.
    TileMatcher(const std::vector<TileDirectoryEntry>& directory, int32_t thumbnailPixels);

    int32_t TileCount() const { return tileCount_; }

    // The winning tile's directory index; -1 only without tiles. `hint`, a
    // tile likely to be close (such as the winner of the neighbouring cell)
    // or -1, makes the search faster but never changes its result.
    // Changes no state: one matcher may serve many threads.
    int32_t BestTile(const CellSample& sample, int32_t hint) const;

    // The distance of a tile to the sample: the plain comparison the winner
    // is defined by, for samples with or without invalid pixels.
    int64_t Distance(const CellSample& sample, int32_t tile) const;

private:
    // Compares tile by tile in directory order, each comparison stopping as
    // soon as it reaches the best distance so far.
    int32_t SearchInOrder(const CellSample& sample) const;
    // The distance of a complete sample, or some value above `bound` once it
    // is sure to exceed it.
    int64_t BoundedDistance(const unsigned char* sample, int32_t tile, int64_t bound) const;
    // Fills each tile's list of its nearest others by their sums.
    void ListNeighbours();
    struct Search;
    int32_t BinOf(int64_t channelSum) const { return static_cast<int32_t>(channelSum >> binShift_); }
    int32_t BinIndex(int32_t red, int32_t green, int32_t blue) const {
        return (red * binsPerChannel_ + green) * binsPerChannel_ + blue;
    }
    const unsigned char* Thumbnail(int32_t tile) const {
        return thumbnails_.data() + static_cast<std::size_t>(tile) * stride_;
    }

    int32_t tileCount_ = 0;
    int64_t pixels_ = 0;
    std::size_t stride_ = 0;                 // bytes per thumbnail, padded with zeros to whole blocks
    std::vector<unsigned char> thumbnails_;  // tile after tile
    std::vector<int64_t> channelSums_;       // red, green, blue sums of each tile
    bool binned_ = false;                    // sums small enough for the bounds to be exact in 64 bits
    int32_t binShift_ = 0;                   // a bin holds 2^binShift_ channel sums
    int32_t binsPerChannel_ = 1;
    std::vector<int32_t> binStarts_;    // where each bin's tiles start in binnedTiles_, and the end
    std::vector<int32_t> binnedTiles_;  // the tiles bin by bin, in directory order within a bin
    // The smallest and largest sums of each bin's tiles (an empty bin's box
    // is inverted and never near).
    struct BinBox {
        int64_t low[3];
        int64_t high[3];
    };
    std::vector<BinBox> binBoxes_;
    struct Neighbour {
        int64_t distance;  // squared, between the channel sums
        int32_t tile;
    };
    static constexpr std::size_t kNeighbours = 48;
    static constexpr std::size_t kLargestListedLibrary = 4096;
    std::size_t neighbourCount_ = 0;
    std::vector<Neighbour> neighbours_;  // each tile's nearest, nearest first
};

}  // namespace patchwork
