// Whether stamps can fit a selection at all, known before their cells are
// made: making a cell for a stamp hundreds of times larger than the picture
// takes minutes and gigabytes, only to find that no stamp fits.
#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "filters/RenderContext.h"
#include "image/Image.h"

// A radius that the largest of the cells' radii (CellMeasures) reaches at
// least once the cells of `tube` (red, green, blue, alpha; columns × rows)
// are scaled to `targetWidth`: each cell's solid part (alpha at least 128),
// which scaling keeps visible, less the two pixels each way that scaling
// may take off its edges.
int32_t LeastLargestRadius(const Image<unsigned char>& tube, int32_t columns, int32_t rows, double targetWidth);

// False when no pixel of a selection whose box is `box` lies `depth` or
// more inside its edge: none lies deeper than half the box's shorter side.
bool SomePixelThatDeep(const Rect& box, double depth);

// The refusal when no stamp fits: it names the selection when the render
// has one, and the picture when the whole picture (or the layer's shape) is
// worked on.
ResultCode NothingFits(const RenderContext& context);

// The message ids of those refusals, and of stamps too large to make.
inline constexpr uint16_t kNothingFitsSelection = 8500;
inline constexpr uint16_t kNothingFitsPicture = 8501;
inline constexpr uint16_t kStampsTooLarge = 8502;
