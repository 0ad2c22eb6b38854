// The match stage of the mosaic: which tile goes into each cell.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "content/TileLibrary.h"
#include "filters/patchwork/CellSampler.h"
#include "filters/patchwork/PatchworkCells.h"
#include "filters/patchwork/TileMatcher.h"

namespace patchwork {

// The cells each tile was chosen for, by the tile's data offset (so that
// the paste stage reads the library's data area front to back), each list
// in the order the cells were matched; and how many cells there are.
struct MatchTable {
    std::map<int32_t, std::vector<Rect>> cellsByOffset;
    int64_t cellCount = 0;
};

// The winning tile (directory index) of each cell of grid rows [firstRow,
// endRow), row by row, into `winners` (grid.Columns() entries a row). Reads
// only what it is given, so that row ranges may be matched side by side.
void MatchRows(const CellGrid& grid, const CellSampler& sampler, const TileMatcher& matcher, int32_t firstRow,
               int32_t endRow, int32_t* winners);

// Matches every cell, row by row. Before each row it asks `abort` (status 1
// when it says stop) and reports from + (to - from) × cells done / cells;
// the rows themselves are matched in batches on the worker threads.
// Throws std::bad_alloc when memory runs out.
ResultCode MatchCells(const CellGrid& grid, const CellSampler& sampler, const TileMatcher& matcher,
                      const std::vector<TileDirectoryEntry>& directory, Abort_Tester* abort,
                      ProgressUpdateSink* progress, double from, double to, MatchTable& table);

}  // namespace patchwork
