// The banded march shared by DistanceTransform and Precision_Bevel.
//
// Seeds every pixel next to the 127.5 contour of a mask with the contour point
// of its cell, then spreads contour points outward in bands one pixel wide:
// each band reports the pending records nearer than the band limit, and each
// reported record offers its contour point to the three neighbours ahead of
// it in the direction it was reached from. Pixels of the output rectangle that
// the march never reaches are reported last, row by row, as simply inside or
// outside.
//
// Records live in one pooled array reused through a free list; the grid over
// the work rectangle points at each pixel's record or at one of two sentinels
// (unvisited, done). The grid is made in square tiles, each when a record
// first lands in it: a march reaches only the pixels near the contour, and on
// a large image filling a whole grid would cost more than the march itself. A
// cell of a tile not yet made is unvisited. The pending records form the active list, newest first,
// kept as an array of record pointers rather than a chain of links: every
// band walks the whole front, and an array walk can fetch the records ahead
// of it instead of waiting on each link in turn (twice as fast or better on
// large fronts). The order, and so every tie, is that of the linked list.
//
// `Pixel` is the owner's record type: x, y, contourX, contourY, distance,
// direction and next (the free-list link), plus an `inside` flag when the
// owner measures both sides.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "image/ContourIterator.h"
#include "image/Image.h"
#include "image/Progress.h"
#include "image/Rect.h"
#include "image/ResultCode.h"

