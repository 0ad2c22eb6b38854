#include "host/WindowHostCallRelay_win32.h"

#include "host/HostContext.h"

namespace {

constexpr ps::OSErr kNotAnswered = -1;

// Filled in by the answering window procedure; the sender is blocked in
// SendMessage meanwhile, so the slot is never touched by two threads at once.
struct HostCallReceipt {
    bool answered = false;
};

}  // namespace

bool IsHostCallMessage(UINT message) {
    return message >= static_cast<UINT>(HostCallMessage::AdvanceState) &&
           message <= static_cast<UINT>(HostCallMessage::DisplayPixels);
}

LRESULT AnswerHostCallMessage(UINT message, WPARAM record, LPARAM receipt) {
    // Only the host thread may call the host; a window of another thread
    // must not do it on the sender's behalf.
    if (!IsHostCallMessage(message) || !OnHostThread()) return kNotAnswered;
    const ps::OSErr result = CallHostDirectly(static_cast<HostCallMessage>(message), reinterpret_cast<void*>(record));
    if (receipt != 0) reinterpret_cast<HostCallReceipt*>(receipt)->answered = true;
    return result;
}

WindowHostCallRelay::WindowHostCallRelay(HWND window) : window_(window), previous_(SetHostCallRelay(this)) {}

WindowHostCallRelay::~WindowHostCallRelay() {
    // A relay made later and still installed stays; only our own place is
    // given back.
    if (CurrentHostCallRelay() == this) SetHostCallRelay(previous_);
}

ps::OSErr WindowHostCallRelay::Relay(HostCallMessage message, void* argument) {
    HostCallReceipt receipt;
    const LRESULT result = SendMessageW(window_, static_cast<UINT>(message), reinterpret_cast<WPARAM>(argument),
                                        reinterpret_cast<LPARAM>(&receipt));
    if (!receipt.answered) return kNotAnswered;
    // Host calls answer 16-bit status codes.
    return static_cast<ps::OSErr>(result);
}
