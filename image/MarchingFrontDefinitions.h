// The member definitions of MarchingFront (image/MarchingFront.h), kept out
// of its header so that the files that only name a march do not compile
// one. Included by the sources of its two owners, DistanceTransform.cpp and
// PrecisionBevel.cpp, where its instances are made.
//
// The work rectangle is cut in two halves, above and below a row near the
// contour's middle. Each half has its own records, in a pool handed out in
// turn and then reused through a free list; a record is known by its index
// (its half in the top bit), so growing a pool moves no reference. While a
// band spreads, each half takes the offers to its own pixels, in the order of
// the reported list, on a thread of its own; the new records are then put on
// the active list in the order of the offers that made them. No pixel,
// record or tile is touched by both halves, and every pixel sees its offers
// in the order one thread would make them, so the march is the same on any
// number of threads.
//
// The grid over the work rectangle holds each pixel's record index or one of
// two marks (unvisited, done). It is made in square tiles, each when a record
// first lands in it: a march reaches only the pixels near the contour, and on
// a large image filling a whole grid would cost more than the march itself. A
// cell of a tile not yet made is unvisited. Within a tile the cells lie in
// 4 x 4 blocks of one cache line each: a band moves the front one pixel
// outward, whichever way the edge runs, so mostly within the lines the band
// before it touched. The pending records form the active list, newest first,
// kept as an array rather than a chain of links: every band walks the whole
// front, and an array walk can fetch the records ahead of it instead of
// waiting on each link in turn. The order, and so every tie, is that of the
// linked list.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

#include "image/MarchingFront.h"
#include "image/Parallel.h"

