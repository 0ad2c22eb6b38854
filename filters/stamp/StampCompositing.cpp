#include "filters/stamp/StampCompositing.h"

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
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const unsigned char* from = source.PixelAddress(Point{area.left - offset.x, y - offset.y});
        unsigned char* to = destination.PixelAddress(Point{area.left, y});
        for (int32_t x = area.left; x < area.right; ++x) {
            CompositeOver(table, from, to, colours, destinationHasAlpha);
            from += source.pixelStride;
            to += destination.pixelStride;
        }
    }
}
