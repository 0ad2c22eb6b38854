// The Resurface effect's dialog page and parameters: texture, width, height,
// boost, distortion, light and shadow colour.
#include <new>

#include "filters/ColorParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/resurface/Resurface.h"
#include "platform/ResourceStrings.h"

namespace {

bool AddSlider(ParameterSet& set, uint32_t key, double* value, double minimum, double maximum,
               ParameterStrings strings) {
    auto* slider = set.Emplace<SliderParameter>(key, value, minimum, maximum);
    if (slider == nullptr) return false;
    LoadParameterStrings(*slider, strings);
    return true;
}

}  // namespace

ResultCode Resurface::BuildParameters(ParameterSet& set, ParameterBlock& block) const {
    using namespace resurface;
    ResurfaceParameters& p = block.As<ResurfaceParameters>();
    try {
        set.AddGroup(LoadResourceString(kPageTitle));
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }

    auto* texture = set.Emplace<TubeButtonParameter>(kKeyTexturePath, kKeyTextureRelative, &p.texture.relative,
                                                     p.texture.path, sizeof p.texture.path);
    if (texture == nullptr) return ResultCode::OutOfMemory();
    texture->label = LoadResourceString(kTextureButtonLabel);
    texture->name = "texture";

    auto* width = set.Emplace<LengthSliderParameter>(kKeyWidth, &p.width, 20.0, 2000.0);
    if (width == nullptr) return ResultCode::OutOfMemory();
    width->trackLow = 0.8;
    width->trackHigh = 800.0;
    LoadParameterStrings(*width, kWidthStrings);

    if (!AddSlider(set, kKeyHeight, &p.height, 5.0, 100.0, kHeightStrings)) return ResultCode::OutOfMemory();
    if (!AddSlider(set, kKeyBoost, &p.boost, 0.0, 100.0, kBoostStrings)) return ResultCode::OutOfMemory();
    if (!AddSlider(set, kKeyDistortion, &p.distortion, 0.0, 100.0, kDistortionStrings))
        return ResultCode::OutOfMemory();

    auto* light = set.Emplace<LightingParameter>(kKeyLightDirection, kKeyLightInclination, kKeyLightBrightness,
                                                 kKeyLightSharpness, kKeyLightColour, &p.light);
    if (light == nullptr) return ResultCode::OutOfMemory();
    light->label = "*";
    light->secondaryText = "*";
    light->name = "light";

    auto* shadow = set.Emplace<ColorParameter>(kKeyShadowColour, &p.shadowColour);
    if (shadow == nullptr) return ResultCode::OutOfMemory();
    LoadParameterStrings(*shadow, kShadowColourStrings);
    return ResultCode::Success();
}
