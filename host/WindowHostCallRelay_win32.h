// Host calls made on another thread, carried to the host thread by the
// filter dialog's window. The relay sends the window one of the private
// host-call messages with the call's record in the first parameter; the
// window's procedure, running on the host thread, answers it with
// AnswerHostCallMessage, whose result is the message result.
//
// The dialog makes a WindowHostCallRelay for its window once the window
// exists and destroys it before the window goes (after stopping any thread
// that might still send), and its OnMessage hands every message for which
// IsHostCallMessage holds to AnswerHostCallMessage.
#pragma once

#include "host/HostCallRelay.h"
#include "platform/WinApi.h"

// True for the messages of the relayed host calls (0x8005 to 0x8009).
bool IsHostCallMessage(UINT message);

// Makes the relayed call `message` with the record `record` and returns its
// result. Refused with -1 (the host is not called) off the host thread, and
// for a message that is no host call. `receipt` is the relay's
// acknowledgement slot (0 when the sender has none): it tells the relay that
// a window really made the call, so that a destroyed window or one that does
// not serve relays cannot pass for a host that answered 0.
LRESULT AnswerHostCallMessage(UINT message, WPARAM record, LPARAM receipt);

// Installs itself as the current relay for its lifetime and puts back the
// relay it replaced when destroyed. Relay blocks until the window's thread
// has answered: that thread must keep dispatching messages while another
// thread may send. A call that no window answered fails with -1.
class WindowHostCallRelay final : public IHostCallRelay {
public:
    explicit WindowHostCallRelay(HWND window);
    ~WindowHostCallRelay() override;
    WindowHostCallRelay(const WindowHostCallRelay&) = delete;
    WindowHostCallRelay& operator=(const WindowHostCallRelay&) = delete;

    ps::OSErr Relay(HostCallMessage message, void* argument) override;

private:
    HWND window_;
    IHostCallRelay* previous_;
};