// Asks for the cache line at `address` ahead of its use; a hint only.
inline void PrefetchForRead(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// Which pixels a march may create records for.
enum class MarchSides {
    kBoth,         // every pixel; each record keeps the side it was first offered with
    kInsideOnly,   // only pixels whose mask value is 128 or more
    kOutsideOnly,  // only pixels whose mask value is 127 or less (or beyond the mask copy)
};

// The rectangles a march works on, worked out by its owner.
struct MarchAreas {
    Rect output;    // pixels the hooks are called for
    Rect work;      // pixels that may hold a record; contains `output`
    Rect maskCopy;  // the part of the mask copied (0 elsewhere)
    Rect contour;   // cells searched for the contour
};

// ceil(maximumDistance) as a whole number of pixels, never negative and never
// larger than what could matter between the mask and the output rectangle.
int32_t MarchReach(double maximumDistance, const Rect& maskBounds, const Rect& output);
// `rect` grown by `by` on every side; an empty rectangle stays empty.
Rect GrownRect(const Rect& rect, int32_t by);
// The part of the mask a march reads: the output rectangle grown by `reach`,
// inside the mask's bounds, plus a one-pixel margin (empty when the mask does
// not come that near the output).
Rect MarchMaskCopyRect(const Rect& maskBounds, const Rect& output, int32_t reach);

// Neighbours a record spreads to, by the direction it was reached in: the
// pixel straight ahead and the two beside it, each offered with the direction
// of its own step.
struct MarchStep {
    int8_t dx;
    int8_t dy;
    int8_t direction;
};
inline constexpr MarchStep kMarchSteps[8][3] = {
    {{0, -1, 0}, {1, -1, 1}, {-1, -1, 7}},  // 0 N
    {{0, -1, 0}, {1, -1, 1}, {1, 0, 2}},    // 1 NE
    {{1, -1, 1}, {1, 0, 2}, {1, 1, 3}},     // 2 E
    {{1, 0, 2}, {1, 1, 3}, {0, 1, 4}},      // 3 SE
    {{1, 1, 3}, {0, 1, 4}, {-1, 1, 5}},     // 4 S
    {{0, 1, 4}, {-1, 1, 5}, {-1, 0, 6}},    // 5 SW
    {{-1, 1, 5}, {-1, 0, 6}, {-1, -1, 7}},  // 6 W
    {{0, -1, 0}, {-1, 0, 6}, {-1, -1, 7}},  // 7 NW
};
// The corners of a contour cell in order c0..c3, each seeded with the
// direction that points away from the cell.
inline constexpr MarchStep kCellCorners[4] = {{0, 0, 7}, {1, 0, 1}, {0, 1, 5}, {1, 1, 3}};

template <typename Pixel>
class MarchingFront {
public:
    static constexpr std::size_t kMinimumPoolCapacity = 10;
    static constexpr std::size_t kPrefetchAhead = 8;  // records fetched ahead of a walk

    MarchingFront() = default;
    MarchingFront(const MarchingFront&) = delete;
    MarchingFront& operator=(const MarchingFront&) = delete;

    // Copies the mask, allocates the grid (all unvisited) and the record pool.
    ResultCode Init(const SingleChannelImage<unsigned char>& mask, double maximumDistance, const MarchAreas& areas,
                    MarchSides sides);

    // Seeds, marches and reports the far pixels. `reportPixel(const Pixel&)`
    // is called once per record in the output rectangle; the output pixels
    // never reached go, row by row, left to right, in runs of neighbours on
    // the same side to `reportFar(int32_t y, int32_t left, int32_t right, bool
    // inside)` (right exclusive), unless `farPixels` is false (an owner that
    // does nothing with them). `abort` is asked once
    // per band and once per far row; -1 without a successful Init.
    template <typename ReportPixel, typename ReportFar>
    ResultCode Run(Abort_Tester& abort, ProgressUpdateSink* sink, double start, double end, ReportPixel&& reportPixel,
                   ReportFar&& reportFar, bool farPixels = true);

    double MaximumDistance() const { return maximumDistance_; }
    const Rect& OutputRect() const { return areas_.output; }
    std::size_t PoolCapacity() const { return capacity_; }

private:
    // Two-sided records carry the side they were first offered with.
    template <typename P, typename = void>
    struct KeepsSide : std::false_type {};
    template <typename P>
    struct KeepsSide<P, std::void_t<decltype(std::declval<P&>().inside)>> : std::true_type {};
    static constexpr bool kRecordsKeepSide = KeepsSide<Pixel>::value;

    // The run's progress range: seeding takes the first 30%, the march the
    // next 30% (by band), the far pixels the rest (by row).
    struct Progress {
        ProgressUpdateSink* sink;
        double start;
        double end;
        double Range() const { return end - start; }
        double SeedingEnd() const { return start + 0.3 * Range(); }
        double FarStart() const { return start + 0.6 * Range(); }
        void Report(double value) const {
            if (sink != nullptr) sink->Update(value);
        }
    };

    ResultCode Seed(ProgressUpdateSink* sink, double from, double to);
    template <typename ReportPixel>
    ResultCode March(Abort_Tester& abort, const Progress& progress, ReportPixel& reportPixel);
    template <typename ReportFar>
    ResultCode ReportFarPixels(Abort_Tester& abort, const Progress& progress, ReportFar& reportFar);

    ResultCode Offer(int32_t x, int32_t y, ContourPoint contour, bool inside, int32_t direction);
    ResultCode GrowPool();
    static bool AllocateLists(std::size_t capacity, std::unique_ptr<Pixel*[]>& active,
                              std::unique_ptr<Pixel*[]>& reported);

    static constexpr int32_t kTileShift = 5;  // tiles of 32 × 32 cells
    static constexpr int32_t kTileSide = 1 << kTileShift;
    static constexpr int32_t kTileMask = kTileSide - 1;

    // The tile holding (x, y) of the work rectangle, null when not made yet.
    Pixel** Tile(int32_t x, int32_t y) const {
        const int32_t u = x - areas_.work.left, v = y - areas_.work.top;
        return tiles_[static_cast<std::size_t>(v >> kTileShift) * tilesAcross_ +
                      static_cast<std::size_t>(u >> kTileShift)]
            .get();
    }
    static std::size_t CellInTile(int32_t x, int32_t y, const Rect& work) {
        return static_cast<std::size_t>(((y - work.top) & kTileMask) << kTileShift) +
               static_cast<std::size_t>((x - work.left) & kTileMask);
    }
    // The cell of (x, y), inside the work rectangle, or null when its tile
    // is not made yet (every cell of it unvisited).
    Pixel** FindCell(int32_t x, int32_t y) const {
        Pixel** tile = Tile(x, y);
        return tile == nullptr ? nullptr : tile + CellInTile(x, y, areas_.work);
    }
    // The same, making the tile when needed; null when memory runs out.
    Pixel** MakeCell(int32_t x, int32_t y);
    bool InWork(int32_t x, int32_t y) const {
        return static_cast<uint32_t>(x - areas_.work.left) < static_cast<uint32_t>(areas_.work.Width()) &&
               static_cast<uint32_t>(y - areas_.work.top) < static_cast<uint32_t>(areas_.work.Height());
    }
    // The first x in [from, to) whose side differs from `inside`, else `to`;
    // the mask row covers [maskLeft, maskRight) and is 0 beyond it. Inside is
    // a value above 127, its top bit, so whole words are tested at once
    // across the long runs of a large selection.
    static int32_t NextSideChange(const unsigned char* maskRow, int32_t maskLeft, int32_t maskRight, int32_t from,
                                  int32_t to, bool inside) {
        static_assert(ContourIterator::kLevel == 127, "the side of a value is its top bit");
        if (from < maskLeft) {
            if (inside) return from;
            from = std::min(to, maskLeft);
        }
        const int32_t maskedTo = std::min(to, maskRight);
        constexpr uint64_t kTopBits = 0x8080808080808080u;
        const uint64_t same = inside ? kTopBits : 0u;
        int32_t x = from;
        for (; x + 8 <= maskedTo; x += 8) {
            uint64_t word;
            std::memcpy(&word, maskRow + (x - maskLeft), sizeof word);
            if ((word & kTopBits) != same) break;
        }
        for (; x < maskedTo; ++x) {
            if ((maskRow[x - maskLeft] > ContourIterator::kLevel) != inside) return x;
        }
        if (x < to && inside) return x;  // past the mask: outside
        return to;
    }
    // The mask copy at (x, y); 0 beyond it.
    unsigned char MaskAt(int32_t x, int32_t y) const {
        if (!areas_.maskCopy.Contains(Point{x, y})) return 0;
        return maskCopy_.data[static_cast<std::ptrdiff_t>(y - areas_.maskCopy.top) * maskCopy_.rowStride +
                              (x - areas_.maskCopy.left)];
    }

    double maximumDistance_ = 0.0;
    MarchAreas areas_;
    MarchSides sides_ = MarchSides::kBoth;
    bool initialised_ = false;

    SingleChannelImage<unsigned char> maskCopy_;
    // The work rectangle's cells, tile by tile, row by row: a record,
    // &unvisited_ or &done_.
    std::vector<std::unique_ptr<Pixel*[]>> tiles_;
    std::size_t tilesAcross_ = 0;
    Pixel unvisited_{};
    Pixel done_{};

    std::unique_ptr<Pixel[]> pool_;
    std::size_t capacity_ = 0;
    std::size_t workArea_ = 0;
    Pixel* free_ = nullptr;
    // The active list, oldest first: its head is the last entry, so a new
    // record is appended and a walk from the head runs downward.
    std::unique_ptr<Pixel*[]> active_;
    std::size_t activeCount_ = 0;
    // The records reported in the current band, head first; each is freed
    // once it has spread.
    std::unique_ptr<Pixel*[]> reported_;
    std::size_t reportedCount_ = 0;
};

template <typename Pixel>
ResultCode MarchingFront<Pixel>::Init(const SingleChannelImage<unsigned char>& mask, double maximumDistance,
                                      const MarchAreas& areas, MarchSides sides) {
    initialised_ = false;
    free_ = nullptr;
    activeCount_ = reportedCount_ = 0;
    pool_.reset();
    capacity_ = 0;
    // A maximum that is NaN or negative takes in nothing, like 0 (no contour
    // point lies on a pixel); left as it is, NaN would let every offer in.
    maximumDistance_ = maximumDistance >= 0.0 ? maximumDistance : 0.0;
    areas_ = areas;
    sides_ = sides;

    // Grid: no tile made yet, so every cell unvisited.
    workArea_ = areas.work.IsEmpty()
                    ? 0
                    : static_cast<std::size_t>(areas.work.Width()) * static_cast<std::size_t>(areas.work.Height());
    tiles_.clear();
    tilesAcross_ = areas.work.IsEmpty() ? 0 : static_cast<std::size_t>(areas.work.Width() + kTileMask) >> kTileShift;
    const std::size_t tilesDown =
        areas.work.IsEmpty() ? 0 : static_cast<std::size_t>(areas.work.Height() + kTileMask) >> kTileShift;
    try {
        tiles_.resize(tilesAcross_ * tilesDown);
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }

    // Mask copy: 0 wherever the mask has no data.
    ResultCode result;
    maskCopy_ = SingleChannelImage<unsigned char>(areas.maskCopy, result);
    if (result.IsFailure()) return result;
    const Rect common = Rect::Intersect(areas.maskCopy, mask.bounds);
    if (!common.IsEmpty() && mask.HasData()) {
        for (int32_t y = common.top; y < common.bottom; ++y) {
            const Point from{common.left, y};
            std::copy_n(mask.PixelAddress(from), common.Width(), maskCopy_.PixelAddress(from));
        }
    }

    // Pool: one record per hundred work pixels to start with, all free.
    capacity_ = std::max(kMinimumPoolCapacity, workArea_ / 100);
    pool_.reset(new (std::nothrow) Pixel[capacity_]());
    if (pool_ == nullptr || !AllocateLists(capacity_, active_, reported_)) {
        capacity_ = 0;
        return ResultCode::OutOfMemory();
    }
    for (std::size_t i = 0; i + 1 < capacity_; ++i) pool_[i].next = &pool_[i + 1];
    pool_[capacity_ - 1].next = nullptr;
    free_ = &pool_[0];
    initialised_ = true;
    return ResultCode::Success();
}

template <typename Pixel>
template <typename ReportPixel, typename ReportFar>
ResultCode MarchingFront<Pixel>::Run(Abort_Tester& abort, ProgressUpdateSink* sink, double start, double end,
                                     ReportPixel&& reportPixel, ReportFar&& reportFar, bool farPixels) {
    if (!initialised_) return ResultCode::Failure();
    const Progress progress{sink, start, end};
    ResultCode result = Seed(sink, start, progress.SeedingEnd());
    if (result.IsFailure()) return result;
    result = March(abort, progress, reportPixel);
    if (result.IsFailure() || !farPixels) return result;
    return ReportFarPixels(abort, progress, reportFar);
}

template <typename Pixel>
ResultCode MarchingFront<Pixel>::Seed(ProgressUpdateSink* sink, double from, double to) {
    ContourIterator cells(maskCopy_);
    for (cells.Begin(areas_.contour, sink, from, to); cells.IsValid(); cells.Next()) {
        const Point cell = cells.Cell();
        const ContourPoint contour = cells.CellContourPoint();
        for (int corner = 0; corner < 4; ++corner) {
            const bool inside = cells.CornerInside(corner);
            if ((sides_ == MarchSides::kInsideOnly && !inside) || (sides_ == MarchSides::kOutsideOnly && inside)) {
                continue;
            }
            const MarchStep& step = kCellCorners[corner];
            const ResultCode result = Offer(cell.x + step.dx, cell.y + step.dy, contour, inside, step.direction);
            if (result.IsFailure()) return result;
        }
    }
    return ResultCode::Success();
}

template <typename Pixel>
template <typename ReportPixel>
ResultCode MarchingFront<Pixel>::March(Abort_Tester& abort, const Progress& progress, ReportPixel& reportPixel) {
    const double bandShare = 0.3 * progress.Range();
    for (double limit = 1.0; activeCount_ > 0; limit += 1.0) {
        const double reached = maximumDistance_ > 0.0 ? std::clamp((limit - 1.0) / maximumDistance_, 0.0, 1.0) : 1.0;
        progress.Report(progress.SeedingEnd() + reached * bandShare);
        if (abort.IsAborted()) return ResultCode::Cancelled();

        // Report every record nearer than the band limit (its distance is
        // final) and move it to the reported list; close up the rest.
        std::size_t kept = activeCount_;
        for (std::size_t i = activeCount_; i-- > 0;) {
            if (i >= kPrefetchAhead) PrefetchForRead(active_[i - kPrefetchAhead]);
            Pixel* record = active_[i];
            if (!(record->distance < limit)) {
                active_[--kept] = record;
                continue;
            }
            if (areas_.output.Contains(Point{record->x, record->y})) reportPixel(*record);
            *FindCell(record->x, record->y) = &done_;
            reported_[reportedCount_++] = record;
        }
        if (kept > 0) std::copy(active_.get() + kept, active_.get() + activeCount_, active_.get());
        activeCount_ -= kept;

        // Spread the reported records, head first. New records go to the head
        // of the active list and wait for the next band. An offer may move the
        // pool, and the lists' pointers with it.
        for (std::size_t i = 0; i < reportedCount_; ++i) {
            if (i + kPrefetchAhead < reportedCount_) PrefetchForRead(reported_[i + kPrefetchAhead]);
            const Pixel& record = *reported_[i];
            const int32_t x = record.x, y = record.y, direction = record.direction;
            const ContourPoint contour{record.contourX, record.contourY};
            bool inside = false;
            if constexpr (kRecordsKeepSide) inside = record.inside != 0;
            for (const MarchStep& step : kMarchSteps[direction]) {
                const ResultCode result = Offer(x + step.dx, y + step.dy, contour, inside, step.direction);
                if (result.IsFailure()) {
                    reportedCount_ = 0;
                    return result;
                }
            }
            reported_[i]->next = free_;
            free_ = reported_[i];
        }
        reportedCount_ = 0;
    }
    return ResultCode::Success();
}

template <typename Pixel>
template <typename ReportFar>
ResultCode MarchingFront<Pixel>::ReportFarPixels(Abort_Tester& abort, const Progress& progress, ReportFar& reportFar) {
    const Rect& output = areas_.output;
    const Rect& maskCopy = areas_.maskCopy;
    const double farStart = progress.FarStart();
    for (int32_t y = output.top; y < output.bottom; ++y) {
        const double rowShare = static_cast<double>(y - output.top) / static_cast<double>(output.Height());
        progress.Report(farStart + rowShare * (progress.end - farStart));
        if (abort.IsAborted()) return ResultCode::Cancelled();
        // The mask row's columns [maskLeft, maskRight); outside them the mask is 0.
        const bool rowInMask = y >= maskCopy.top && y < maskCopy.bottom;
        const int32_t maskLeft = rowInMask ? maskCopy.left : output.right;
        const int32_t maskRight = rowInMask ? maskCopy.right : output.right;
        const unsigned char* maskRow =
            rowInMask ? maskCopy_.data + static_cast<std::ptrdiff_t>(y - maskCopy.top) * maskCopy_.rowStride : nullptr;
        auto insideAt = [&](int32_t x) {
            return x >= maskLeft && x < maskRight && maskRow[x - maskLeft] > ContourIterator::kLevel;
        };
        int32_t runStart = output.left;
        bool runOpen = false;
        bool runInside = false;
        for (int32_t x = output.left; x < output.right;) {
            const int32_t tileEnd =
                std::min(output.right, areas_.work.left + (((x - areas_.work.left) >> kTileShift) + 1) * kTileSide);
            Pixel* const* tile = Tile(x, y);
            if (tile == nullptr) {
                // A tile never made holds no visited cell: the run goes on
                // while the side stays the same.
                if (runOpen && insideAt(x) != runInside) {
                    reportFar(y, runStart, x, runInside);
                    runOpen = false;
                }
                if (!runOpen) {
                    runStart = x;
                    runInside = insideAt(x);
                    runOpen = true;
                }
                for (++x; x < tileEnd;) {
                    x = NextSideChange(maskRow, maskLeft, maskRight, x, tileEnd, runInside);
                    if (x < tileEnd) {
                        reportFar(y, runStart, x, runInside);
                        runStart = x;
                        runInside = !runInside;
                    }
                }
                continue;
            }
            for (; x < tileEnd; ++x) {
                const bool unvisited = tile[CellInTile(x, y, areas_.work)] == &unvisited_;
                const bool inside = unvisited && insideAt(x);
                if (runOpen && (!unvisited || inside != runInside)) {
                    reportFar(y, runStart, x, runInside);
                    runOpen = false;
                }
                if (unvisited && !runOpen) {
                    runStart = x;
                    runInside = inside;
                    runOpen = true;
                }
            }
        }
        if (runOpen) reportFar(y, runStart, output.right, runInside);
    }
    return ResultCode::Success();
}

template <typename Pixel>
ResultCode MarchingFront<Pixel>::Offer(int32_t x, int32_t y, ContourPoint contour, bool inside, int32_t direction) {
    if (!InWork(x, y)) return ResultCode::Success();
    Pixel** cell = FindCell(x, y);
    Pixel* record = cell != nullptr ? *cell : &unvisited_;
    if (record == &done_) return ResultCode::Success();
    const double dx = x - contour.x;
    const double dy = y - contour.y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance > maximumDistance_) return ResultCode::Success();

    if (record != &unvisited_) {
        // Ties keep the earlier offer; a record keeps its side.
        if (distance < record->distance) {
            record->contourX = contour.x;
            record->contourY = contour.y;
            record->distance = distance;
            record->direction = direction;
        }
        return ResultCode::Success();
    }

    if (sides_ != MarchSides::kBoth &&
        (MaskAt(x, y) > ContourIterator::kLevel) != (sides_ == MarchSides::kInsideOnly)) {
        return ResultCode::Success();
    }
    if (cell == nullptr) {
        cell = MakeCell(x, y);
        if (cell == nullptr) return ResultCode::OutOfMemory();
    }
    if (free_ == nullptr) {
        const ResultCode grown = GrowPool();
        if (grown.IsFailure()) return grown;
    }
    record = free_;
    free_ = record->next;
    if constexpr (kRecordsKeepSide) record->inside = inside ? 1 : 0;
    record->x = x;
    record->y = y;
    record->contourX = contour.x;
    record->contourY = contour.y;
    record->distance = distance;
    record->direction = direction;
    record->next = nullptr;
    active_[activeCount_++] = record;
    *cell = record;
    return ResultCode::Success();
}

