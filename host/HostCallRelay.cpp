#include "host/HostCallRelay.h"

#include <atomic>

#include "host/HostContext.h"

namespace {

std::atomic<IHostCallRelay*> gRelay{nullptr};

constexpr ps::OSErr kCallFailed = -1;

ps::OSErr AdvanceState(const ps::FilterRecord& record) {
    if (record.advanceState == nullptr) return kCallFailed;
    return record.advanceState();
}

ps::OSErr ColourServices(const ps::FilterRecord& record, ps::ColorServicesInfo* info) {
    if (record.colorServices == nullptr || info == nullptr) return kCallFailed;
    return record.colorServices(info);
}

ps::OSErr ReadPixels(const ps::FilterRecord& record, const ReadPixelsCall* call) {
    if (call == nullptr || record.channelPortProcs == nullptr || record.channelPortProcs->readPixelsProc == nullptr) {
        return kCallFailed;
    }
    return record.channelPortProcs->readPixelsProc(call->port, call->scaling, call->writeRect, call->destination,
                                                   call->wroteRect);
}

ps::OSErr GetProperty(const ps::FilterRecord& record, const GetPropertyCall* call) {
    if (call == nullptr || record.propertyProcs == nullptr || record.propertyProcs->getPropertyProc == nullptr) {
        return kCallFailed;
    }
    return record.propertyProcs->getPropertyProc(call->signature, call->key, call->index, call->simpleProperty,
                                                 call->complexProperty);
}

ps::OSErr DisplayPixels(const ps::FilterRecord& record, const DisplayPixelsCall* call) {
    if (call == nullptr || record.displayPixels == nullptr) return kCallFailed;
    return record.displayPixels(call->source, call->sourceRect, call->destinationRow, call->destinationColumn,
                                call->platformContext);
}

}  // namespace

IHostCallRelay* SetHostCallRelay(IHostCallRelay* relay) { return gRelay.exchange(relay); }

IHostCallRelay* CurrentHostCallRelay() { return gRelay.load(); }

ps::OSErr CallHostDirectly(HostCallMessage message, void* argument) {
    const ps::FilterRecord* record = CurrentFilterRecord();
    if (record == nullptr) return kCallFailed;
    switch (message) {
        case HostCallMessage::AdvanceState: return AdvanceState(*record);
        case HostCallMessage::ColourServices:
            return ColourServices(*record, static_cast<ps::ColorServicesInfo*>(argument));
        case HostCallMessage::ReadPixels: return ReadPixels(*record, static_cast<const ReadPixelsCall*>(argument));
        case HostCallMessage::GetProperty: return GetProperty(*record, static_cast<const GetPropertyCall*>(argument));
        case HostCallMessage::DisplayPixels:
            return DisplayPixels(*record, static_cast<const DisplayPixelsCall*>(argument));
    }
    return kCallFailed;
}
