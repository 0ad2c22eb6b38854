#include "filters/stamp/StampParameters.h"

#include <algorithm>
#include <cmath>

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/ColourConversion.h"
#include "filters/DirectionParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/SliderParameter.h"
#include "platform/ResourceStrings.h"

namespace stamp {

namespace {

// Lengths beyond this many pixels mean nothing on any image.
constexpr double kLongestLength = 1e8;

constexpr double kPi = 3.14159265358979323846;

// The shadow's parameters are named as the shadow's ("shadow-colour"), so
// that they read apart from the stamps' own.
template <typename P>
P* OnShadowPage(P* parameter, StringPair strings, const char* name) {
    if (parameter == nullptr) return nullptr;
    parameter->group = kShadowGroup;
    LoadStrings(*parameter, strings);
    parameter->name = name;
    return parameter;
}

}  // namespace

StampShadowFields DefaultShadow(double distance, double opacity, double blur) {
    StampShadowFields shadow{};
    shadow.distance.Set(distance, kLengthPixels);
    shadow.direction = 315.0;
    shadow.colour = ColorSpec::RGB(0, 0, 0);
    shadow.opacity = opacity;
    shadow.blur.Set(blur, kLengthPixels);
    return shadow;
}

void LoadStrings(FilterParameter& parameter, StringPair strings) {
    parameter.label = LoadResourceString(strings.label);
    parameter.hint = LoadResourceString(strings.hint);
}

ResultCode AddShadowParameters(ParameterSet& set, unsigned char* shadowOn, StampShadowFields& shadow,
                               const ShadowStrings& strings) {
    if (OnShadowPage(set.Emplace<CheckboxParameter>(kKeyShadowOn, shadowOn), strings.on, "shadow") == nullptr ||
        OnShadowPage(set.Emplace<DirectionParameter>(kKeyShadowDirection, &shadow.direction), strings.direction,
                     "shadow-direction") == nullptr ||
        OnShadowPage(set.Emplace<LengthSliderParameter>(kKeyShadowDistance, &shadow.distance, 1.0, 30.0),
                     strings.distance, "shadow-distance") == nullptr) {
        return ResultCode::OutOfMemory();
    }
    auto* opacity = OnShadowPage(set.Emplace<SliderParameter>(kKeyShadowOpacity, &shadow.opacity, 0.0, 100.0),
                                 strings.opacity, "shadow-opacity");
    if (opacity == nullptr) return ResultCode::OutOfMemory();
    opacity->unit = ps::FourCC("#Prc");
    if (OnShadowPage(set.Emplace<LengthSliderParameter>(kKeyShadowBlur, &shadow.blur, 0.0, 100.0), strings.blur,
                     "shadow-blur") == nullptr ||
        OnShadowPage(set.Emplace<ColorParameter>(kKeyShadowColour, &shadow.colour), strings.colour, "shadow-colour") ==
            nullptr) {
        return ResultCode::OutOfMemory();
    }
    return ResultCode::Success();
}

void EnableShadowControls(ParameterSet& set, bool shadowOn) {
    const uint32_t shadowKeys[] = {kKeyShadowDirection, kKeyShadowDistance, kKeyShadowOpacity, kKeyShadowBlur,
                                   kKeyShadowColour};
    for (std::size_t i = 0; i < set.Count(); ++i) {
        FilterParameter& parameter = *set.At(i);
        const bool follows = std::any_of(std::begin(shadowKeys), std::end(shadowKeys),
                                         [&](uint32_t key) { return parameter.HasKey(key); });
        parameter.enabled = follows ? shadowOn : true;
    }
}

double RenderedPixels(const LengthValue& length, double pixelsPerInch, double scale) {
    const double pixels = length.In(kLengthPixels, pixelsPerInch) / scale;
    if (!std::isfinite(pixels)) return pixels > 0.0 ? kLongestLength : (pixels < 0.0 ? -kLongestLength : 0.0);
    return std::clamp(pixels, -kLongestLength, kLongestLength);
}

ShadowSettings ShadowAt(bool on, const StampShadowFields& shadow, double pixelsPerInch, double scale) {
    ShadowSettings settings;
    settings.on = on;
    const double direction = std::isfinite(shadow.direction) ? shadow.direction : 0.0;
    settings.angle = direction * kPi / 180.0;
    settings.distance = RenderedPixels(shadow.distance, pixelsPerInch, scale);
    settings.blur = RenderedPixels(shadow.blur, pixelsPerInch, scale);
    const double opacity = std::isfinite(shadow.opacity) ? shadow.opacity : 0.0;
    settings.opacity = opacity * 0.01;
    const std::array<uint8_t, 3> rgb = ColourToRGB(shadow.colour);
    std::copy(rgb.begin(), rgb.end(), settings.colour);
    return settings;
}

}  // namespace stamp
