// The Fill Stamp effect's parameter record, its defaults, scripting keys and
// the string resources of its dialog.
#pragma once

#include <cstdint>
#include <type_traits>

#include "base/FilterKind.h"
#include "content/ContentReference.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthValue.h"
#include "filters/stamp/StampParameters.h"
#include "pluginapi/PluginInterface.h"

// Plain data laid over the ParameterBlock; 1168 bytes, as hosts have stored it.
struct FillStampParameters {
    FilterKind kind;
    LengthValue stampSize;   // width of a stamp
    double density;          // 1..100: stamps' summed area as 3 % ... 300 % of the collected pixels
    unsigned char tileMode;  // stamps over the whole image instead of inside the selection
    LengthValue edgeOffset;  // E: how far inside the selection edge the stamps stay (negative: beyond it)
    LayerFillValue layerFill;
    uint16_t randomSeed;
    ContentReference tubeFile;
    unsigned char colorize;  // stamps take on the brightness of the image beneath them
    unsigned char shadowOn;
    StampShadowFields shadow;
};

static_assert(std::is_trivially_copyable_v<FillStampParameters> && std::is_standard_layout_v<FillStampParameters>);
static_assert(sizeof(FillStampParameters) == 1168, "the Fill Stamp record is 1168 bytes");

namespace fillstamp {

inline constexpr int32_t kParameterSize = 1168;

inline constexpr uint32_t kKeyStampSize = ps::FourCC("Wdth");
inline constexpr uint32_t kKeyTileMode = ps::FourCC("TIle");
inline constexpr uint32_t kKeyEdgeOffset = ps::FourCC("EdgT");
inline constexpr uint32_t kKeyFillColour = ps::FourCC("FlCl");
inline constexpr uint32_t kKeyFillBehaviour = ps::FourCC("Fl  ");
inline constexpr uint32_t kKeyColorize = ps::FourCC("Clrz");

inline constexpr stamp::StringPair kStampSizeStrings{4502, 4530};
inline constexpr stamp::StringPair kEdgeOffsetStrings{4503, 4531};
inline constexpr stamp::StringPair kDensityStrings{4504, 4532};
inline constexpr stamp::StringPair kTileModeStrings{4505, 4533};
inline constexpr stamp::StringPair kColorizeStrings{4506, 4534};
inline constexpr stamp::ShadowStrings kShadowStrings{{4507, 4535}, {4508, 4536}, {4509, 4537},
                                                     {4510, 4538}, {4511, 4539}, {4512, 4540}};
inline constexpr int kPageTitle = 4513;
// The default tube's path from the plug-in folder.
inline constexpr int kDefaultTubeFile = 4517;

inline constexpr int kParameterCount = 14;

// The record as WriteDefaults leaves it.
FillStampParameters DefaultParameters();

}  // namespace fillstamp
