#include "filters/edge/EdgeCompose.h"

#include <algorithm>
#include <cstddef>

#include "filters/ColourConversion.h"
#include "image/Parallel.h"

namespace edge {

namespace {

// E as the formulas take it: within [0, 1], a value that is not a number as 0.
double Amount(double e) {
    if (!(e > 0.0)) return 0.0;
    return e > 1.0 ? 1.0 : e;
}

// trunc(c + (target − c) e + 0.5); e = 1 gives the target exactly.
uint8_t Toward(uint8_t c, uint8_t target, double e) { return static_cast<uint8_t>(c + (target - c) * e + 0.5); }

// trunc(clamp((1 − e) alpha + 0.5, 0, 255)).
uint8_t Fade(uint8_t alpha, double e) {
    const double value = (1.0 - e) * alpha + 0.5;
    return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0));
}

struct Composer {
    const PixelSamples& colour;
    int32_t channels;
    int32_t alphaIndex;
    bool transparent;

    void Pixel(unsigned char* p, double e) const {
        if (e == 0.0) return;
        if (transparent) {
            p[alphaIndex] = Fade(p[alphaIndex], e);
            return;
        }
        for (int32_t c = 0; c < channels; ++c) p[c] = Toward(p[c], colour[static_cast<std::size_t>(c)], e);
    }
};

// One row of the area: E tile by tile, so that the large constant parts
// cost one test per tile.
void ComposeRow(const ComposeRequest& request, const Composer& composer, int32_t y) {
    const TiledImage& amount = *request.amount;
    Image<unsigned char>& destination = *request.destination;
    const std::ptrdiff_t step = destination.pixelStride;
    int32_t x = request.area.left;
    const bool rowInside = y >= amount.Bounds().top && y < amount.Bounds().bottom;
    while (x < request.area.right) {
        unsigned char* p = destination.PixelAddress(Point{x, y});
        if (!rowInside || x < amount.Bounds().left || x >= amount.Bounds().right) {
            composer.Pixel(p, Amount(amount.Outside()));
            ++x;
            continue;
        }
        const std::size_t tile = amount.TileIndex(x, y);
        const int32_t end = std::min(amount.TileEnd(x), request.area.right);
        const double* data = amount.TileData(tile);
        if (data == nullptr) {
            const double e = Amount(amount.TileConstant(tile));
            if (e != 0.0) {
                for (int32_t i = x; i < end; ++i, p += step) composer.Pixel(p, e);
            }
        } else {
            const double* row = data + amount.OffsetInTile(x, y);
            for (int32_t i = x; i < end; ++i, p += step) composer.Pixel(p, Amount(*row++));
        }
        x = end;
    }
}

}  // namespace

ResultCode ComposeEdge(const ComposeRequest& request) {
    Image<unsigned char>& destination = *request.destination;
    const Rect area = Rect::Intersect(request.area, destination.bounds);
    if (area.IsEmpty() || !destination.HasData()) return ResultCode::Success();
    const PixelSamples colour = ColourSamples(request.colour, destination.layout);
    const Composer composer{colour, destination.layout.channelCount, destination.layout.colourChannels,
                            request.transparentTicked && destination.layout.hasAlpha};

    ComposeRequest clipped = request;
    clipped.area = area;
    return ParallelRows(
        area,
        [&](int32_t first, int32_t end) {
            for (int32_t y = first; y < end; ++y) ComposeRow(clipped, composer, y);
        },
        request.abort, request.progress, request.progressStart, request.progressEnd);
}

}  // namespace edge
