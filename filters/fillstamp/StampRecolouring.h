// Fill Stamp's colourize: a stamp takes on the brightness of the image
// beneath it. Each stamp pixel keeps its own hue and saturation; its value
// moves half way to the value of the mean colour of the source under the
// stamp's rectangle, and its alpha is scaled by that mean's alpha.
#pragma once

#include <memory>

#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/stamp/ScaledTubeStamp.h"
#include "image/Image.h"
#include "image/ImageStatistics.h"

struct StampRecolour {
    const Image<unsigned char>* source = nullptr;  // RGB, with or without alpha
    // Tile mode: the stamp's rectangle wraps into this rectangle of the
    // source before it is averaged (TiledMeanColour); empty: MeanColour.
    Rect wrap;

    // The mean colour of the source under `rect`.
    ColourPixel Underneath(const Rect& rect) const;

    // `cell`'s stamp recoloured for the source under `placed` (the stamp's
    // rectangle where it lands), into `out` over the stamp's own bounds, the
    // pixels that land in `part` only: red, green, blue each trunc(clamp(c, 0,
    // 1) × 255 + 0.5), alpha stamp alpha × mean alpha ÷ 255 (the mean alpha is
    // 255 for a source without alpha). -108 when memory runs out, -1 for a
    // cell without its colour form.
    ResultCode Recolour(const FillStampScaledTubeStamp& cell, const Rect& placed, const Rect& part,
                        std::unique_ptr<Image<unsigned char>>& out) const;
};
