// The host callbacks that may be made from any thread. On the host thread
// they call the host directly; on another thread they go through the
// dialog's relay, and fail with -1 when there is none. A callback the host
// does not offer fails with -1.
#pragma once

#include "pluginapi/PluginInterface.h"

ps::OSErr HostAdvanceState();
ps::OSErr HostColourServices(ps::ColorServicesInfo& info);
ps::OSErr HostReadPixels(ps::ChannelReadPort port, const ps::PSScaling* scaling, const ps::VRect* writeRect,
                         const ps::PixelMemoryDesc* destination, ps::VRect* wroteRect);
// The property suite's get; -1 without a property suite.
ps::OSErr HostGetProperty(ps::PIType signature, ps::PIType key, int32_t index, intptr_t* simpleProperty,
                          ps::Handle* complexProperty);
ps::OSErr HostDisplayPixels(const ps::PSPixelMap* source, const ps::VRect* sourceRect, int32_t destinationRow,
                            int32_t destinationColumn, void* platformContext);
