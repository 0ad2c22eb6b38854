// The property suite: the host's version ('vers'), the user's ruler units
// ('rulr') and the busy cursor suspension ('wtch'), which is recorded.
#include "inprocesshost/ActiveHost.h"
#include "inprocesshost/InProcessHost.h"

namespace {

ps::OSErr PS_CALLBACK GetPropertyProc(ps::PIType signature, ps::PIType key, int32_t index, intptr_t* simple,
                                      ps::Handle* complex) {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr ? host->GetProperty(signature, key, index, simple, complex) : ps::paramErr;
}

ps::OSErr PS_CALLBACK SetPropertyProc(ps::PIType signature, ps::PIType key, int32_t index, intptr_t simple,
                                      ps::Handle complex) {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr ? host->SetProperty(signature, key, index, simple, complex) : ps::paramErr;
}

void PutBigEndian(unsigned char* bytes, int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value);
    bytes[0] = static_cast<unsigned char>(bits >> 24);
    bytes[1] = static_cast<unsigned char>(bits >> 16);
    bytes[2] = static_cast<unsigned char>(bits >> 8);
    bytes[3] = static_cast<unsigned char>(bits);
}

}  // namespace

void InProcessHost::FillPropertyProcs() {
    propertyProcs_ = ps::PropertyProcs{};
    propertyProcs_.propertyProcsVersion = ps::kCurrentPropertyProcsVersion;
    propertyProcs_.numPropertyProcs = ps::kCurrentPropertyProcsCount;
    propertyProcs_.getPropertyProc = GetPropertyProc;
    propertyProcs_.setPropertyProc = SetPropertyProc;
}

ps::OSErr InProcessHost::GetProperty(ps::PIType signature, ps::PIType key, int32_t, intptr_t* simple,
                                     ps::Handle* complex) {
    if (signature != ps::kPhotoshopSignature) return ps::errPlugInPropertyUndefined;
    const bool known = key == ps::propVersion || key == ps::propRulerUnits || key == ps::propWatchSuspension;
    if (!known) return ps::errPlugInPropertyUndefined;
    if (propertyAnswer_ == PropertyAnswer::Nothing) return ps::noErr;

    if (key == ps::propVersion && propertyAnswer_ == PropertyAnswer::Complex) {
        if (complex == nullptr) return ps::paramErr;
        unsigned char bytes[12];
        PutBigEndian(bytes, version_.major);
        PutBigEndian(bytes + 4, version_.minor);
        PutBigEndian(bytes + 8, version_.fix);
        *complex = handles_.NewWith(bytes, sizeof bytes);
        return *complex != nullptr ? ps::noErr : ps::memFullErr;
    }
    if (simple == nullptr) return ps::paramErr;
    if (key == ps::propVersion) {
        *simple = static_cast<intptr_t>(((version_.major & 0xFF) << 16) | ((version_.minor & 0xFF) << 8) |
                                        (version_.fix & 0xFF));
    } else if (key == ps::propRulerUnits) {
        *simple = rulerUnits_;
    } else {
        *simple = watchSuspensions_.empty() ? 0 : watchSuspensions_.back();
    }
    return ps::noErr;
}

ps::OSErr InProcessHost::SetProperty(ps::PIType signature, ps::PIType key, int32_t, intptr_t simple, ps::Handle) {
    if (signature != ps::kPhotoshopSignature || key != ps::propWatchSuspension) return ps::errPlugInPropertyUndefined;
    watchSuspensions_.push_back(simple);
    return ps::noErr;
}
