// The match of a cell with a tile library: the tile whose thumbnail is
// closest to the cell's sample. The distance is the sum, over the sample's
// valid bytes, of the squared differences from the thumbnail; the first
// tile (in directory order) with the smallest distance wins.
//
// Complete samples are matched by a search that skips every tile it can
// prove to be farther than the best found so far, and so gives the winner
// of the plain search over all tiles without comparing most of them: tiles
// are kept in order of the sum of their thumbnail bytes, the search starts
// at the sample's own sum and works outwards, and by the Cauchy-Schwarz
// inequality a tile whose byte sum (or per-channel sums) differs from the
// sample's by δ lies at least δ² / (bytes summed) away. All arithmetic is
// exact integer arithmetic, so the winner does not depend on the machine.
#pragma once

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
    int32_t SearchNearestSums(const CellSample& sample, int32_t hint) const;
    const unsigned char* Thumbnail(int32_t tile) const {
        return thumbnails_.data() + static_cast<std::size_t>(tile) * stride_;
    }

    int32_t tileCount_ = 0;
    int64_t pixels_ = 0;
    std::size_t stride_ = 0;                 // bytes per thumbnail, padded with zeros to whole blocks
    std::vector<unsigned char> thumbnails_;  // tile after tile
    std::vector<int64_t> channelSums_;       // red, green, blue sums of each tile
    std::vector<int32_t> bySum_;             // tiles in order of their byte sums (ties by index)
    std::vector<int64_t> sortedSums_;        // the byte sums in that order
    bool sumSearch_ = false;                 // sums small enough for the bounds to be exact in 64 bits
};

}  // namespace patchwork
