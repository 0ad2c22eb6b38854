// How a frame is laid out around a rectangle: the frame rectangle, how many
// pieces go along each side and how large each piece is, chosen so that the
// pieces keep the frame picture's cell proportions and the requested width
// as closely as possible.
#pragma once

#include <cstdint>
#include <vector>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"

// The eight pieces, clockwise from the top-left corner, and the frame
// picture cell (column, row) each one is cut from.
enum FramePiece : int32_t {
    kTopLeftCorner,
    kTopSide,
    kTopRightCorner,
    kRightSide,
    kBottomRightCorner,
    kBottomSide,
    kBottomLeftCorner,
    kLeftSide,
    kFramePieceCount
};
inline constexpr Point kFramePieceCells[kFramePieceCount] = {{0, 0}, {1, 0}, {2, 0}, {2, 1},
                                                             {2, 2}, {1, 2}, {0, 2}, {0, 1}};

struct FrameLayout {
    Rect frame;               // F: W × H, centred in the bounds
    int32_t columns = 0;      // nx: pieces along the top and bottom, corners included
    int32_t rows = 0;         // ny: pieces along the left and right, corners included
    int32_t pieceWidth = 0;   // pw
    int32_t pieceHeight = 0;  // ph
    Point origin;             // where the top-left corner goes

    // Where the pieces lie: nx × pw by ny × ph from the origin, which may
    // reach past F by up to a piece's width less a pixel on each side.
    Rect Tiled() const {
        return Rect(origin.y, origin.x, origin.y + rows * pieceHeight, origin.x + columns * pieceWidth);
    }
};

struct FrameRequest {
    Rect bounds;            // what the frame goes around
    double edgeOffset = 0;  // rendered pixels
    double frameWidth = 0;  // rendered pixels
    double aspect = 1.0;    // a: the cells' width ÷ height
    Abort_Tester* abort = nullptr;
};

// e = trunc(0.5 + edge offset); F is (bounds width − e) × (bounds height − e),
// each at least 4, centred in the bounds. b = ⌈frame width⌉ up to W/2, hb =
// min(H/2, ⌈b ÷ a⌉). Of the piece counts (⌊W/b⌋, ⌊H/hb⌋), (⌊W/b⌋, ⌈H/hb⌉),
// (⌈W/b⌉, ⌊H/hb⌋), (⌈W/b⌉, ⌈H/hb⌉), each at least 2, the first of least cost
// 0.5 |pw − b| ÷ b + 0.5 |pw/ph − a| ÷ a wins, with pw = ⌈W/nx⌉ and ph =
// ⌈H/ny⌉ (then each at least 2). The pieces, nx × pw by ny × ph, are centred
// in F. The abort tester is asked before each candidate (status 1).
ResultCode LayOutFrame(const FrameRequest& request, FrameLayout& layout);

struct PiecePlacement {
    FramePiece piece;
    Point at;  // the piece's top-left corner
};

// Every piece placement in drawing order: clockwise from the top-left corner,
// the top side, the top-right corner, down the right side, the bottom-right
// corner, leftward along the bottom, the bottom-left corner, and up the left
// side: 2 (nx + ny) − 4 placements.
std::vector<PiecePlacement> ClockwisePlacements(const FrameLayout& layout);
