// How the full-size render cuts its area into pieces: squares laid from the
// bottom left corner of the area, visited left to right, row by row upwards,
// each clipped to the area (the clipped ones are at the top and right).
#pragma once

#include <cstdint>

#include "image/Rect.h"

// ⌈width ÷ size⌉ × ⌈height ÷ size⌉; 0 for an empty area, 1 for a size that
// is not positive (the area is taken whole).
int32_t RenderPieceCount(const Rect& area, int32_t size);
// Piece `index` in visiting order.
Rect RenderPiece(const Rect& area, int32_t size, int32_t index);
