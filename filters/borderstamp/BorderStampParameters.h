// The Border Stamp effect's parameter record, its defaults, scripting keys
// and the string resources of its dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "base/FilterKind.h"
#include "content/ContentReference.h"
#include "filters/LengthValue.h"
#include "filters/stamp/StampParameters.h"
#include "pluginapi/PluginInterface.h"

// Plain data laid over the ParameterBlock; 1160 bytes, as hosts have stored it.
struct BorderStampParameters {
    FilterKind kind;
    LengthValue borderOffset;  // B: how far inside the selection edge the border strip starts (negative: outside)
    LengthValue borderWidth;   // W: width of the strip the stamps are centred in
    LengthValue tubeSize;      // width of a stamp, at most twice the border width
    double density;            // 1..100: stamps' summed area as 3 % ... 300 % of the measured pixels
    uint16_t randomSeed;
    ContentReference tubeFile;
    unsigned char shadowOn;
    StampShadowFields shadow;
};

static_assert(std::is_trivially_copyable_v<BorderStampParameters> && std::is_standard_layout_v<BorderStampParameters>);
static_assert(sizeof(BorderStampParameters) == 1160, "the Border Stamp record is 1160 bytes");

namespace borderstamp {

inline constexpr int32_t kParameterSize = 1160;

inline constexpr uint32_t kKeyTubeSize = ps::FourCC("TlSz");
inline constexpr uint32_t kKeyBorderOffset = ps::FourCC("BrdT");
inline constexpr uint32_t kKeyBorderWidth = ps::FourCC("Wdth");

inline constexpr stamp::StringPair kTubeSizeStrings{4152, 4170};
inline constexpr stamp::StringPair kBorderOffsetStrings{4153, 4171};
inline constexpr stamp::StringPair kBorderWidthStrings{4154, 4172};
inline constexpr stamp::StringPair kDensityStrings{4155, 4173};
inline constexpr stamp::ShadowStrings kShadowStrings{{4156, 4174}, {4157, 4175}, {4158, 4176},
                                                     {4159, 4177}, {4160, 4178}, {4161, 4179}};
inline constexpr int kPageTitle = 4162;
// The default tube's path from the plug-in folder.
inline constexpr int kDefaultTubeFile = 4166;

// Parameters in dialog order.
inline constexpr int kParameterCount = 12;

// The record as WriteDefaults leaves it.
BorderStampParameters DefaultParameters();

}  // namespace borderstamp