// Asks for the cache line at `address` ahead of its use; a hint only.
inline void PrefetchForRead(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

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

// Two-sided records carry the side they were first offered with.
template <typename P, typename = void>
struct MarchRecordKeepsSide : std::false_type {};
template <typename P>
struct MarchRecordKeepsSide<P, std::void_t<decltype(std::declval<P&>().inside)>> : std::true_type {};

// The run's progress range: seeding takes the first 30%, the march the
// next 30% (by band), the far pixels the rest (by row).
template <typename Pixel>
struct MarchingFront<Pixel>::Progress {
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

template <typename Pixel>
inline typename MarchingFront<Pixel>::Half& MarchingFront<Pixel>::HalfOf(int32_t y) {
    return halves_[y >= splitRow_ ? 1 : 0];
}

template <typename Pixel>
inline Pixel& MarchingFront<Pixel>::Record(Index index) {
    return halves_[index >> 31].pool[index & (kLowerHalf - 1)];
}

template <typename Pixel>
inline void MarchingFront<Pixel>::Free(Index index) {
    Half& half = halves_[index >> 31];
    Record(index).next = half.free;
    half.free = index;
    ++half.freeCount;
}

template <typename Pixel>
inline typename MarchingFront<Pixel>::Index* MarchingFront<Pixel>::Tile(int32_t x, int32_t y) const {
    const int32_t u = x - areas_.work.left, v = y - areas_.work.top;
    return tiles_[static_cast<std::size_t>(v >> kTileShift) * tilesAcross_ + static_cast<std::size_t>(u >> kTileShift)]
        .get();
}

template <typename Pixel>
inline std::size_t MarchingFront<Pixel>::CellInTile(int32_t x, int32_t y, const Rect& work) {
    const int32_t u = (x - work.left) & kTileMask, v = (y - work.top) & kTileMask;
    const int32_t block = ((v >> kBlockShift) << kBlocksAcrossShift) | (u >> kBlockShift);
    return static_cast<std::size_t>((block << (2 * kBlockShift)) | ((v & kBlockMask) << kBlockShift) |
                                    (u & kBlockMask));
}

template <typename Pixel>
inline typename MarchingFront<Pixel>::Index* MarchingFront<Pixel>::FindCell(int32_t x, int32_t y) const {
    Index* tile = Tile(x, y);
    return tile == nullptr ? nullptr : tile + CellInTile(x, y, areas_.work);
}

template <typename Pixel>
inline bool MarchingFront<Pixel>::InWork(int32_t x, int32_t y) const {
    return static_cast<uint32_t>(x - areas_.work.left) < static_cast<uint32_t>(areas_.work.Width()) &&
           static_cast<uint32_t>(y - areas_.work.top) < static_cast<uint32_t>(areas_.work.Height());
}

template <typename Pixel>
inline int32_t MarchingFront<Pixel>::NextSideChange(const unsigned char* maskRow, int32_t maskLeft, int32_t maskRight,
                                                    int32_t from, int32_t to, bool inside) {
    static_assert(ContourIterator::kLevel == 127, "the side of a value is its top bit");
    if (from < maskLeft) {
        if (inside) return from;
        from = std::min(to, maskLeft);
    }
    const int32_t maskedTo = std::min(to, maskRight);
    constexpr uint64_t kTopBits = 0x8080808080808080u;
    const uint64_t same = inside ? kTopBits : 0u;
    auto word = [&](int32_t at) {
        uint64_t bits;
        std::memcpy(&bits, maskRow + (at - maskLeft), sizeof bits);
        return bits & kTopBits;
    };
    int32_t x = from;
    // Four words a step across the long runs, then word by word.
    for (; x + 32 <= maskedTo; x += 32) {
        const uint64_t all = word(x) & word(x + 8) & word(x + 16) & word(x + 24);
        const uint64_t any = word(x) | word(x + 8) | word(x + 16) | word(x + 24);
        if ((inside ? all : any) != same) break;
    }
    for (; x + 8 <= maskedTo; x += 8) {
        if (word(x) != same) break;
    }
    for (; x < maskedTo; ++x) {
        if ((maskRow[x - maskLeft] > ContourIterator::kLevel) != inside) return x;
    }
    if (x < to && inside) return x;  // past the mask: outside
    return to;
}

template <typename Pixel>
inline unsigned char MarchingFront<Pixel>::MaskAt(int32_t x, int32_t y) const {
    if (!areas_.maskCopy.Contains(Point{x, y})) return 0;
    return maskCopy_
        .data[static_cast<std::ptrdiff_t>(y - areas_.maskCopy.top) * maskCopy_.rowStride + (x - areas_.maskCopy.left)];
}
template <typename Pixel>
ResultCode MarchingFront<Pixel>::Init(const SingleChannelImage<unsigned char>& mask, double maximumDistance,
                                      const MarchAreas& areas, MarchSides sides) {
    initialised_ = false;
    active_.clear();
    meeting_.clear();
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
    tilesAcross_ = areas.work.IsEmpty() ? 0 : static_cast<std::size_t>(CeilDiv(areas.work.Width(), kTileSide));
    const std::size_t tilesDown =
        areas.work.IsEmpty() ? 0 : static_cast<std::size_t>(CeilDiv(areas.work.Height(), kTileSide));
    try {
        tiles_.resize(tilesAcross_ * tilesDown);
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }

    // Mask copy: 0 wherever the mask has no data. Written row by row on the
    // worker threads: on a large image the copy, and the first touch of its
    // memory, cost as much as a quarter of the march.
    maskCopy_ = SingleChannelImage<unsigned char>();
    maskBuffer_.reset();
    if (!areas.maskCopy.IsEmpty()) {
        const std::size_t width = static_cast<std::size_t>(areas.maskCopy.Width());
        maskBuffer_.reset(new (std::nothrow) unsigned char[width * static_cast<std::size_t>(areas.maskCopy.Height())]);
        if (maskBuffer_ == nullptr) return ResultCode::OutOfMemory();
        maskCopy_ = SingleChannelImage<unsigned char>(areas.maskCopy, maskBuffer_.get(), 0);
        const Rect common = mask.HasData() ? Rect::Intersect(areas.maskCopy, mask.bounds) : Rect();
        ParallelRows(areas.maskCopy, [&](int32_t first, int32_t end) {
            for (int32_t y = first; y < end; ++y) {
                unsigned char* row = maskCopy_.PixelAddress(Point{areas.maskCopy.left, y});
                if (common.IsEmpty() || y < common.top || y >= common.bottom) {
                    std::fill_n(row, width, 0);
                    continue;
                }
                std::fill_n(row, common.left - areas.maskCopy.left, 0);
                std::copy_n(mask.PixelAddress(Point{common.left, y}), common.Width(),
                            row + (common.left - areas.maskCopy.left));
                std::fill_n(row + (common.right - areas.maskCopy.left), areas.maskCopy.right - common.right, 0);
            }
        });
    }

    // The halves meet on a tile boundary near the middle of the contour's
    // rows, so that each half makes its own tiles and, on the usual
    // selection, has about half the front.
    const Rect contourRows = Rect::Intersect(areas.contour, areas.work);
    const int32_t middle = contourRows.IsEmpty() ? areas.work.top : contourRows.top + contourRows.Height() / 2;
    splitRow_ = areas.work.top + (((middle - areas.work.top) + kTileSide / 2) >> kTileShift) * kTileSide;

    // Pools: one record per hundred work pixels to start with, shared by the
    // halves, none handed out.
    static_assert(std::is_trivially_default_constructible_v<Pixel>, "records are written before they are read");
    for (int h = 0; h < 2; ++h) {
        Half& half = halves_[h];
        half.tag = h == 0 ? 0 : kLowerHalf;
        half.handedOut = 0;
        half.free = kNoRecord;
        half.freeCount = 0;
        half.added.clear();
        half.capacity = std::min(kMostRecordsPerHalf, std::max(kMinimumPoolCapacity / 2, workArea_ / 200));
        half.pool.reset(new (std::nothrow) Pixel[half.capacity]);
        if (half.pool == nullptr) {
            halves_[0].capacity = halves_[1].capacity = 0;
            return ResultCode::OutOfMemory();
        }
    }
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
    uint64_t offer = 0;
    try {
        for (cells.Begin(areas_.contour, sink, from, to); cells.IsValid(); cells.Next()) {
            const Point cell = cells.Cell();
            const ContourPoint contour = cells.CellContourPoint();
            for (int corner = 0; corner < 4; ++corner) {
                const bool inside = cells.CornerInside(corner);
                if ((sides_ == MarchSides::kInsideOnly && !inside) || (sides_ == MarchSides::kOutsideOnly && inside)) {
                    continue;
                }
                const MarchStep& step = kCellCorners[corner];
                const int32_t x = cell.x + step.dx, y = cell.y + step.dy;
                if (!InWork(x, y)) continue;
                const ResultCode result = Offer(HalfOf(y), x, y, contour, inside, step.direction, offer++);
                if (result.IsFailure()) return result;
            }
        }
        MergeNewRecords();
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
    return ResultCode::Success();
}

template <typename Pixel>
template <typename ReportPixel>
ResultCode MarchingFront<Pixel>::March(Abort_Tester& abort, const Progress& progress, ReportPixel& reportPixel) {
    const double bandShare = 0.3 * progress.Range();
    for (double limit = 1.0; !active_.empty(); limit += 1.0) {
        const double reached = maximumDistance_ > 0.0 ? std::clamp((limit - 1.0) / maximumDistance_, 0.0, 1.0) : 1.0;
        progress.Report(progress.SeedingEnd() + reached * bandShare);
        if (abort.IsAborted()) return ResultCode::Cancelled();

        // Report every record nearer than the band limit (its distance is
        // final) and hand it to the halves its offers reach; close up the
        // rest. A record offers to the rows next to its own.
        meeting_.clear();
        uint32_t reported = 0;
        try {
            for (Half& half : halves_) half.spreading.clear();
            std::size_t kept = active_.size();
            for (std::size_t i = active_.size(); i-- > 0;) {
                if (i >= kPrefetchAhead) PrefetchForRead(&Record(active_[i - kPrefetchAhead]));
                const Index index = active_[i];
                const Pixel& record = Record(index);
                if (!(record.distance < limit)) {
                    active_[--kept] = index;
                    continue;
                }
                if (areas_.output.Contains(Point{record.x, record.y})) reportPixel(record);
                const bool reachesUpper = record.y <= splitRow_, reachesLower = record.y >= splitRow_ - 1;
                const Spreading spreading{reported, index, record.x, record.y};
                if (reachesUpper) halves_[0].spreading.push_back(spreading);
                if (reachesLower) halves_[1].spreading.push_back(spreading);
                if (reachesUpper && reachesLower) meeting_.push_back(index);
                ++reported;
            }
            active_.erase(active_.begin(), active_.begin() + static_cast<std::ptrdiff_t>(kept));
        } catch (const std::bad_alloc&) {
            return ResultCode::OutOfMemory();
        }
        // Room in each pool for every offer the free records cannot take, so
        // that no pool moves while the other half may read its records.
        bool poolsReady = true;
        for (Half& half : halves_) {
            const std::size_t offers = 3 * half.spreading.size();
            const std::size_t least = half.handedOut + (offers > half.freeCount ? offers - half.freeCount : 0);
            if (least > half.capacity && GrowPool(half, least).IsFailure()) poolsReady = false;
        }

        // Spread, each half on its own thread when the band is large and no
        // pool may have to grow meanwhile. New records wait on the head of
        // the active list for the next band.
        ResultCode spread[2];
        auto spreadHalf = [&](int64_t h, int64_t) {
            try {
                spread[h] = Spread(halves_[h]);
            } catch (const std::bad_alloc&) {  // a list of new records could not grow
                spread[h] = ResultCode::OutOfMemory();
            }
        };
        if (poolsReady && reported >= kParallelSpreadRecords) {
            const ResultCode looped = ParallelChunks(2, 1, spreadHalf);
            if (looped.IsFailure()) return looped;
        } else {
            spreadHalf(0, 1);
            spreadHalf(1, 2);
        }
        for (const ResultCode& result : spread) {
            if (result.IsFailure()) return result;
        }
        for (const Index index : meeting_) Free(index);
        try {
            MergeNewRecords();
        } catch (const std::bad_alloc&) {
            return ResultCode::OutOfMemory();
        }
    }
    return ResultCode::Success();
}

template <typename Pixel>
ResultCode MarchingFront<Pixel>::Spread(Half& half) {
    const bool lower = half.tag != 0;
    auto ownPixel = [&](int32_t y) { return (y >= splitRow_) == lower; };
    // Every reported pixel of the half is done before its first offer.
    for (const Spreading& entry : half.spreading) {
        if (ownPixel(entry.y)) *FindCell(entry.x, entry.y) = kDone;
    }
    for (std::size_t i = 0; i < half.spreading.size(); ++i) {
        if (i + kPrefetchAhead < half.spreading.size()) {
            PrefetchForRead(&Record(half.spreading[i + kPrefetchAhead].index));
        }
        const auto [position, index, x, y] = half.spreading[i];
        const Pixel& record = Record(index);
        const int32_t direction = record.direction;
        const ContourPoint contour{record.contourX, record.contourY};
        bool inside = false;
        if constexpr (MarchRecordKeepsSide<Pixel>::value) inside = record.inside != 0;
        for (int k = 0; k < 3; ++k) {
            const MarchStep& step = kMarchSteps[direction][k];
            const int32_t toX = x + step.dx, toY = y + step.dy;
            if (!ownPixel(toY) || !InWork(toX, toY)) continue;
            const ResultCode result =
                Offer(half, toX, toY, contour, inside, step.direction, 3 * uint64_t{position} + k);
            if (result.IsFailure()) return result;
        }
        // A record only this half reads is free for the half's next offers.
        if (lower ? y > splitRow_ : y < splitRow_ - 1) Free(index);
    }
    return ResultCode::Success();
}

template <typename Pixel>
void MarchingFront<Pixel>::MergeNewRecords() {
    std::vector<NewRecord>& upper = halves_[0].added;
    std::vector<NewRecord>& lower = halves_[1].added;
    active_.reserve(active_.size() + upper.size() + lower.size());
    std::size_t u = 0, l = 0;
    while (u < upper.size() || l < lower.size()) {
        const bool fromUpper = l == lower.size() || (u < upper.size() && upper[u].offer < lower[l].offer);
        active_.push_back(fromUpper ? upper[u++].index : lower[l++].index);
    }
    upper.clear();
    lower.clear();
}

template <typename Pixel>
template <typename ReportFar>
ResultCode MarchingFront<Pixel>::ReportFarPixels(Abort_Tester& abort, const Progress& progress, ReportFar& reportFar) {
    // Rows are scanned for their runs on the worker threads, a block at a
    // time, and handed over in order on this thread; the scan only reads.
    const Rect& output = areas_.output;
    const double farStart = progress.FarStart();
    constexpr int32_t kChunkRows = 16;
    constexpr int32_t kBlockChunks = 16;
    std::vector<FarRun> runs[kBlockChunks];
    for (int32_t blockTop = output.top; blockTop < output.bottom; blockTop += kChunkRows * kBlockChunks) {
        const int32_t blockRows = std::min(output.bottom - blockTop, kChunkRows * kBlockChunks);
        const int32_t chunks = CeilDiv(blockRows, kChunkRows);
        const ResultCode scanned = ParallelChunks(chunks, 1, [&](int64_t chunk, int64_t) {
            const int32_t top = blockTop + static_cast<int32_t>(chunk) * kChunkRows;
            std::vector<FarRun>& found = runs[chunk];
            found.clear();
            for (int32_t y = top; y < std::min(top + kChunkRows, output.bottom); ++y) ScanFarRow(y, found);
        });
        if (scanned.IsFailure()) return scanned;
        for (int32_t chunk = 0; chunk < chunks; ++chunk) {
            const int32_t top = blockTop + chunk * kChunkRows;
            auto run = runs[chunk].cbegin();
            for (int32_t y = top; y < std::min(top + kChunkRows, output.bottom); ++y) {
                const double rowShare = static_cast<double>(y - output.top) / static_cast<double>(output.Height());
                progress.Report(farStart + rowShare * (progress.end - farStart));
                if (abort.IsAborted()) return ResultCode::Cancelled();
                for (; run != runs[chunk].cend() && run->y == y; ++run)
                    reportFar(y, run->left, run->right, run->inside);
            }
        }
    }
    return ResultCode::Success();
}

template <typename Pixel>
void MarchingFront<Pixel>::ScanFarRow(int32_t y, std::vector<FarRun>& found) const {
    const Rect& output = areas_.output;
    const Rect& maskCopy = areas_.maskCopy;
    // The mask row's columns [maskLeft, maskRight); outside them the mask is 0.
    const bool rowInMask = y >= maskCopy.top && y < maskCopy.bottom;
    const int32_t maskLeft = rowInMask ? maskCopy.left : output.right;
    const int32_t maskRight = rowInMask ? maskCopy.right : output.right;
    const unsigned char* maskRow =
        rowInMask ? maskCopy_.data + static_cast<std::ptrdiff_t>(y - maskCopy.top) * maskCopy_.rowStride : nullptr;
    auto insideAt = [&](int32_t x) {
        return x >= maskLeft && x < maskRight && maskRow[x - maskLeft] > ContourIterator::kLevel;
    };
    auto add = [&](int32_t left, int32_t right, bool inside) { found.push_back(FarRun{y, left, right, inside}); };
    int32_t runStart = output.left;
    bool runOpen = false;
    bool runInside = false;
    for (int32_t x = output.left; x < output.right;) {
        const int32_t tileEnd =
            std::min(output.right, areas_.work.left + (((x - areas_.work.left) >> kTileShift) + 1) * kTileSide);
        const Index* tile = Tile(x, y);
        if (tile == nullptr) {
            // A tile never made holds no visited cell: the run goes on
            // while the side stays the same.
            if (runOpen && insideAt(x) != runInside) {
                add(runStart, x, runInside);
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
                    add(runStart, x, runInside);
                    runStart = x;
                    runInside = !runInside;
                }
            }
            continue;
        }
        for (; x < tileEnd; ++x) {
            const bool unvisited = tile[CellInTile(x, y, areas_.work)] == kUnvisited;
            const bool inside = unvisited && insideAt(x);
            if (runOpen && (!unvisited || inside != runInside)) {
                add(runStart, x, runInside);
                runOpen = false;
            }
            if (unvisited && !runOpen) {
                runStart = x;
                runInside = inside;
                runOpen = true;
            }
        }
    }
    if (runOpen) add(runStart, output.right, runInside);
}

template <typename Pixel>
ResultCode MarchingFront<Pixel>::Offer(Half& half, int32_t x, int32_t y, ContourPoint contour, bool inside,
                                       int32_t direction, uint64_t offer) {
    Index* cell = FindCell(x, y);
    const Index held = cell != nullptr ? *cell : kUnvisited;
    if (held == kDone) return ResultCode::Success();
    const double dx = x - contour.x;
    const double dy = y - contour.y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance > maximumDistance_) return ResultCode::Success();

    if (held != kUnvisited) {
        // Ties keep the earlier offer; a record keeps its side.
        Pixel& record = half.pool[(held - kFirstRecord) & (kLowerHalf - 1)];
        if (distance < record.distance) {
            record.contourX = contour.x;
            record.contourY = contour.y;
            record.distance = distance;
            record.direction = static_cast<decltype(record.direction)>(direction);
        }
        return ResultCode::Success();
    }
    return AddRecord(half, x, y, cell, contour, distance, inside, direction, offer);
}

template <typename Pixel>
ResultCode MarchingFront<Pixel>::AddRecord(Half& half, int32_t x, int32_t y, Index* cell, ContourPoint contour,
                                           double distance, bool inside, int32_t direction, uint64_t offer) {
    if (sides_ != MarchSides::kBoth &&
        (MaskAt(x, y) > ContourIterator::kLevel) != (sides_ == MarchSides::kInsideOnly)) {
        return ResultCode::Success();
    }
    if (cell == nullptr) {
        cell = MakeCell(x, y);
        if (cell == nullptr) return ResultCode::OutOfMemory();
    }
    Index index;
    if (half.free != kNoRecord) {
        index = half.free;
        half.free = Record(index).next;
        --half.freeCount;
    } else {
        if (half.handedOut == half.capacity) {
            const ResultCode grown = GrowPool(half, half.capacity + 1);
            if (grown.IsFailure()) return grown;
        }
        index = half.tag | static_cast<Index>(half.handedOut++);
    }
    Pixel& record = Record(index);
    if constexpr (MarchRecordKeepsSide<Pixel>::value) record.inside = inside ? 1 : 0;
    record.x = x;
    record.y = y;
    record.contourX = contour.x;
    record.contourY = contour.y;
    record.distance = distance;
    record.direction = static_cast<decltype(record.direction)>(direction);
    record.next = kNoRecord;
    // Written field by field: a whole new entry copied in would be read back
    // before its parts were stored, stalling every new record.
    NewRecord& added = half.added.emplace_back();
    added.offer = offer;
    added.index = index;
    *cell = index + kFirstRecord;
    return ResultCode::Success();
}

template <typename Pixel>
ResultCode MarchingFront<Pixel>::GrowPool(Half& half, std::size_t least) {
    // Every work pixel holds at most one live record, so a pool never needs
    // more than the work area.
    const std::size_t grownCapacity = std::min({workArea_, std::max(least, 2 * half.capacity), kMostRecordsPerHalf});
    if (grownCapacity < least) return ResultCode::OutOfMemory();
    std::unique_ptr<Pixel[]> grown(new (std::nothrow) Pixel[grownCapacity]);
    if (grown == nullptr) return ResultCode::OutOfMemory();
    std::copy(half.pool.get(), half.pool.get() + half.handedOut, grown.get());
    half.pool = std::move(grown);
    half.capacity = grownCapacity;
    return ResultCode::Success();
}

template <typename Pixel>
typename MarchingFront<Pixel>::Index* MarchingFront<Pixel>::MakeCell(int32_t x, int32_t y) {
    std::unique_ptr<Index[]>& tile =
        tiles_[static_cast<std::size_t>((y - areas_.work.top) >> kTileShift) * tilesAcross_ +
               static_cast<std::size_t>((x - areas_.work.left) >> kTileShift)];
    if (tile == nullptr) {
        static_assert(kUnvisited == 0, "a new tile is all unvisited");
        tile.reset(new (std::nothrow) Index[kTileSide * kTileSide]());
        if (tile == nullptr) return nullptr;
    }
    return tile.get() + CellInTile(x, y, areas_.work);
}
