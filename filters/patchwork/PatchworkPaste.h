// The paste stage of the mosaic: every chosen tile, scaled to the cell
// size, copied into its cells.
#pragma once

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "content/TileLibrary.h"
#include "filters/patchwork/PatchworkCells.h"
#include "filters/patchwork/PatchworkMatch.h"
#include "image/Image.h"

namespace patchwork {

// A scaled tile (red, green, blue) in the colour channels of a destination
// of layout `destination`: as it is for RGB; the largest of red, green and
// blue for grey; converted for other colour models. No alpha. Throws
// std::bad_alloc when memory runs out.
void TileInDestinationColours(const Image<unsigned char>& tile, const ChannelLayout& destination,
                              Image<unsigned char>& out);

// Copies the colour channels of `tile` (in the destination's colour
// channels) with its top-left corner at the cell's into the part of
// `destination` the cell covers; alpha is left as it was.
void PasteCell(const Image<unsigned char>& tile, const Rect& cell, Image<unsigned char>& destination);

// For each tile of the table in order of data offset: asks `abort` (status
// 1 when it says stop), decodes the tile, scales it to `cell` and pastes it
// into each of its cells, reporting from + (to - from) × cells pasted /
// cells before each. An empty table is -1 (silent); a tile that cannot be
// decoded ends the stage with its status, the cells pasted so far kept.
ResultCode PasteTiles(TileLibrary& library, const MatchTable& table, CellSize cell, Image<unsigned char>& destination,
                      Abort_Tester* abort, ProgressUpdateSink* progress, double from, double to);

}  // namespace patchwork