template <typename Pixel>
ResultCode MarchingFront<Pixel>::GrowPool() {
    // Every work pixel holds at most one live record, so the pool never needs
    // more than the work area.
    const std::size_t grownCapacity = std::min(workArea_, 2 * capacity_);
    if (grownCapacity <= capacity_) return ResultCode::OutOfMemory();
    // Allocate everything first, so that a failure leaves the march as it was.
    std::unique_ptr<Pixel[]> grown(new (std::nothrow) Pixel[grownCapacity]());
    std::unique_ptr<Pixel*[]> active, reported;
    if (grown == nullptr || !AllocateLists(grownCapacity, active, reported)) return ResultCode::OutOfMemory();

    Pixel* const oldBegin = pool_.get();
    Pixel* const oldEnd = oldBegin + capacity_;
    auto moved = [&](Pixel* p) -> Pixel* {
        const std::less<const Pixel*> before;
        return (!before(p, oldBegin) && before(p, oldEnd)) ? grown.get() + (p - oldBegin) : p;
    };
    for (std::size_t i = 0; i < capacity_; ++i) {
        Pixel& copy = grown[i];
        copy = oldBegin[i];
        copy.next = moved(copy.next);
        // The grid points at records still pending; done cells stay done.
        if (InWork(copy.x, copy.y)) {
            Pixel** cell = FindCell(copy.x, copy.y);
            if (cell != nullptr && *cell == &oldBegin[i]) *cell = &copy;
        }
    }
    std::transform(active_.get(), active_.get() + activeCount_, active.get(), moved);
    std::transform(reported_.get(), reported_.get() + reportedCount_, reported.get(), moved);
    active_ = std::move(active);
    reported_ = std::move(reported);
    free_ = moved(free_);

    for (std::size_t i = capacity_; i + 1 < grownCapacity; ++i) grown[i].next = &grown[i + 1];
    grown[grownCapacity - 1].next = free_;
    free_ = &grown[capacity_];
    capacity_ = grownCapacity;
    pool_ = std::move(grown);
    return ResultCode::Success();
}

template <typename Pixel>
Pixel** MarchingFront<Pixel>::MakeCell(int32_t x, int32_t y) {
    std::unique_ptr<Pixel*[]>& tile =
        tiles_[static_cast<std::size_t>((y - areas_.work.top) >> kTileShift) * tilesAcross_ +
               static_cast<std::size_t>((x - areas_.work.left) >> kTileShift)];
    if (tile == nullptr) {
        tile.reset(new (std::nothrow) Pixel*[kTileSide * kTileSide]);
        if (tile == nullptr) return nullptr;
        std::fill(tile.get(), tile.get() + kTileSide * kTileSide, &unvisited_);
    }
    return tile.get() + CellInTile(x, y, areas_.work);
}

template <typename Pixel>
bool MarchingFront<Pixel>::AllocateLists(std::size_t capacity, std::unique_ptr<Pixel*[]>& active,
                                         std::unique_ptr<Pixel*[]>& reported) {
    // Each live record is on at most one of the two lists.
    active.reset(new (std::nothrow) Pixel*[capacity]);
    reported.reset(new (std::nothrow) Pixel*[capacity]);
    return active != nullptr && reported != nullptr;
}
