// The Patchwork effect's parameter record, its defaults, scripting keys and
// the string resources of its dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "base/FilterKind.h"
#include "content/ContentReference.h"
#include "filters/LengthValue.h"
#include "filters/ParameterStrings.h"
#include "pluginapi/PluginInterface.h"

// Plain data laid over the ParameterBlock; 1056 bytes, as hosts have stored it.
struct PatchworkParameters {
    FilterKind kind;
    LengthValue tileSize;      // the side of a cell (its width; the height follows the thumbnails' shape)
    ContentReference library;  // the tile library (*.ptl)
};

static_assert(std::is_trivially_copyable_v<PatchworkParameters> && std::is_standard_layout_v<PatchworkParameters>);
static_assert(sizeof(PatchworkParameters) == 1056, "the Patchwork record is 1056 bytes");

namespace patchwork {

inline constexpr int32_t kParameterSize = 1056;

inline constexpr uint32_t kKeyTileSize = ps::FourCC("Wdth");
inline constexpr uint32_t kKeyLibraryPath = ps::FourCC("Path");
inline constexpr uint32_t kKeyLibraryRelative = ps::FourCC("Rltv");

inline constexpr double kMinimumTileSize = 6.0;
inline constexpr double kMaximumTileSize = 100.0;

inline constexpr ParameterStrings kTileSizeStrings{4702, 4716};
inline constexpr int kLibraryButtonLabel = 7348;
// The path of the default tile library, from the plug-in folder.
inline constexpr int kDefaultLibraryPath = 4707;

// The record as WriteDefaults leaves it.
PatchworkParameters DefaultParameters();

}  // namespace patchwork
