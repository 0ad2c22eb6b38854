#include "filters/patchwork/TileMatcher.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "image/Parallel.h"

namespace patchwork {
namespace {

// Above this many thumbnail pixels the squared sums could leave 64 bits;
// such thumbnails are compared plainly.
constexpr int64_t kLargestBoundedThumbnail = int64_t{1} << 16;

int64_t Squared(int64_t value) { return value * value; }

// One block of squared differences; written plainly so that the compiler
// turns it into vector instructions.
int32_t BlockDistance(const unsigned char* a, const unsigned char* b) {
    int32_t sum = 0;
    for (std::size_t k = 0; k < kSampleBlock; ++k) {
        const int32_t d = static_cast<int32_t>(a[k]) - static_cast<int32_t>(b[k]);
        sum += d * d;
    }
    return sum;
}

}  // namespace

TileMatcher::TileMatcher(const std::vector<TileDirectoryEntry>& directory, int32_t thumbnailPixels)
    : tileCount_(static_cast<int32_t>(directory.size())),
      pixels_(std::max(thumbnailPixels, 0)),
      stride_(PaddedSampleSize(static_cast<std::size_t>(pixels_))) {
    const std::size_t bytes = static_cast<std::size_t>(pixels_) * 3;
    thumbnails_.assign(stride_ * directory.size(), 0);
    channelSums_.assign(directory.size() * 3, 0);
    for (std::size_t t = 0; t < directory.size(); ++t) {
        const std::vector<unsigned char>& thumbnail = directory[t].thumbnail;
        const std::size_t count = std::min(bytes, thumbnail.size());
        std::copy(thumbnail.begin(), thumbnail.begin() + static_cast<std::ptrdiff_t>(count),
                  thumbnails_.begin() + static_cast<std::ptrdiff_t>(t * stride_));
        for (std::size_t k = 0; k < count; ++k) channelSums_[t * 3 + k % 3] += thumbnail[k];
    }
    binned_ = pixels_ > 0 && pixels_ <= kLargestBoundedThumbnail;
    if (!binned_) return;
    // About four tiles a bin for tiles spread over the colour cube: finer
    // bins cost more to walk than the tiles they spare.
    const double wanted = std::max(std::cbrt(tileCount_ / 4.0), 1.0);
    while (binShift_ < 32 && (255 * pixels_ >> (binShift_ + 1)) + 1 >= wanted) ++binShift_;
    binsPerChannel_ = BinOf(255 * pixels_) + 1;
    const std::size_t binCount = static_cast<std::size_t>(binsPerChannel_) * binsPerChannel_ * binsPerChannel_;
    std::vector<int32_t> binOfTile(directory.size());
    binStarts_.assign(binCount + 1, 0);
    for (std::size_t t = 0; t < directory.size(); ++t) {
        const int64_t* sums = &channelSums_[t * 3];
        binOfTile[t] = BinIndex(BinOf(sums[0]), BinOf(sums[1]), BinOf(sums[2]));
        ++binStarts_[static_cast<std::size_t>(binOfTile[t]) + 1];
    }
    for (std::size_t b = 0; b < binCount; ++b) binStarts_[b + 1] += binStarts_[b];
    binnedTiles_.resize(directory.size());
    std::vector<int32_t> filled(binStarts_.begin(), binStarts_.end() - 1);
    for (std::size_t t = 0; t < directory.size(); ++t)
        binnedTiles_[static_cast<std::size_t>(filled[static_cast<std::size_t>(binOfTile[t])]++)] =
            static_cast<int32_t>(t);
    // Each tile's nearest others by their sums, nearest first. Very large
    // libraries go without.
    if (directory.size() <= kLargestListedLibrary)
        neighbourCount_ = std::min<std::size_t>(directory.size() - 1, kNeighbours);
    neighbours_.resize(directory.size() * neighbourCount_);
    if (neighbourCount_ > 0) ListNeighbours();
    // The box each bin's tiles actually fill, tighter than the bin.
    binBoxes_.assign(binCount, BinBox{{255 * pixels_, 255 * pixels_, 255 * pixels_}, {0, 0, 0}});
    for (std::size_t t = 0; t < directory.size(); ++t) {
        BinBox& box = binBoxes_[static_cast<std::size_t>(binOfTile[t])];
        for (int c = 0; c < 3; ++c) {
            box.low[c] = std::min(box.low[c], channelSums_[t * 3 + static_cast<std::size_t>(c)]);
            box.high[c] = std::max(box.high[c], channelSums_[t * 3 + static_cast<std::size_t>(c)]);
        }
    }
}

void TileMatcher::ListNeighbours() {
    // The tiles in order of their red sums: walking out from a tile both
    // ways, a side ends where the red difference alone puts every further
    // tile beyond the farthest of the nearest found so far. Ties go to the
    // earlier tile, so the lists are those of measuring every pair.
    const std::size_t count = static_cast<std::size_t>(tileCount_);
    std::vector<int32_t> byRed(count);
    for (std::size_t t = 0; t < count; ++t) byRed[t] = static_cast<int32_t>(t);
    const auto red = [&](int32_t tile) { return channelSums_[static_cast<std::size_t>(tile) * 3]; };
    std::stable_sort(byRed.begin(), byRed.end(), [&](int32_t a, int32_t b) { return red(a) < red(b); });
    std::vector<std::size_t> place(count);
    for (std::size_t i = 0; i < count; ++i) place[static_cast<std::size_t>(byRed[i])] = i;
    const auto nearer = [](const Neighbour& a, const Neighbour& b) {
        return a.distance < b.distance || (a.distance == b.distance && a.tile < b.tile);
    };
    const auto listFor = [&](std::size_t t, std::vector<Neighbour>& heap) {
        heap.clear();
        const int64_t* own = &channelSums_[t * 3];
        const auto consider = [&](int32_t other) {
            const int64_t* sums = &channelSums_[static_cast<std::size_t>(other) * 3];
            const Neighbour candidate{Squared(own[0] - sums[0]) + Squared(own[1] - sums[1]) + Squared(own[2] - sums[2]),
                                      other};
            if (heap.size() < neighbourCount_) {
                heap.push_back(candidate);
                std::push_heap(heap.begin(), heap.end(), nearer);
            } else if (nearer(candidate, heap.front())) {
                std::pop_heap(heap.begin(), heap.end(), nearer);
                heap.back() = candidate;
                std::push_heap(heap.begin(), heap.end(), nearer);
            }
        };
        const auto beyondReach = [&](int32_t other) {
            return heap.size() == neighbourCount_ && Squared(red(other) - own[0]) > heap.front().distance;
        };
        const std::size_t at = place[t];
        for (std::size_t i = at + 1; i < count && !beyondReach(byRed[i]); ++i) consider(byRed[i]);
        for (std::size_t i = at; i-- > 0 && !beyondReach(byRed[i]);) consider(byRed[i]);
        std::sort_heap(heap.begin(), heap.end(), nearer);
        std::copy(heap.begin(), heap.end(), neighbours_.begin() + static_cast<std::ptrdiff_t>(t * neighbourCount_));
    };
    const ResultCode listed = ParallelChunks(static_cast<int64_t>(count), 64, [&](int64_t first, int64_t end) {
        std::vector<Neighbour> heap;
        for (int64_t t = first; t < end; ++t) listFor(static_cast<std::size_t>(t), heap);
    });
    if (listed.IsFailure()) throw std::bad_alloc();
}

int64_t TileMatcher::Distance(const CellSample& sample, int32_t tile) const {
    const unsigned char* thumbnail = Thumbnail(tile);
    int64_t sum = 0;
    for (int64_t pixel = 0; pixel < pixels_; ++pixel) {
        if (!sample.valid[static_cast<std::size_t>(pixel)]) continue;
        for (int64_t k = pixel * 3; k < pixel * 3 + 3; ++k)
            sum += Squared(int64_t{sample.bytes[static_cast<std::size_t>(k)]} - thumbnail[k]);
    }
    return sum;
}

int32_t TileMatcher::SearchInOrder(const CellSample& sample) const {
    int64_t best = 1 + 3 * pixels_ * 65025;
    int32_t winner = -1;
    for (int32_t tile = 0; tile < tileCount_; ++tile) {
        const unsigned char* thumbnail = Thumbnail(tile);
        int64_t sum = 0;
        bool rejected = false;
        for (int64_t pixel = 0; pixel < pixels_ && !rejected; ++pixel) {
            if (!sample.valid[static_cast<std::size_t>(pixel)]) continue;
            for (int64_t k = pixel * 3; k < pixel * 3 + 3; ++k) {
                sum += Squared(int64_t{sample.bytes[static_cast<std::size_t>(k)]} - thumbnail[k]);
                if (sum >= best) {
                    rejected = true;
                    break;
                }
            }
        }
        // A sample without valid pixels compares nothing; all its distances
        // are 0 and the first tile keeps it.
        if (rejected || sum >= best) continue;
        best = sum;
        winner = tile;
    }
    return winner;
}

int64_t TileMatcher::BoundedDistance(const unsigned char* sample, int32_t tile, int64_t bound) const {
    const unsigned char* thumbnail = Thumbnail(tile);
    int64_t sum = 0;
    for (std::size_t k = 0; k < stride_; k += kSampleBlock) {
        sum += BlockDistance(sample + k, thumbnail + k);
        if (sum > bound) break;
    }
    return sum;
}

// One bounded search: the sample's sums, the best so far, and the ways to
// look for better.
struct TileMatcher::Search {
    Search(const TileMatcher& matcher, const CellSample& sample, int32_t hint)
        : m(matcher), bytes(sample.bytes.data()), hint(hint) {
        for (const unsigned char* p = bytes; p < bytes + m.pixels_ * 3; p += 3)
            for (int c = 0; c < 3; ++c) channels[c] += p[c];
    }

