// Which program hosts the plug-in, and what follows from it.
#pragma once

#include <string>
#include <string_view>

// The full file name of the host program's executable; empty when it
// cannot be read.
std::string HostExecutablePath();

// Whether a host with this executable may have the dialog switch to another
// effect: false for an empty name and for a name that, without its folder
// ('/' and '\\' both count as separators) and upper-cased, begins with
// "FIREWORKS", a host that cannot cope with the switch.
bool EffectSwitchingAllowedFor(std::string_view executablePath);

// EffectSwitchingAllowedFor(HostExecutablePath()), worked out on the first
// call and kept for the life of the process.
bool HostAllowsEffectSwitching();
