#include "filters/patchwork/TileMatcher.h"

#include <algorithm>
#include <numeric>

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
    std::vector<int64_t> sums(directory.size(), 0);
    for (std::size_t t = 0; t < directory.size(); ++t) {
        const std::vector<unsigned char>& thumbnail = directory[t].thumbnail;
        const std::size_t count = std::min(bytes, thumbnail.size());
        std::copy(thumbnail.begin(), thumbnail.begin() + static_cast<std::ptrdiff_t>(count),
                  thumbnails_.begin() + static_cast<std::ptrdiff_t>(t * stride_));
        for (std::size_t k = 0; k < count; ++k) channelSums_[t * 3 + k % 3] += thumbnail[k];
        sums[t] = channelSums_[t * 3] + channelSums_[t * 3 + 1] + channelSums_[t * 3 + 2];
    }
    sumSearch_ = pixels_ > 0 && pixels_ <= kLargestBoundedThumbnail;
    if (!sumSearch_) return;
    bySum_.resize(directory.size());
    std::iota(bySum_.begin(), bySum_.end(), 0);
    std::stable_sort(bySum_.begin(), bySum_.end(), [&](int32_t a, int32_t b) { return sums[a] < sums[b]; });
    sortedSums_.resize(directory.size());
    for (std::size_t i = 0; i < bySum_.size(); ++i) sortedSums_[i] = sums[static_cast<std::size_t>(bySum_[i])];
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

int32_t TileMatcher::SearchNearestSums(const CellSample& sample, int32_t hint) const {
    const unsigned char* bytes = sample.bytes.data();
    int64_t channels[3] = {0, 0, 0};
    for (int64_t k = 0; k < pixels_ * 3; ++k) channels[k % 3] += bytes[k];
    const int64_t total = channels[0] + channels[1] + channels[2];

    int64_t best = 1 + 3 * pixels_ * 65025;
    int32_t winner = -1;
    auto consider = [&](int32_t tile) {
        const int64_t d = BoundedDistance(bytes, tile, best);
        if (d < best || (d == best && tile < winner)) {
            best = d;
            winner = tile;
        }
    };
    if (hint >= 0 && hint < tileCount_) consider(hint);

    // A tile whose byte sum differs by δ is at least δ² / (3 × pixels) away,
    // and one whose channel sums differ by δc at least Σ δc² / pixels: it is
    // skipped when that bound exceeds the best distance (an equal bound may
    // still tie with an earlier tile).
    const int64_t n = static_cast<int64_t>(bySum_.size());
    int64_t up = std::lower_bound(sortedSums_.begin(), sortedSums_.end(), total) - sortedSums_.begin();
    int64_t down = up - 1;
    while (up < n || down >= 0) {
        const int64_t upGap = up < n ? sortedSums_[static_cast<std::size_t>(up)] - total : -1;
        const int64_t downGap = down >= 0 ? total - sortedSums_[static_cast<std::size_t>(down)] : -1;
        const bool goUp = downGap < 0 || (upGap >= 0 && upGap <= downGap);
        const int64_t gap = goUp ? upGap : downGap;
        if (Squared(gap) > 3 * pixels_ * best) {
            // Every tile further along this side is farther still.
            if (goUp) {
                up = n;
            } else {
                down = -1;
            }
            continue;
        }
        const int32_t tile = bySum_[static_cast<std::size_t>(goUp ? up++ : down--)];
        if (tile == hint) continue;
        const int64_t* sums = &channelSums_[static_cast<std::size_t>(tile) * 3];
        const int64_t bound =
            Squared(channels[0] - sums[0]) + Squared(channels[1] - sums[1]) + Squared(channels[2] - sums[2]);
        if (bound > pixels_ * best) continue;
        consider(tile);
    }
    return winner;
}

int32_t TileMatcher::BestTile(const CellSample& sample, int32_t hint) const {
    if (tileCount_ == 0) return -1;
    if (!sample.complete || !sumSearch_ || sample.bytes.size() < stride_) return SearchInOrder(sample);
    return SearchNearestSums(sample, hint);
}

}  // namespace patchwork
