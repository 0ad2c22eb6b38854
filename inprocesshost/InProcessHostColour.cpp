// Colour services: the colour picker (answered from the user's choice set
// on the host), conversions between colour spaces, sampling the image and
// the user's foreground and background colours.
#include <algorithm>

#include "inprocesshost/ActiveHost.h"
#include "inprocesshost/InProcessHost.h"

namespace {

ps::OSErr PS_CALLBACK ColourServicesCallback(ps::ColorServicesInfo* info) {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr ? host->ColourServices(info) : ps::paramErr;
}

// The space a result goes to: the one asked for, or `chosen` for "any".
int16_t ResultSpace(const ps::ColorServicesInfo& info, int16_t chosen) {
    return info.resultSpace == ps::plugIncolorServicesChosenSpace ? chosen : info.resultSpace;
}

// Converts `colour` into the result space and writes it into the record.
ps::OSErr Answer(ps::ColorServicesInfo& info, const HostColour& colour, int16_t target) {
    HostColour converted;
    if (!ConvertHostColour(colour, target, converted)) return ps::paramErr;
    info.resultSpace = target;
    for (int i = 0; i < 4; ++i) info.colorComponents[i] = converted.components[i];
    info.resultGamutInfoValid = 0;
    return ps::noErr;
}

HostColour FromRgb(const std::array<uint8_t, 3>& rgb) {
    HostColour colour;
    colour.space = ps::plugIncolorServicesRGBSpace;
    for (int i = 0; i < 3; ++i) colour.components[i] = rgb[static_cast<std::size_t>(i)];
    return colour;
}

}  // namespace

ps::ColorServicesProc InProcessHost::ColourServicesProc() { return ColourServicesCallback; }

ps::OSErr InProcessHost::ColourServices(ps::ColorServicesInfo* info) {
    if (info == nullptr || info->infoSize < static_cast<int32_t>(sizeof(ps::ColorServicesInfo))) return ps::paramErr;
    if (info->reservedSourceSpaceInfo != nullptr || info->reservedResultSpaceInfo != nullptr ||
        info->reserved != nullptr) {
        return ps::paramErr;
    }
    switch (info->selector) {
        case ps::plugIncolorServicesChooseColor: {
            if (!userColour_) return ps::userCanceledErr;
            return Answer(*info, *userColour_, ResultSpace(*info, userColour_->space));
        }
        case ps::plugIncolorServicesConvertColor: {
            HostColour source;
            source.space = info->sourceSpace;
            std::copy(info->colorComponents, info->colorComponents + 4, source.components);
            return Answer(*info, source, ResultSpace(*info, info->sourceSpace));
        }
        case ps::plugIncolorServicesSamplePoint: return SampleColour(*info);
        case ps::plugIncolorServicesGetSpecialColor: return SpecialColour(*info);
        default: return ps::paramErr;
    }
}

HostColour InProcessHost::ColourFromImage(int32_t x, int32_t y) const {
    HostColour colour;
    switch (image_.mode) {
        case HostImageMode::Grey: colour.space = ps::plugIncolorServicesGraySpace; break;
        case HostImageMode::Rgb: colour.space = ps::plugIncolorServicesRGBSpace; break;
        case HostImageMode::Cmyk: colour.space = ps::plugIncolorServicesCMYKSpace; break;
        case HostImageMode::Lab: colour.space = ps::plugIncolorServicesLabSpace; break;
    }
    for (int32_t p = 0; p < image_.ColourPlanes(); ++p) colour.components[p] = image_.At(x, y, p);
    return colour;
}

ps::OSErr InProcessHost::SampleColour(ps::ColorServicesInfo& info) {
    const ps::Point16* point = info.selectorParameter.globalSamplePoint;
    if (point == nullptr) return ps::paramErr;
    if (point->h < 0 || point->v < 0 || point->h >= image_.width || point->v >= image_.height) {
        return ps::errInvalidSamplePoint;
    }
    const HostColour sampled = ColourFromImage(point->h, point->v);
    return Answer(info, sampled, ResultSpace(info, sampled.space));
}

ps::OSErr InProcessHost::SpecialColour(ps::ColorServicesInfo& info) {
    const int32_t which = info.selectorParameter.specialColorID;
    if (which != ps::plugIncolorServicesForegroundColor && which != ps::plugIncolorServicesBackgroundColor) {
        return ps::paramErr;
    }
    const HostColour colour = FromRgb(which == ps::plugIncolorServicesForegroundColor ? foreground_ : background_);
    return Answer(info, colour, ResultSpace(info, ps::plugIncolorServicesRGBSpace));
}
