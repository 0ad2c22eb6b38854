#include "filters/stamp/StampColours.h"

#include <algorithm>
#include <new>

#include "filters/ColorSpec.h"
#include "filters/ColourConversion.h"
#include "filters/stamp/ScaledTubeStamp.h"

bool TakesRGBAsItIs(const ChannelLayout& layout) {
    return layout.colourChannels == 3 && layout.colourModel != kColourModelLab &&
           layout.colourModel != kColourModelCMYK;
}

void DestinationColours(uint8_t red, uint8_t green, uint8_t blue, const ChannelLayout& layout, uint8_t* out) {
    if (layout.colourChannels == 1) {
        out[0] = std::max({red, green, blue});
        return;
    }
    if (TakesRGBAsItIs(layout)) {
        out[0] = red;
        out[1] = green;
        out[2] = blue;
        return;
    }
    const ChannelLayout colours(layout.colourModel, layout.colourChannels, false);
    const PixelSamples samples = ColourSamples(ColorSpec::RGB(red, green, blue), colours);
    std::copy_n(samples.begin(), layout.colourChannels, out);
}

ResultCode ConvertForDestination(const Image<unsigned char>& rgba, const ChannelLayout& layout,
                                 std::unique_ptr<Image<unsigned char>>& converted) {
    const ChannelLayout target(layout.colourModel, layout.colourChannels, true);
    ResultCode result;
    std::unique_ptr<Image<unsigned char>> made(new (std::nothrow) Image<unsigned char>(target, rgba.bounds, result));
    if (made == nullptr) return ResultCode::OutOfMemory();
    if (result.IsFailure()) return result;
    const int32_t colours = layout.colourChannels;
    for (int32_t y = rgba.bounds.top; y < rgba.bounds.bottom; ++y) {
        const unsigned char* from = rgba.PixelAddress(Point{rgba.bounds.left, y});
        unsigned char* to = made->PixelAddress(Point{rgba.bounds.left, y});
        for (int32_t x = rgba.bounds.left; x < rgba.bounds.right; ++x) {
            DestinationColours(from[0], from[1], from[2], layout, to);
            to[colours] = from[3];
            from += rgba.pixelStride;
            to += made->pixelStride;
        }
    }
    converted = std::move(made);
    return ResultCode::Success();
}

ResultCode ConvertCellsForDestination(CellTable& cells, const ChannelLayout& layout) {
    if (TakesRGBAsItIs(layout)) return ResultCode::Success();
    for (int32_t row = 0; row < cells.Rows(); ++row) {
        for (int32_t column = 0; column < cells.Columns(); ++column) {
            std::unique_ptr<Image<unsigned char>>& stamp = cells.At(column, row).stamp;
            if (stamp == nullptr) continue;
            std::unique_ptr<Image<unsigned char>> converted;
            const ResultCode result = ConvertForDestination(*stamp, layout, converted);
            if (result.IsFailure()) return result;
            stamp = std::move(converted);
        }
    }
    return ResultCode::Success();
}
