#include "filters/fillstamp/StampRecolouring.h"

#include <algorithm>
#include <new>

#include "image/HueSaturationValue.h"

namespace {

uint8_t UnitToByte(double value) { return static_cast<uint8_t>(std::clamp(value, 0.0, 1.0) * 255.0 + 0.5); }

}  // namespace

ColourPixel StampRecolour::Underneath(const Rect& rect) const {
    ColourPixel mean;
    if (wrap.IsEmpty()) {
        MeanColour(*source, rect, mean);
    } else {
        TiledMeanColour(*source, wrap, rect, mean);
    }
    return mean;
}

ResultCode StampRecolour::Recolour(const FillStampScaledTubeStamp& cell, const Rect& placed, const Rect& part,
                                   std::unique_ptr<Image<unsigned char>>& out) const {
    if (cell.colourStamp == nullptr) return ResultCode::Failure();
    const Image<double>& colour = *cell.colourStamp;
    const ColourPixel mean = Underneath(placed);
    const HSVColour under =
        ToHSV(RGBColour{mean.channels[0] / 255.0, mean.channels[1] / 255.0, mean.channels[2] / 255.0});
    const int32_t underAlpha = source->layout.hasAlpha ? mean.channels[source->layout.colourChannels] : 255;

    if (out == nullptr || out->bounds != colour.bounds) {
        ResultCode result;
        out.reset(new (std::nothrow)
                      Image<unsigned char>(ChannelLayout(kColourModelRGB, 3, true), colour.bounds, result));
        if (out == nullptr) return ResultCode::OutOfMemory();
        if (result.IsFailure()) {
            out.reset();
            return result;
        }
    }
    // The part in the stamp's own coordinates.
    const int32_t dx = placed.left - colour.bounds.left, dy = placed.top - colour.bounds.top;
    const Rect own =
        Rect::Intersect(Rect(part.top - dy, part.left - dx, part.bottom - dy, part.right - dx), colour.bounds);
    for (int32_t y = own.top; y < own.bottom; ++y) {
        const double* from = colour.PixelAddress(Point{own.left, y});
        unsigned char* to = out->PixelAddress(Point{own.left, y});
        for (int32_t x = own.left; x < own.right; ++x, from += 4, to += 4) {
            const double value = from[2] + (under.value - from[2]) * 0.5;
            const RGBColour rgb = ToRGB(HSVColour{from[0], from[1], value});
            to[0] = UnitToByte(rgb.red);
            to[1] = UnitToByte(rgb.green);
            to[2] = UnitToByte(rgb.blue);
            to[3] = static_cast<unsigned char>(static_cast<int32_t>(from[3]) * underAlpha / 255);
        }
    }
    return ResultCode::Success();
}
