#include "filters/fillstamp/LayerFill.h"

#include <algorithm>

#include "filters/LayerFillParameter.h"
#include "filters/stamp/StampCompositing.h"

bool LayerFillApplies(const LayerFill& fill) {
    if (fill.destination == nullptr || fill.destination->layout.colourChannels > 8) return false;
    if (fill.behaviour == kLayerFillTransparent) return fill.destination->layout.hasAlpha;
    return fill.behaviour == kLayerFillWithColour;
}

void FillLayerRows(const LayerFill& fill, const Rect& rows) {
    if (!LayerFillApplies(fill)) return;
    Image<unsigned char>& destination = *fill.destination;
    const Rect area = Rect::Intersect(rows, destination.bounds);
    const int32_t colours = destination.layout.colourChannels;
    const bool hasAlpha = destination.layout.hasAlpha;
    const OverPair* table = OverTable();
    uint8_t source[9] = {};
    std::copy_n(fill.colour, colours, source);
    for (int32_t y = area.top; y < area.bottom; ++y) {
        unsigned char* pixel = destination.PixelAddress(Point{area.left, y});
        for (int32_t x = area.left; x < area.right; ++x, pixel += destination.pixelStride) {
            const int32_t m = fill.selection.At(x, y);
            if (fill.behaviour == kLayerFillTransparent) {
                pixel[colours] = static_cast<unsigned char>(pixel[colours] - pixel[colours] * m / 255);
            } else {
                source[colours] = static_cast<uint8_t>(m);
                CompositeOver(table, source, pixel, colours, hasAlpha);
            }
        }
    }
}

ResultCode FillLayer(const LayerFill& fill, const Rect& area, Abort_Tester* abort, ProgressUpdateSink* progress,
                     double from, double to) {
    if (!LayerFillApplies(fill)) return ResultCode::Success();
    const Rect rows = Rect::Intersect(area, fill.destination->bounds);
    for (int32_t y = rows.top; y < rows.bottom; ++y) {
        if (progress != nullptr)
            progress->Update(from + (to - from) * (y - rows.top) / static_cast<double>(rows.Height()));
        if (abort != nullptr && abort->IsAborted()) return ResultCode::Cancelled();
        FillLayerRows(fill, Rect(y, rows.left, y + 1, rows.right));
    }
    return ResultCode::Success();
}
