// The messages the entry shows, by string resource id, and how it shows them.
#pragma once

#include <initializer_list>

#include "pluginapi/PluginInterface.h"

inline constexpr int kMessageMissingHostService = 10000;
inline constexpr int kMessageFloatingSelection = 10001;
inline constexpr int kMessageNeedsLayerOrSelection = 10002;
inline constexpr int kMessageTransparencyConflict = 10003;
inline constexpr int kMessageSelectionUnreadable = 10004;
inline constexpr int kMessageSelectionTooSmall = 10009;  // takes minimum width and height

// Shows string `id` (with `values` put in for its integer conversions) in a
// warning box parented to the host's window.
void ShowHostWarning(const ps::FilterRecord* record, int id, std::initializer_list<int> values = {});

struct ResultCode;

// The code the host reads back for a core result: a failure with a message
// shows it and becomes 1 (many hosts show nothing themselves); anything else
// passes through, cut to 16 bits.
int16_t HostResultFor(const ResultCode& result, const ps::FilterRecord* record);
