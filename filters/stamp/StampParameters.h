// What the two stamp effects' parameter records and dialogs share: the
// drop-shadow fields, their six parameters (the dialog's second page), the
// rule that enables the shadow controls, and lengths as rendered pixels.
#pragma once

#include <cstdint>
#include <type_traits>

#include "base/ResultCode.h"
#include "filters/ColorSpec.h"
#include "filters/LengthValue.h"
#include "filters/ParameterSet.h"
#include "filters/stamp/StampShadow.h"
#include "pluginapi/PluginInterface.h"

// The shadow's fields as both records store them, after their shadow-on byte.
struct StampShadowFields {
    LengthValue distance;
    double direction;  // degrees; 315 puts the shadow to the lower right
    ColorSpec colour;
    double opacity;  // percent
    LengthValue blur;
};

static_assert(std::is_trivial_v<StampShadowFields> && std::is_standard_layout_v<StampShadowFields>);
static_assert(sizeof(StampShadowFields) == 64);

namespace stamp {

inline constexpr uint32_t kKeyTubeFile = ps::FourCC("Path");
inline constexpr uint32_t kKeyTubeRelative = ps::FourCC("Rltv");
inline constexpr uint32_t kKeyDensity = ps::FourCC("Dnst");
inline constexpr uint32_t kKeyRandomSeed = ps::FourCC("RndS");
inline constexpr uint32_t kKeyShadowOn = ps::FourCC("sdwM");
inline constexpr uint32_t kKeyShadowDirection = ps::FourCC("Drct");
inline constexpr uint32_t kKeyShadowDistance = ps::FourCC("Dstn");
inline constexpr uint32_t kKeyShadowOpacity = ps::FourCC("Opct");
inline constexpr uint32_t kKeyShadowBlur = ps::FourCC("blur");
inline constexpr uint32_t kKeyShadowColour = ps::FourCC("sdwC");

// The label of the content chooser, and the random seed's strings.
inline constexpr int kChooserLabel = 7348;
inline constexpr int kRandomSeedLabel = 11150;
inline constexpr int kRandomSeedHint = 11151;

// Label and hint string of a parameter.
struct StringPair {
    int label;
    int hint;
};

// The shadow parameters' strings, in dialog order.
struct ShadowStrings {
    StringPair on, direction, distance, opacity, blur, colour;
};

// The dialog page the shadow parameters go on.
inline constexpr int32_t kShadowGroup = 1;

// A black shadow falling to the lower right (315°), as both effects' defaults
// have it, with their own distance and blur (pixels) and opacity (percent).
StampShadowFields DefaultShadow(double distance, double opacity, double blur);

// Loads a parameter's label and hint.
void LoadStrings(FilterParameter& parameter, StringPair strings);

// Adds shadow on, direction, distance (1 to 30), opacity (0 to 100 percent),
// blur (0 to 100) and colour, in that order, on the shadow page; -108 when
// memory runs out.
ResultCode AddShadowParameters(ParameterSet& set, unsigned char* shadowOn, StampShadowFields& shadow,
                               const ShadowStrings& strings);

// Enables the shadow's direction, distance, opacity, blur and colour
// controls only while the shadow is on; every other control is enabled.
void EnableShadowControls(ParameterSet& set, bool shadowOn);

// A length in pixels at `pixelsPerInch`, divided by the render's reduction
// `scale`; a value that is not a number is 0, far-off ones are clamped.
double RenderedPixels(const LengthValue& length, double pixelsPerInch, double scale);

// The shadow as drawn at `scale`: angle in radians, distance and blur in
// rendered pixels, opacity 0..1, colour as red, green and blue.
ShadowSettings ShadowAt(bool on, const StampShadowFields& shadow, double pixelsPerInch, double scale);

}  // namespace stamp
