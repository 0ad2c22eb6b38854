// The Frame effect's parameter record, its defaults, scripting keys and the
// string resources of its dialog.
#pragma once

#include <cstdint>
#include <type_traits>

#include "base/FilterKind.h"
#include "content/ContentReference.h"
#include "filters/LengthValue.h"
#include "filters/stamp/StampParameters.h"
#include "pluginapi/PluginInterface.h"

// Plain data laid over the ParameterBlock; 1072 bytes, as hosts have stored it.
struct FrameParameters {
    FilterKind kind;
    LengthValue edgeOffset;  // how much narrower and lower than the selection's box the frame is (each side moves half)
    LengthValue frameWidth;  // the width the frame's sides aim at
    ContentReference framePicture;
};

static_assert(std::is_trivially_copyable_v<FrameParameters> && std::is_standard_layout_v<FrameParameters>);
static_assert(sizeof(FrameParameters) == 1072, "the Frame record is 1072 bytes");

namespace frame {

inline constexpr int32_t kParameterSize = 1072;

inline constexpr uint32_t kKeyFrameWidth = ps::FourCC("BrdT");
inline constexpr uint32_t kKeyEdgeOffset = ps::FourCC("EdgT");

inline constexpr stamp::StringPair kFrameWidthStrings{4302, 4321};
inline constexpr stamp::StringPair kEdgeOffsetStrings{4303, 4322};
// The default frame picture's path from the plug-in folder.
inline constexpr int kDefaultFramePicture = 4308;
// Refusals: a frame picture not cut into 3 × 3 cells, and a frame that
// would lie wholly beyond the picture.
inline constexpr uint16_t kNotThreeByThree = 4330;
inline constexpr uint16_t kFrameOutsidePicture = 4331;

inline constexpr int kParameterCount = 3;

// The record as WriteDefaults leaves it.
FrameParameters DefaultParameters();

}  // namespace frame
