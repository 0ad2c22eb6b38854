// A keyboard hook on the host's thread that lets controls and the dialog
// react to keys wherever the focus is. Sinks read the key being dispatched
// from keyCode and keyFlags and set consumed to swallow it. One per process;
// all state is static.
#pragma once

#include "base/ResultCode.h"
#include "controls/EventNotifySink.h"
#include "platform/WinApi.h"

class KeyboardHook {
public:
    // Sets the hook for the current thread (if not set yet) and starts an
    // empty sink list. -1 when the hook cannot be set; nothing changes then.
    static ResultCode Install();
    // Removes the hook, if set, and forgets every sink.
    static void Uninstall();
    static bool IsInstalled();

    // Appends `sink`; a sink that cannot be added (out of memory) is simply
    // not called.
    static void AddSink(EventNotifySink* sink);
    // Removes every entry of `sink`; safe during dispatch.
    static void RemoveSink(EventNotifySink* sink);

    // While set, no sink is called and every key passes on: for nested
    // modal windows (colour chooser, file dialogs, name prompts) that must
    // get their keys untouched.
    static bool suspended;
    // The key being dispatched: the virtual key and the key message flags
    // (repeat count, scan code, bit 30 previously down, bit 31 released).
    static WPARAM keyCode;
    static LPARAM keyFlags;
    // Set by a sink to swallow the key.
    static bool consumed;

    // The hook procedure. Sinks are called in list order; after each call
    // the list is looked at again, so a sink may add or remove sinks.
    static LRESULT CALLBACK HookProcedure(int code, WPARAM wparam, LPARAM lparam);

    // Bit 30 of keyFlags: the key was already down (an auto-repeat).
    static bool IsRepeat() { return (keyFlags & (LPARAM{1} << 30)) != 0; }
    // Bit 31 of keyFlags: the key is being released.
    static bool IsRelease() { return (keyFlags & (LPARAM{1} << 31)) != 0; }
};
