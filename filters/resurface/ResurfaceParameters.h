// The Resurface effect's parameter record, its defaults, scripting keys and
// the string resources of its dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "base/FilterKind.h"
#include "content/ContentReference.h"
#include "filters/ColorSpec.h"
#include "filters/LengthValue.h"
#include "filters/LightingParameter.h"
#include "filters/ParameterStrings.h"
#include "pluginapi/PluginInterface.h"

// Plain data laid over the ParameterBlock; 1144 bytes, as hosts have stored it.
struct ResurfaceParameters {
    FilterKind kind;
    LengthValue width;         // the texture's width on the image
    double height;             // relief: how steep the texture's slopes look (5 to 100)
    double boost;              // brightening after lighting, percent of a half (0 to 100)
    double distortion;         // how far the slopes push the picture (0 to 100)
    ColorSpec shadowColour;    // what faces away from the light turns into
    LightingValue light;       // brightness, sharpness, direction, inclination, colour
    ContentReference texture;  // grey-scale JPEG (*.jpg)
};

static_assert(std::is_trivially_copyable_v<ResurfaceParameters> && std::is_standard_layout_v<ResurfaceParameters>);
static_assert(sizeof(ResurfaceParameters) == 1144, "the Resurface record is 1144 bytes");

namespace resurface {

inline constexpr int32_t kParameterSize = 1144;

inline constexpr uint32_t kKeyWidth = ps::FourCC("Wdth");
inline constexpr uint32_t kKeyHeight = ps::FourCC("Hght");
inline constexpr uint32_t kKeyBoost = ps::FourCC("LIbo");
inline constexpr uint32_t kKeyDistortion = ps::FourCC("Dstr");
inline constexpr uint32_t kKeyShadowColour = ps::FourCC("sdwC");
inline constexpr uint32_t kKeyLightBrightness = ps::FourCC("Brgh");
inline constexpr uint32_t kKeyLightSharpness = ps::FourCC("Shrp");
inline constexpr uint32_t kKeyLightDirection = ps::FourCC("Drct");
inline constexpr uint32_t kKeyLightInclination = ps::FourCC("INcl");
inline constexpr uint32_t kKeyLightColour = ps::FourCC("Clr ");
inline constexpr uint32_t kKeyTexturePath = ps::FourCC("Path");
inline constexpr uint32_t kKeyTextureRelative = ps::FourCC("Rltv");

// Label and hint string of each parameter.
inline constexpr ParameterStrings kWidthStrings{4902, 4921};
inline constexpr ParameterStrings kHeightStrings{4903, 4922};
inline constexpr ParameterStrings kBoostStrings{4904, 4923};
inline constexpr ParameterStrings kDistortionStrings{4905, 4924};
inline constexpr ParameterStrings kShadowColourStrings{4906, 4925};
inline constexpr int kTextureButtonLabel = 7348;
inline constexpr int kPageTitle = 7902;
// The path of the default texture, from the plug-in folder.
inline constexpr int kDefaultTexturePath = 4910;

// The record as WriteDefaults leaves it.
ResurfaceParameters DefaultParameters();

}  // namespace resurface
