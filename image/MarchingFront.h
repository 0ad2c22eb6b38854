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
// A march runs the same on any number of threads: every pixel sees its
// offers in the order one thread would make them.
//
// `Pixel` is the owner's record type: x, y, contourX, contourY, distance,
// direction and next (the free-list link, a record index), plus an `inside`
// flag when the owner measures both sides. The member definitions are in
// image/MarchingFrontDefinitions.h, which only the owners' sources include.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "image/ContourIterator.h"
#include "image/Image.h"

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
// The part of the mask a march reads: the output rectangle grown by `reach`,
// inside the mask's bounds, plus a one-pixel margin (empty when the mask does
// not come that near the output).
Rect MarchMaskCopyRect(const Rect& maskBounds, const Rect& output, int32_t reach);

template <typename Pixel>
class MarchingFront {
public:
    static constexpr std::size_t kMinimumPoolCapacity = 10;
    static constexpr std::size_t kPrefetchAhead = 8;  // records fetched ahead of a walk

    MarchingFront() = default;
    MarchingFront(const MarchingFront&) = delete;
    MarchingFront& operator=(const MarchingFront&) = delete;

    // Copies the mask, allocates the grid (all unvisited) and the record pools.
    ResultCode Init(const SingleChannelImage<unsigned char>& mask, double maximumDistance, const MarchAreas& areas,
                    MarchSides sides);

    // Seeds, marches and reports the far pixels. `reportPixel(const Pixel&)`
    // is called once per record in the output rectangle; the output pixels
    // never reached go, row by row, left to right, in runs of neighbours on
    // the same side to `reportFar(int32_t y, int32_t left, int32_t right, bool
    // inside)` (right exclusive), unless `farPixels` is false (an owner that
    // does nothing with them). `abort` is asked once per band and once per
    // far row; -1 without a successful Init.
    template <typename ReportPixel, typename ReportFar>
    ResultCode Run(Abort_Tester& abort, ProgressUpdateSink* sink, double start, double end, ReportPixel&& reportPixel,
                   ReportFar&& reportFar, bool farPixels = true);

    double MaximumDistance() const { return maximumDistance_; }
    const Rect& OutputRect() const { return areas_.output; }
    std::size_t PoolCapacity() const { return halves_[0].capacity + halves_[1].capacity; }

private:
    // The run's progress range.
    struct Progress;

    ResultCode Seed(ProgressUpdateSink* sink, double from, double to);
    template <typename ReportPixel>
    ResultCode March(Abort_Tester& abort, const Progress& progress, ReportPixel& reportPixel);
    template <typename ReportFar>
    ResultCode ReportFarPixels(Abort_Tester& abort, const Progress& progress, ReportFar& reportFar);
    // Output pixels never reached, (left .. right − 1, y), all on one side.
    struct FarRun {
        int32_t y, left, right;
        bool inside;
    };
    // Appends row y's runs of pixels never reached, left to right.
    void ScanFarRow(int32_t y, std::vector<FarRun>& found) const;

    // A record index: the half the record belongs to in the top bit, its
    // place in that half's pool below. A grid cell holds one plus
    // kFirstRecord, or a mark.
    using Index = uint32_t;
    static constexpr Index kUnvisited = 0;
    static constexpr Index kDone = 1;
    static constexpr Index kFirstRecord = 2;
    static constexpr Index kNoRecord = UINT32_MAX;  // the end of a free list
    static constexpr Index kLowerHalf = Index{1} << 31;
    static constexpr std::size_t kMostRecordsPerHalf = kLowerHalf - 4;
    // Bands with fewer records to spread than this spread on one thread.
    static constexpr std::size_t kParallelSpreadRecords = 4096;

