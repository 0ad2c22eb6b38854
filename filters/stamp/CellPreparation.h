// Cuts a picture tube into its cells and makes each one ready for stamping at
// one render scale: scaled to the target width, measured (area, radius,
// centre), given its drop shadow, and, when asked, a colour form for
// recolouring.
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "filters/stamp/ScaledTubeStamp.h"
#include "filters/stamp/StampShadow.h"
#include "image/Image.h"

struct CellPreparation {
    Image<unsigned char>* tube = nullptr;  // red, green, blue, alpha; only read
    int32_t columns = 1;
    int32_t rows = 1;
    // T: the width a cell is scaled to, in rendered pixels. The height keeps
    // the cell's proportions; each side is at least 2 pixels.
    double targetWidth = 0.0;
    ShadowSettings shadow;
    bool colourStamps = false;
    Abort_Tester* abort = nullptr;
    ProgressUpdateSink* progress = nullptr;
    double progressFrom = 0.0;
    double progressTo = 1.0;
};

// What the placement needs to know of the cells.
struct CellMeasures {
    double meanArea = 0.0;      // A: the cells' summed area ÷ their count
    int32_t largestRadius = 0;  // R
};

// The stamp size for a cell of `cellWidth` × `cellHeight` pixels:
// trunc(side × T ÷ cellWidth + 0.5), at least 2.
Point ScaledStampSize(int32_t cellWidth, int32_t cellHeight, double targetWidth);

// Measures a scaled stamp (red, green, blue, alpha, its top-left corner at
// (0, 0)) into `cell`: area, radius and centre.
void MeasureStamp(const Image<unsigned char>& stamp, FillStampScaledTubeStamp& cell);

// Fills `cells` with every cell of the tube, row by row, left to right, with
// progress spread evenly over the cells. -1 with kStampsTooLarge, before any
// cell is made, when the cells would take more than 512 MiB; -108 when
// memory runs out (the table is then empty), 1 when aborted, -1 for a grid
// without cells.
ResultCode PrepareCells(const CellPreparation& request, CellTable& cells, CellMeasures& measures);
