// The host's property suite: its version, the user's ruler units and the
// busy-cursor suspension. Hosts that leave the suite out, or answer without
// writing anything, get the same treatment as hosts that say nothing.
#pragma once

#include <cstdint>

#include "base/ResultCode.h"
#include "pluginapi/PluginInterface.h"

struct RunRecord;

struct HostVersion {
    int32_t major = 0;
    int32_t minor = 0;
    int32_t fix = 0;
};

// True when the current host record offers a property get callback.
bool HasPropertySuite();

// The host's version ('vers'), from a complex answer (a handle of three
// big-endian 32-bit numbers) or a simple one (major in bits 16 to 23, minor
// in bits 8 to 15). -1 when the host has no suite, refuses, or answers
// nothing usable (a major version of 0).
ResultCode ReadHostVersion(HostVersion& version);

// The host's ruler units as a length unit code 0 to 5 ('rulr'), translated
// for hosts older than version 7. -1 when the host has no suite or refuses.
ResultCode ReadRulerUnits(int32_t hostMajorVersion, int32_t& units);

// A host's ruler unit value as a length unit code: hosts before version 7
// number their units differently (1, 2, 3, 4 become 1, 2, 4, 5, anything
// else 0); any code outside 0 to 5 becomes 0.
int32_t RulerUnitsFromHost(intptr_t hostValue, int32_t hostMajorVersion);

// Suspends (true) or resumes the host's busy cursor ('wtch'). -1 when the
// host has no property set callback or this is not the host thread.
ResultCode SetBusyCursorSuspended(bool suspended);

// Fills noPropertySuite, the host version and the ruler units of `run`:
// everything 0 and noPropertySuite 1 without a suite; a failed version read
// leaves version and units 0.
void ReadHostPropertiesInto(RunRecord& run);