    // Σ δc² for the tile's channel sums: pixels times a lower bound of its distance.
    int64_t Bound(int32_t tile) const {
        const int64_t* sums = &m.channelSums_[static_cast<std::size_t>(tile) * 3];
        return Squared(channels[0] - sums[0]) + Squared(channels[1] - sums[1]) + Squared(channels[2] - sums[2]);
    }

    void Consider(int32_t tile) {
        // Farther for sure; an equal bound may still tie with an earlier tile.
        if (Bound(tile) > limit) return;
        const int64_t d = m.BoundedDistance(bytes, tile, best);
        if (d < best || (d == best && tile < winner)) {
            best = d;
            limit = m.pixels_ * best;
            winner = tile;
        }
    }

    void ConsiderBin(int32_t bin) {
        const int32_t end = m.binStarts_[static_cast<std::size_t>(bin) + 1];
        for (int32_t i = m.binStarts_[static_cast<std::size_t>(bin)]; i < end; ++i) {
            const int32_t tile = m.binnedTiles_[static_cast<std::size_t>(i)];
            if (tile != hint) Consider(tile);
        }
    }

    // After the hint: a tile as close has sums within sqrt(limit) of the
    // sample's, so within that and the hint's own offset of the hint's. False
    // when the hint's list does not reach that far.
    bool NearHint() {
        const double offset = std::sqrt(static_cast<double>(Bound(hint)));
        const double radius = (offset + std::sqrt(static_cast<double>(limit))) * (1 + 1e-9) + 1;
        const int64_t radiusSquared = static_cast<int64_t>(radius * radius) + 1;
        const std::size_t count = m.neighbourCount_;
        const Neighbour* list = m.neighbours_.data() + static_cast<std::size_t>(hint) * count;
        const bool everyTile = count + 1 == static_cast<std::size_t>(m.tileCount_);
        if (!everyTile && (count == 0 || list[count - 1].distance <= radiusSquared)) return false;
        for (std::size_t i = 0; i < count && list[i].distance <= radiusSquared; ++i) Consider(list[i].tile);
        return true;
    }

