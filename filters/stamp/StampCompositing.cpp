#include "filters/stamp/StampCompositing.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<OverPair> BuildOverTable() {
    std::vector<OverPair> table(256 * 256);
    for (int32_t destinationAlpha = 0; destinationAlpha < 256; ++destinationAlpha) {
        for (int32_t sourceAlpha = 0; sourceAlpha < 256; ++sourceAlpha) {
            const int32_t e = destinationAlpha * (255 - sourceAlpha) / 255;
            table[destinationAlpha * 256 + sourceAlpha] =
                OverPair{static_cast<uint16_t>(e), static_cast<uint16_t>(e + sourceAlpha)};
        }
    }
    return table;
}

}  // namespace

const OverPair* OverTable() {
    static const std::vector<OverPair> table = BuildOverTable();
    return table.data();
}

namespace {

// One row of `count` pixels; the layouts most images have get loops of their
// own, so that the compiler can unroll the channels.
template <int kColours, bool kDestinationAlpha>
void CompositeRow(const OverPair* table, const unsigned char* from, std::ptrdiff_t fromStride, unsigned char* to,
                  std::ptrdiff_t toStride, int32_t count) {
    for (int32_t i = 0; i < count; ++i, from += fromStride, to += toStride) {
        if (from[kColours] == 0) continue;
        CompositeOver(table, from, to, kColours, kDestinationAlpha);
    }
}

void CompositeAnyRow(const OverPair* table, const unsigned char* from, std::ptrdiff_t fromStride, unsigned char* to,
                     std::ptrdiff_t toStride, int32_t count, int32_t colours, bool destinationHasAlpha) {
    for (int32_t i = 0; i < count; ++i, from += fromStride, to += toStride)
        CompositeOver(table, from, to, colours, destinationHasAlpha);
}

}  // namespace

void CompositeImageOver(const Image<unsigned char>& source, Point offset, Image<unsigned char>& destination,
                        const Rect& clip) {
    if (!source.HasData() || !destination.HasData()) return;
    const int32_t colours = destination.layout.colourChannels;
    if (source.layout.channelCount != colours + 1) return;
    const Rect placed(source.bounds.top + offset.y, source.bounds.left + offset.x, source.bounds.bottom + offset.y,
                      source.bounds.right + offset.x);
    const Rect area = Rect::Intersect(Rect::Intersect(placed, clip), destination.bounds);
    if (area.IsEmpty()) return;

    const OverPair* table = OverTable();
    const bool destinationHasAlpha = destination.layout.hasAlpha;
    const std::ptrdiff_t fromStride = source.pixelStride;
    const std::ptrdiff_t toStride = destination.pixelStride;
    const int32_t count = area.Width();
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const unsigned char* from = source.PixelAddress(Point{area.left - offset.x, y - offset.y});
        unsigned char* to = destination.PixelAddress(Point{area.left, y});
        if (colours == 3 && !destinationHasAlpha) {
            CompositeRow<3, false>(table, from, fromStride, to, toStride, count);
        } else if (colours == 3) {
            CompositeRow<3, true>(table, from, fromStride, to, toStride, count);
        } else if (colours == 1 && !destinationHasAlpha) {
            CompositeRow<1, false>(table, from, fromStride, to, toStride, count);
        } else if (colours == 1) {
            CompositeRow<1, true>(table, from, fromStride, to, toStride, count);
        } else {
            CompositeAnyRow(table, from, fromStride, to, toStride, count, colours, destinationHasAlpha);
        }
    }
}

void CompositeImageOverSelection(const Image<unsigned char>& source, Point offset, Image<unsigned char>& destination,
                                 const Rect& clip, const SelectionCoverage& selection) {
    if (!source.HasData() || !destination.HasData()) return;
    const int32_t colours = destination.layout.colourChannels;
    if (source.layout.channelCount != colours + 1 || colours > 8) return;
    const Rect placed(source.bounds.top + offset.y, source.bounds.left + offset.x, source.bounds.bottom + offset.y,
                      source.bounds.right + offset.x);
    const Rect area = Rect::Intersect(Rect::Intersect(placed, clip), destination.bounds);
    const OverPair* table = OverTable();
    const bool destinationHasAlpha = destination.layout.hasAlpha;
    uint8_t covered[9] = {};
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const unsigned char* from = source.PixelAddress(Point{area.left - offset.x, y - offset.y});
        unsigned char* to = destination.PixelAddress(Point{area.left, y});
        for (int32_t x = area.left; x < area.right; ++x, from += source.pixelStride, to += destination.pixelStride) {
            const int32_t m = selection.At(x, y);
            if (m == 0 || from[colours] == 0) continue;
            std::copy_n(from, colours, covered);
            covered[colours] = static_cast<uint8_t>(from[colours] * m / 255);
            CompositeOver(table, covered, to, colours, destinationHasAlpha);
        }
    }
}
