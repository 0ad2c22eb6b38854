// Driving the plug-in: the selectors in a host's order, the continue loop,
// and what the host keeps between runs (data slot, parameters handle,
// recorded descriptor).
#include <cstring>

#include "inprocesshost/ActiveHost.h"
#include "inprocesshost/InProcessHost.h"
#include "pluginapi/RectConversion.h"

namespace {

// A plug-in that never stops requesting is stopped here.
constexpr int64_t kMaxContinueCalls = 1000000;

bool IsEmpty(const ps::Rect16& rect) { return !(rect.top < rect.bottom && rect.left < rect.right); }

bool AnyRequest(const ps::FilterRecord& record) {
    return !IsEmpty(record.inRect) || !IsEmpty(record.outRect) || !IsEmpty(record.maskRect);
}

std::string PascalText(const ps::Str255& text) { return std::string(reinterpret_cast<const char*>(text + 1), text[0]); }

}  // namespace

int16_t InProcessHost::CallSelector(FilterKind kind, int16_t selector) {
    ActivateInProcessHost(this);
    PluginState& state = plugins_[kind];
    record_.parameters = state.parameters;
    selectorLog_.push_back(selector);
    int16_t result = 0;
    if (entry_) entry_(selector, &record_, &state.data, &result, kind);
    // The plug-in may have created (or replaced) its parameters handle.
    state.parameters = record_.parameters;
    return result;
}

RunOutcome InProcessHost::RunFilter(FilterKind kind, const RunOptions& options) {
    RunOutcome outcome;
    if (!BeginRun(outcome, options)) return outcome;
    if (options.parametersSelector) {
        const int16_t result = CallSelector(kind, ps::filterSelectorParameters);
        if (result != 0) {
            Fail(outcome, ps::filterSelectorParameters, result);
            EndRun(false);
            return outcome;
        }
    }
    for (int16_t selector : {ps::filterSelectorPrepare, ps::filterSelectorStart}) {
        const int16_t result = CallSelector(kind, selector);
        if (result != 0) {
            // Without a successful start there is no finish.
            Fail(outcome, selector, result);
            EndRun(false);
            return outcome;
        }
    }
    ContinueWhileRequested(kind, outcome);
    const int16_t finished = CallSelector(kind, ps::filterSelectorFinish);
    if (finished != 0 && outcome.Succeeded()) Fail(outcome, ps::filterSelectorFinish, finished);
    EndRun(outcome.Succeeded());
    return outcome;
}

bool InProcessHost::BeginRun(RunOutcome& outcome, const RunOptions& options) {
    ActivateInProcessHost(this);
    progress_.clear();
    recorded_.reset();
    errorString_[0] = 0;
    exchange_.Reset();
    ApplyDocumentToRecord();
    ClearRequestFields();
    if (image_.IsEmpty() || image_.width > INT16_MAX || image_.height > INT16_MAX) {
        outcome.result = ps::paramErr;
        outcome.errorText = "the image is empty or larger than 32767 pixels on a side";
        return false;
    }
    if (SelectionBounds().IsEmpty()) {
        outcome.result = ps::paramErr;
        outcome.errorText = "the selection is empty";
        return false;
    }
    // The host masks the plug-in's output through the selection unless the
    // plug-in says it masks by itself.
    record_.autoMask = record_.haveMask;
    revertOnFailure_ = options.revertOnFailure;
    if (revertOnFailure_) imageBeforeRun_ = image_;
    HandInPlayDescriptor();
    return true;
}

void InProcessHost::ContinueWhileRequested(FilterKind kind, RunOutcome& outcome) {
    for (int64_t calls = 0; AnyRequest(record_); ++calls) {
        if (calls >= kMaxContinueCalls) {
            Fail(outcome, ps::filterSelectorContinue, ps::paramErr);
            outcome.errorText = "the plug-in kept requesting pixels";
            return;
        }
        const ps::OSErr delivered = exchange_.Exchange(record_, image_, OutputPlanes(), selection_);
        if (delivered != ps::noErr) {
            Fail(outcome, ps::filterSelectorContinue, delivered);
            return;
        }
        const int16_t result = CallSelector(kind, ps::filterSelectorContinue);
        exchange_.CommitPendingOutput(record_, image_, selection_);
        if (result != 0) {
            Fail(outcome, ps::filterSelectorContinue, result);
            return;
        }
    }
}

void InProcessHost::Fail(RunOutcome& outcome, int16_t selector, int16_t result) {
    outcome.result = result;
    outcome.selector = selector;
    if (result == ps::errReportString) outcome.errorText = PascalText(errorString_);
}

void InProcessHost::EndRun(bool succeeded) {
    exchange_.Reset();
    ClearRequestFields();
    TakeDescriptorBack();
    // A failed run is undone, as a host reverts the document.
    if (!succeeded && revertOnFailure_) image_ = std::move(imageBeforeRun_);
    imageBeforeRun_ = HostImage();
}

void InProcessHost::HandInPlayDescriptor() {
    handles_.Dispose(descriptorParameters_.descriptor);
    descriptorParameters_.descriptor = nullptr;
    handedInDescriptor_ = nullptr;
    descriptorParameters_.playInfo = playInfo_;
    descriptorParameters_.recordInfo = ps::plugInDialogOptional;
    if (!playDescriptor_ || omitted_.count(HostCallback::Descriptors) != 0) return;
    handedInDescriptor_ = descriptors_.NewDescriptorHandle(*playDescriptor_);
    descriptorParameters_.descriptor = handedInDescriptor_;
}

void InProcessHost::TakeDescriptorBack() {
    ps::Handle left = descriptorParameters_.descriptor;
    descriptorParameters_.descriptor = nullptr;
    const bool handedIn = left != nullptr && left == handedInDescriptor_;
    handedInDescriptor_ = nullptr;
    if (left == nullptr) return;
    // Anything but the descriptor handed in was written by the plug-in.
    DescriptorStore written;
    if (!handedIn && descriptors_.ReadDescriptorHandle(left, written)) recorded_ = std::move(written);
    handles_.Dispose(left);
}

int16_t InProcessHost::RunAbout(FilterKind kind) {
    ActivateInProcessHost(this);
    ps::AboutRecord about{};
    about.platformData = omitted_.count(HostCallback::PlatformData) != 0 ? nullptr : &platformData_;
    selectorLog_.push_back(ps::filterSelectorAbout);
    int16_t result = 0;
    if (entry_) entry_(ps::filterSelectorAbout, &about, &plugins_[kind].data, &result, kind);
    return result;
}

int16_t InProcessHost::QueryAffectedArea(FilterKind kind, const Rect& input, Rect& affected) {
    ApplyDocumentToRecord();
    ClearRequestFields();
    record_.inRect = RectToHost(input);
    const int16_t result = CallSelector(kind, ps::filterSelectorAffectedArea);
    const ps::Rect16 out = record_.outRect;
    affected = Rect(out.top, out.left, out.bottom, out.right);
    ClearRequestFields();
    return result;
}
