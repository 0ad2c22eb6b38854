// The render pass the two stamp effects share: read the tube, make its cells
// ready at full size (their measures drive the placement), place the stamps
// (each effect its own way), make the cells ready again at the render scale,
// and draw the stamps in the order they were placed. The state lives from
// one pass to the release of the render state, but for what the search for
// centres found, which serves every render of the run that asks the same.
#pragma once

#include <cstdint>

#include "base/ResultCode.h"
#include "content/ContentReference.h"
#include "filters/RenderContext.h"
#include "filters/stamp/CellPreparation.h"
#include "filters/stamp/ContentPicture.h"
#include "filters/stamp/ScaledTubeStamp.h"
#include "filters/stamp/StampCentres.h"
#include "filters/stamp/StampDrawing.h"
#include "filters/stamp/StampPlacement.h"
#include "image/RandomGenerator.h"

class StampPass {
public:
    // Empties the cells, placements and tube and seeds the generator.
    void Start(uint16_t seed);
    void Release();

    // Resolves and reads the tube, with progress from 0 to `progressTo`.
    // False in `found` (and success) when the tube's place cannot be worked
    // out; then nothing is read.
    ResultCode ReadTube(const ContentReference& reference, const RenderContext& context, double progressTo,
                        bool& found);

    // LeastLargestRadius of the tube read, for cells `targetWidth` wide.
    int32_t LeastLargestRadius(double targetWidth) const;

    // Makes every cell ready at `scale`, its width `targetWidth`, over the
    // progress range. Shadows and colour forms only when they will be drawn.
    ResultCode PrepareCells(const RenderContext& context, double targetWidth, const ShadowSettings& shadow,
                            bool colourStamps, double progressFrom, double progressTo, CellMeasures& measures);

    // Draws placements centred on `centres` until their area reaches 0.03 ×
    // density × V, over the progress range.
    ResultCode Place(const StampCentres& centres, double density, const Rect& image, const RenderContext& context,
                     double progressFrom, double progressTo);

    // Draws every placement's stamp over the render's output inside its area,
    // recoloured when `recolour` is set and only through `within` when that
    // is given; the cells are first given the output's colours.
    ResultCode Draw(const RenderContext& context, const StampRecolouring& recolour, double progressFrom,
                    const SelectionCoverage* within = nullptr);

    RandomGenerator generator;
    CellTable cells;
    PlacementList placements;
    // Outlives Release: kept for the next render of the run.
    CentresMemo centres;

private:
    ContentPicture tube_;
};
