// Blends a rendered piece with the unfiltered source through the selection
// mask, so that partly selected pixels change partly. Integer arithmetic
// throughout, divisions truncating toward zero.
#pragma once

#include <cstdint>

#include "base/Rect.h"

class RowImage;

// One pixel without alpha: each of `channels` samples becomes
// I + (O − I) × t ÷ 255.
void BlendPixel(const uint8_t* input, uint8_t* output, int32_t channels, int32_t t);

// One pixel whose last sample (index `colourChannels`) is alpha:
// v = (255 − t) × aI + aO × t; when v is 0 the alpha becomes 0 and the colours
// stay as rendered; otherwise f = (t × 255 × aO ÷ v) mod 256, each colour
// becomes I + (O − I) × f ÷ 255 and the alpha aI + (aO − aI) × t ÷ 255.
void BlendPixelWithAlpha(const uint8_t* input, uint8_t* output, int32_t colourChannels, int32_t t);

// Blends every pixel of `piece` (inside both buffers) with the mask value
// at its position; outside the mask's bounds the value is 0.
void BlendPiece(const RowImage& input, const RowImage& output, const RowImage& mask, const Rect& piece,
                int32_t colourChannels, bool hasAlpha);

// Multiplies each output alpha (sample `alphaIndex`) of `piece` by the input
// alpha: product ÷ 255, rounded down.
void MultiplyPieceAlpha(const RowImage& input, const RowImage& output, const Rect& piece, int32_t alphaIndex);