    // A reported record, its place in the reported list and its pixel.
    struct Spreading {
        uint32_t position;
        Index index;
        int32_t x, y;
    };
    // A new record and the number of the offer that made it: records are
    // made in the two halves at once and put on the active list in the
    // order one thread would have made them.
    struct NewRecord {
        uint64_t offer;
        Index index;
    };
    // A half of the work rectangle, the rows above splitRow_ or the rest,
    // with the records of its pixels. Each is written by its own thread, so
    // the two never share a cache line.
    struct alignas(64) Half {
        // Records [0, handedOut) have been in use; those free again are
        // chained from `free`. The rest are untouched, so a large pool costs
        // no more than the records a march needs.
        std::unique_ptr<Pixel[]> pool;
        std::size_t capacity = 0;
        std::size_t handedOut = 0;
        Index free = kNoRecord;
        std::size_t freeCount = 0;
        Index tag = 0;                     // kLowerHalf for the lower half
        std::vector<NewRecord> added;      // since the last merge, in order of offer
        std::vector<Spreading> spreading;  // this band's records whose offers reach the half
    };

    Half& HalfOf(int32_t y);
    Pixel& Record(Index index);
    // Puts a record on its half's free list.
    void Free(Index index);
    // Grows the pool of `half` to at least `least` records (at most double
    // when it can); -108 when it cannot grow that far.
    ResultCode GrowPool(Half& half, std::size_t least);
    // Offers `contour` to pixel (x, y) of `half`; every record spreads three
    // times, so it and the making of a new record are kept inline.
    [[gnu::always_inline]] inline ResultCode Offer(Half& half, int32_t x, int32_t y, ContourPoint contour, bool inside,
                                                   int32_t direction, uint64_t offer);
    [[gnu::always_inline]] inline ResultCode AddRecord(Half& half, int32_t x, int32_t y, Index* cell,
                                                       ContourPoint contour, double distance, bool inside,
                                                       int32_t direction, uint64_t offer);
    // Marks the half's reported pixels done and makes the offers of its
    // spreading list to its pixels; frees the records no other half reads.
    ResultCode Spread(Half& half);
    // Appends the records the halves made since the last merge to the active
    // list, in order of offer.
    void MergeNewRecords();

    static constexpr int32_t kTileShift = 5;  // tiles of 32 × 32 cells
    static constexpr int32_t kTileSide = 1 << kTileShift;
    static constexpr int32_t kTileMask = kTileSide - 1;
    static constexpr int32_t kBlockShift = 2;  // in blocks of 4 × 4 cells
    static constexpr int32_t kBlockMask = (1 << kBlockShift) - 1;
    static constexpr int32_t kBlocksAcrossShift = kTileShift - kBlockShift;

    // The tile holding (x, y) of the work rectangle, null when not made yet.
    Index* Tile(int32_t x, int32_t y) const;
    static std::size_t CellInTile(int32_t x, int32_t y, const Rect& work);
    // The cell of (x, y), inside the work rectangle, or null when its tile
    // is not made yet (every cell of it unvisited).
    Index* FindCell(int32_t x, int32_t y) const;
    // The same, making the tile when needed; null when memory runs out.
    Index* MakeCell(int32_t x, int32_t y);
    bool InWork(int32_t x, int32_t y) const;
    // The first x in [from, to) whose side differs from `inside`, else `to`;
    // the mask row covers [maskLeft, maskRight) and is 0 beyond it. Inside is
    // a value above 127, its top bit, so whole words are tested at once
    // across the long runs of a large selection.
    static int32_t NextSideChange(const unsigned char* maskRow, int32_t maskLeft, int32_t maskRight, int32_t from,
                                  int32_t to, bool inside);
    // The mask copy at (x, y); 0 beyond it.
    unsigned char MaskAt(int32_t x, int32_t y) const;

    double maximumDistance_ = 0.0;
    MarchAreas areas_;
    MarchSides sides_ = MarchSides::kBoth;
    bool initialised_ = false;

    std::unique_ptr<unsigned char[]> maskBuffer_;
    SingleChannelImage<unsigned char> maskCopy_;  // a view of maskBuffer_
    // The work rectangle's cells, tile by tile, row by row.
    std::vector<std::unique_ptr<Index[]>> tiles_;
    std::size_t tilesAcross_ = 0;

    std::size_t workArea_ = 0;
    int32_t splitRow_ = 0;
    Half halves_[2];
    // The active list, oldest first: its head is the last entry, so a new
    // record is appended and a walk from the head runs downward.
    std::vector<Index> active_;
    // The records reported in the current band on the rows where the halves
    // meet, which both halves read: freed once the band has spread.
    std::vector<Index> meeting_;
};
