// The Edges effect's parameter record, its defaults, scripting keys and the
// string resources of its dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "base/FilterKind.h"
#include "filters/ColorSpec.h"
#include "filters/LengthValue.h"
#include "filters/ParameterStrings.h"
#include "pluginapi/PluginInterface.h"

// The treatments, by the value of the edge-type parameter. Any other value
// fills the edge with uniform random amounts.
enum EdgeType : int32_t {
    kEdgeDistressNoise = 0,
    kEdgeDistressFBM = 1,
    kEdgeHalftoneDots = 2,
    kEdgeHalftoneLines = 3,
    kEdgePixelizer = 4,
    kEdgeTornPaper = 5,
};

// Plain data laid over the ParameterBlock; 80 bytes, as hosts have stored it.
struct EdgeParameters {
    FilterKind kind;
    LengthValue border;         // w1: width of the solid border
    LengthValue width;          // w2: width of the treated band inside the border
    double scale;               // feature size: noise scale, screen cell size
    double direction;           // screen angle in degrees
    int32_t edgeType;           // an EdgeType
    ColorSpec colour;           // edge colour
    unsigned char transparent;  // make the edge transparent instead of painting it
    uint16_t randomSeed;
};

static_assert(std::is_trivially_copyable_v<EdgeParameters> && std::is_standard_layout_v<EdgeParameters>);
static_assert(sizeof(EdgeParameters) == 80, "the Edges record is 80 bytes");

namespace edge {

inline constexpr int32_t kParameterSize = 80;

// Scripting keys, in dialog order.
inline constexpr uint32_t kKeyWidth = ps::FourCC("Wdth");
inline constexpr uint32_t kKeyBorder = ps::FourCC("BrdT");
inline constexpr uint32_t kKeyScale = ps::FourCC("Scl ");
inline constexpr uint32_t kKeyDirection = ps::FourCC("Drct");
inline constexpr uint32_t kKeyEdgeType = ps::FourCC("Edmo");
inline constexpr uint32_t kEdgeTypeEnumeration = ps::FourCC("Edg ");
inline constexpr uint32_t kKeyColour = ps::FourCC("Clr ");
inline constexpr uint32_t kKeyTransparent = ps::FourCC("Fl  ");
inline constexpr uint32_t kKeyRandomSeed = ps::FourCC("RndS");

// The list items: value, code and name string, in display order.
struct EdgeTypeItem {
    int32_t value;
    uint32_t code;
    int nameId;
};
inline constexpr EdgeTypeItem kEdgeTypeItems[] = {
    {kEdgeDistressNoise, ps::FourCC("edM0"), 0x1070}, {kEdgeDistressFBM, ps::FourCC("edM1"), 0x1071},
    {kEdgeHalftoneDots, ps::FourCC("edM3"), 0x1072},  {kEdgeHalftoneLines, ps::FourCC("edM5"), 0x1073},
    {kEdgePixelizer, ps::FourCC("edM4"), 0x1074},     {kEdgeTornPaper, ps::FourCC("edM6"), 0x1075},
};

// Label and hint string of each parameter.
using StringPair = ParameterStrings;
inline constexpr StringPair kWidthStrings{0x1069, 0x107C};
inline constexpr StringPair kBorderStrings{0x106A, 0x107D};
inline constexpr StringPair kScaleStrings{0x106B, 0x107E};
inline constexpr StringPair kDirectionStrings{0x106C, 0x107F};
inline constexpr StringPair kEdgeTypeStrings{0x106D, 0x1080};
inline constexpr StringPair kColourStrings{0x106E, 0x1081};
inline constexpr StringPair kTransparentStrings{0x106F, 0x1082};
// What "Transparent" does on a layer without transparency.
inline constexpr int kNothingToMakeTransparentId = 4227;
inline constexpr StringPair kRandomSeedStrings{0x2B8E, 0x2B8F};

// Parameters in dialog order.
inline constexpr int kParameterCount = 8;

// The record as WriteDefaults leaves it.
EdgeParameters DefaultParameters();

}  // namespace edge