    // The tiles of the sample's own bin first, the likeliest winners; then
    // every bin within reach along each channel, passing over those whose
    // tiles' sums are all too far.
    void InBins() {
        const int32_t own = m.BinIndex(m.BinOf(channels[0]), m.BinOf(channels[1]), m.BinOf(channels[2]));
        ConsiderBin(own);
        const int64_t reach = static_cast<int64_t>(std::sqrt(static_cast<double>(limit))) + 1;
        int32_t low[3], high[3];
        for (int c = 0; c < 3; ++c) {
            low[c] = m.BinOf(std::max<int64_t>(channels[c] - reach, 0));
            high[c] = m.BinOf(std::min<int64_t>(channels[c] + reach, 255 * m.pixels_));
        }
        for (int32_t r = low[0]; r <= high[0]; ++r)
            for (int32_t g = low[1]; g <= high[1]; ++g)
                for (int32_t b = low[2]; b <= high[2]; ++b) {
                    const int32_t bin = m.BinIndex(r, g, b);
                    if (bin != own && BoxBound(m.binBoxes_[static_cast<std::size_t>(bin)]) <= limit) ConsiderBin(bin);
                }
    }

    // Σ over channels of the squared gap between the sample's sum and the box.
    int64_t BoxBound(const BinBox& box) const {
        int64_t bound = 0;
        for (int c = 0; c < 3; ++c)
            bound += Squared(std::max<int64_t>({box.low[c] - channels[c], channels[c] - box.high[c], 0}));
        return bound;
    }

    const TileMatcher& m;
    const unsigned char* bytes;
    const int32_t hint;
    int64_t channels[3] = {0, 0, 0};
    int64_t best = 1 + 3 * m.pixels_ * 65025;
    int64_t limit = m.pixels_ * best;  // Bound() above it: out
    int32_t winner = -1;
};

int32_t TileMatcher::BestTile(const CellSample& sample, int32_t hint) const {
    if (tileCount_ == 0) return -1;
    if (!sample.complete || !binned_ || sample.bytes.size() < stride_) return SearchInOrder(sample);
    Search search(*this, sample, hint);
    if (hint >= 0 && hint < tileCount_) {
        search.Consider(hint);
        if (search.NearHint()) return search.winner;
    }
    search.InBins();
    return search.winner;
}

}  // namespace patchwork
