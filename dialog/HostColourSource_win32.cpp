#include "dialog/HostColourSource_win32.h"

#include "filters/ColourConversion.h"
#include "host/ColourServices.h"
#include "host/HostContext.h"
#include "image/ChannelLayout.h"

namespace {

ColorSpec FromHostColour(const ps::RGBColor& colour) {
    return RgbSpec(colour.red >> 8, colour.green >> 8, colour.blue >> 8);
}

}  // namespace

ResultCode HostColourSource::PickColour(ColorSpec& colour) { return ::PickColour(colour); }

ColorSpec HostColourSource::Foreground() {
    const ps::FilterRecord* record = CurrentFilterRecord();
    return record != nullptr ? FromHostColour(record->foreground) : RgbSpec(0, 0, 0);
}

ColorSpec HostColourSource::Background() {
    const ps::FilterRecord* record = CurrentFilterRecord();
    return record != nullptr ? FromHostColour(record->background) : RgbSpec(255, 255, 255);
}

ColorSpec HostColourSource::FromScreen(COLORREF pixel) {
    const ColorSpec rgb = RgbSpec(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel));
    const ps::FilterRecord* record = CurrentFilterRecord();
    const int32_t model = record != nullptr ? ColourModelForHostMode(record->imageMode) : kColourModelRGB;
    switch (model) {
        case kColourModelGrey: {
            const PixelSamples grey = ColourSamples(rgb, ChannelLayout(kColourModelGrey, 1, false));
            return ColorSpec{ColorSpec::kGray, grey[0], 0, 0, 0};
        }
        case kColourModelCMYK: {
            const PixelSamples inks = ColourSamples(rgb, ChannelLayout(kColourModelCMYK, 4, false));
            return ColorSpec{ColorSpec::kCMYK, inks[0], inks[1], inks[2], inks[3]};
        }
        case kColourModelLab: {
            const PixelSamples lab = ColourSamples(rgb, ChannelLayout(kColourModelLab, 3, false));
            return ColorSpec{ColorSpec::kLab, lab[0], lab[1], lab[2], 0};
        }
        default: return rgb;
    }
}
