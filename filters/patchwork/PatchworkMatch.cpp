#include "filters/patchwork/PatchworkMatch.h"

namespace patchwork {

void MatchRows(const CellGrid& grid, const CellSampler& sampler, const TileMatcher& matcher, int32_t firstRow,
               int32_t endRow, int32_t* winners) {
    CellSample sample;
    for (int32_t row = firstRow; row < endRow; ++row) {
        // Neighbouring cells often match the same tile: trying it first
        // makes the search's bound tight from the start.
        int32_t previous = -1;
        for (int32_t column = 0; column < grid.Columns(); ++column) {
            sampler.Sample(grid.Cell(column, row), sample);
            previous = matcher.BestTile(sample, previous);
            *winners++ = previous;
        }
    }
}

ResultCode MatchCells(const CellGrid& grid, const CellSampler& sampler, const TileMatcher& matcher,
                      const std::vector<TileDirectoryEntry>& directory, Abort_Tester* abort,
                      ProgressUpdateSink* progress, double from, double to, MatchTable& table) {
    table = MatchTable();
    table.cellCount = grid.CellCount();
    std::vector<int32_t> winners(static_cast<std::size_t>(grid.Columns()));
    for (int32_t row = 0; row < grid.Rows(); ++row) {
        if (abort != nullptr && abort->IsAborted()) return ResultCode::Cancelled();
        if (progress != nullptr) {
            const double done = static_cast<double>(int64_t{row} * grid.Columns());
            progress->Update(from + (to - from) * done / static_cast<double>(table.cellCount));
        }
        MatchRows(grid, sampler, matcher, row, row + 1, winners.data());
        for (int32_t column = 0; column < grid.Columns(); ++column) {
            const int32_t tile = winners[static_cast<std::size_t>(column)];
            if (tile < 0) continue;
            table.cellsByOffset[directory[static_cast<std::size_t>(tile)].dataOffset].push_back(grid.Cell(column, row));
        }
    }
    return ResultCode::Success();
}

}  // namespace patchwork
