#include "host/HostCalls.h"

#include "host/HostCallRelay.h"
#include "host/HostContext.h"

namespace {

// Makes the call here on the host thread, through the dialog's relay on any
// other thread.
ps::OSErr Route(HostCallMessage message, void* argument) {
    if (OnHostThread()) return CallHostDirectly(message, argument);
    IHostCallRelay* relay = CurrentHostCallRelay();
    if (relay == nullptr) return -1;
    return relay->Relay(message, argument);
}

}  // namespace

ps::OSErr HostAdvanceState() { return Route(HostCallMessage::AdvanceState, nullptr); }

ps::OSErr HostColourServices(ps::ColorServicesInfo& info) { return Route(HostCallMessage::ColourServices, &info); }

ps::OSErr HostReadPixels(ps::ChannelReadPort port, const ps::PSScaling* scaling, const ps::VRect* writeRect,
                         const ps::PixelMemoryDesc* destination, ps::VRect* wroteRect) {
    ReadPixelsCall call{port, scaling, writeRect, destination, wroteRect};
    return Route(HostCallMessage::ReadPixels, &call);
}

ps::OSErr HostGetProperty(ps::PIType signature, ps::PIType key, int32_t index, intptr_t* simpleProperty,
                          ps::Handle* complexProperty) {
    GetPropertyCall call{signature, key, index, simpleProperty, complexProperty};
    return Route(HostCallMessage::GetProperty, &call);
}

ps::OSErr HostDisplayPixels(const ps::PSPixelMap* source, const ps::VRect* sourceRect, int32_t destinationRow,
                            int32_t destinationColumn, void* platformContext) {
    DisplayPixelsCall call{source, sourceRect, destinationRow, destinationColumn, platformContext};
    return Route(HostCallMessage::DisplayPixels, &call);
}
