// What Fill Stamp does to the selected area before it stamps: fill it with
// a colour ("fiB0"), make it transparent ("fiB1") or keep it ("fiB2").
#pragma once

#include <cstdint>

#include "base/Progress.h"
#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/stamp/SelectionCoverage.h"
#include "image/Image.h"

struct LayerFill {
    uint32_t behaviour = 0;  // kLayerFillWithColour, kLayerFillTransparent or kLayerFillKeep
    // The fill colour as the destination's colour samples, then 255.
    uint8_t colour[8] = {};
    // The selection: with the layer's own shape (its transparency) the whole
    // layer is cleared or filled.
    SelectionCoverage selection;
    Image<unsigned char>* destination = nullptr;
};

// True when `fill` changes anything: never for "fiB2", nor for "fiB1" on a
// destination without alpha.
bool LayerFillApplies(const LayerFill& fill);

// Fills the pixels of `rows` (inside the destination), with m the
// selection's coverage: "fiB1" alpha − alpha × m ÷ 255; "fiB0" the fill
// colour composited over with alpha m. Touches nothing outside `rows`.
void FillLayerRows(const LayerFill& fill, const Rect& rows);

// FillLayerRows over `area`, a row at a time: the abort tester is asked
// before each row (status 1) and progress runs from `from` to `to`.
ResultCode FillLayer(const LayerFill& fill, const Rect& area, Abort_Tester* abort, ProgressUpdateSink* progress,
                     double from, double to);
