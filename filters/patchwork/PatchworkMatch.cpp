#include "filters/patchwork/PatchworkMatch.h"

#include <algorithm>
#include <new>

#include "image/Parallel.h"

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
    const std::size_t columns = static_cast<std::size_t>(grid.Columns());
    std::vector<int32_t> winners(static_cast<std::size_t>(table.cellCount));
    // Rows in batches: the host is asked and told about each row of a batch
    // in turn, on this thread, then the batch's rows are matched side by
    // side on the worker threads, each writing only its own winners.
    constexpr int32_t kRowsAtOnce = 32;
    for (int32_t first = 0; first < grid.Rows(); first += kRowsAtOnce) {
        const int32_t end = std::min(first + kRowsAtOnce, grid.Rows());
        for (int32_t row = first; row < end; ++row) {
            if (abort != nullptr && abort->IsAborted()) return ResultCode::Cancelled();
            if (progress != nullptr) {
                const double done = static_cast<double>(int64_t{row} * grid.Columns());
                progress->Update(from + (to - from) * done / static_cast<double>(table.cellCount));
            }
        }
        const ResultCode matched = ParallelChunks(end - first, 1, [&](int64_t begin, int64_t stop) {
            MatchRows(grid, sampler, matcher, first + static_cast<int32_t>(begin), first + static_cast<int32_t>(stop),
                      &winners[static_cast<std::size_t>(first + begin) * columns]);
        });
        if (matched.IsFailure()) throw std::bad_alloc();
    }

    // Each tile's list, made to measure, then filled in matching order.
    std::vector<int64_t> cellsOfTile(directory.size(), 0);
    for (int32_t tile : winners)
        if (tile >= 0) ++cellsOfTile[static_cast<std::size_t>(tile)];
    std::vector<std::vector<Rect>*> listOfTile(directory.size(), nullptr);
    for (std::size_t tile = 0; tile < directory.size(); ++tile) {
        if (cellsOfTile[tile] == 0) continue;
        listOfTile[tile] = &table.cellsByOffset[directory[tile].dataOffset];
        listOfTile[tile]->reserve(listOfTile[tile]->capacity() + static_cast<std::size_t>(cellsOfTile[tile]));
    }
    for (std::size_t cell = 0; cell < winners.size(); ++cell) {
        const int32_t tile = winners[cell];
        if (tile < 0) continue;
        listOfTile[static_cast<std::size_t>(tile)]->push_back(
            grid.Cell(static_cast<int32_t>(cell % columns), static_cast<int32_t>(cell / columns)));
    }
    return ResultCode::Success();
}

}  // namespace patchwork
