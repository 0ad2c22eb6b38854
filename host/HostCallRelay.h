// How host services called from a thread other than the host's reach the
// host: the filter dialog's window receives a private message and makes the
// call on the host thread. The dialog installs its relay while its window
// exists; without one (no dialog, or no window system) such calls fail.
#pragma once

#include <cstdint>

#include "pluginapi/PluginInterface.h"

// The private window messages, one per host service that may be relayed.
enum class HostCallMessage : uint32_t {
    AdvanceState = 0x8005,    // argument: none
    ColourServices = 0x8006,  // argument: ps::ColorServicesInfo*
    ReadPixels = 0x8007,      // argument: ReadPixelsCall*
    GetProperty = 0x8008,     // argument: GetPropertyCall*
    DisplayPixels = 0x8009,   // argument: DisplayPixelsCall*
};

// The arguments of the relayed calls, as records that travel in the message.
struct ReadPixelsCall {
    ps::ChannelReadPort port;
    const ps::PSScaling* scaling;
    const ps::VRect* writeRect;
    const ps::PixelMemoryDesc* destination;
    ps::VRect* wroteRect;
};

struct GetPropertyCall {
    ps::PIType signature;
    ps::PIType key;
    int32_t index;
    intptr_t* simpleProperty;
    ps::Handle* complexProperty;
};

struct DisplayPixelsCall {
    const ps::PSPixelMap* source;
    const ps::VRect* sourceRect;
    int32_t destinationRow;
    int32_t destinationColumn;
    void* platformContext;
};

// Sends a host call to the host thread and waits for its result.
class IHostCallRelay {
public:
    virtual ~IHostCallRelay() = default;
    virtual ps::OSErr Relay(HostCallMessage message, void* argument) = 0;
};

// Installs the relay (null removes it) and returns the one it replaces.
IHostCallRelay* SetHostCallRelay(IHostCallRelay* relay);
IHostCallRelay* CurrentHostCallRelay();

// The direct path: calls the host's callback now, on the calling thread,
// which must be the host's. Host services take it on the host thread, and
// the dialog's window procedure with a message it received. -1 for an
// unknown message or a missing argument or callback.
ps::OSErr CallHostDirectly(HostCallMessage message, void* argument);
