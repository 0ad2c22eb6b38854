// The simple callbacks of the filter record (abort, progress, display
// pixels, advance state, process event, host proc) and which of them the
// record carries.
#include "inprocesshost/ActiveHost.h"
#include "inprocesshost/InProcessHost.h"

namespace {

ps::Boolean PS_CALLBACK TestAbortProc() {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr && host->TestAbort() ? 1 : 0;
}

void PS_CALLBACK ProgressProc(int32_t done, int32_t total) {
    if (InProcessHost* host = ActiveInProcessHost()) host->UpdateProgress(done, total);
}

ps::OSErr PS_CALLBACK AdvanceStateProc() {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr ? host->AdvanceState() : ps::paramErr;
}

ps::OSErr PS_CALLBACK DisplayPixelsProc(const ps::PSPixelMap* source, const ps::VRect* sourceRect, int32_t, int32_t,
                                        void*) {
    InProcessHost* host = ActiveInProcessHost();
    return host != nullptr ? host->DisplayPixels(source, sourceRect) : ps::paramErr;
}

// Nothing to process: this host has no event loop of its own.
void PS_CALLBACK ProcessEventProc(void*) {}
void PS_CALLBACK HostProc(int16_t, intptr_t*) {}

}  // namespace

ps::OSErr InProcessHost::AdvanceState() {
    ++advanceStateCalls_;
    return exchange_.Exchange(record_, image_, OutputPlanes(), selection_);
}

bool InProcessHost::TestAbort() {
    ++abortCalls_;
    if (abortAfter_ >= 0 && abortCalls_ > abortAfter_) return true;
    return abortQuestion_ && abortQuestion_();
}

void InProcessHost::UpdateProgress(int32_t done, int32_t total) {
    progress_.push_back(ProgressCall{done, total});
    if (progressObserver_) progressObserver_(done, total);
}

ps::OSErr InProcessHost::DisplayPixels(const ps::PSPixelMap* source, const ps::VRect* sourceRect) {
    ++displayPixelsCalls_;
    // Nothing is shown, but what would be shown must be there.
    if (source == nullptr || sourceRect == nullptr || source->baseAddr == nullptr) return ps::paramErr;
    return ps::noErr;
}

void InProcessHost::ApplyCallbacksToRecord() {
    auto present = [this](HostCallback callback) { return omitted_.count(callback) == 0; };
    record_.abortProc = present(HostCallback::Abort) ? TestAbortProc : nullptr;
    record_.progressProc = present(HostCallback::Progress) ? ProgressProc : nullptr;
    record_.handleProcs = present(HostCallback::Handles) ? &handleProcs_ : nullptr;
    record_.bufferProcs = present(HostCallback::Buffers) ? &bufferProcs_ : nullptr;
    record_.displayPixels = present(HostCallback::DisplayPixels) ? DisplayPixelsProc : nullptr;
    record_.advanceState = present(HostCallback::AdvanceState) ? AdvanceStateProc : nullptr;
    record_.colorServices = present(HostCallback::ColourServices) ? ColourServicesProc() : nullptr;
    record_.propertyProcs = present(HostCallback::Properties) ? &propertyProcs_ : nullptr;
    record_.getPropertyObsolete = present(HostCallback::Properties) ? propertyProcs_.getPropertyProc : nullptr;
    record_.descriptorParameters = present(HostCallback::Descriptors) ? &descriptorParameters_ : nullptr;
    record_.platformData = present(HostCallback::PlatformData) ? &platformData_ : nullptr;
    record_.processEvent = ProcessEventProc;
    record_.hostProc = HostProc;
}
