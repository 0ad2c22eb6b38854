#include "controls/KeyboardHook.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "controls/ToolkitInstance.h"

bool KeyboardHook::suspended = false;
WPARAM KeyboardHook::keyCode = 0;
LPARAM KeyboardHook::keyFlags = 0;
bool KeyboardHook::consumed = false;

namespace {

HHOOK gHook = nullptr;
std::unique_ptr<std::vector<EventNotifySink*>> gSinks;

// Calls every sink once, in list order. A sink may change the list while it
// runs: afterwards dispatch goes on after the sink just called, found again
// from the head; a sink that removed itself leaves its successor in its
// place.
void NotifySinks() {
    std::size_t index = 0;
    while (gSinks && index < gSinks->size()) {
        EventNotifySink* sink = (*gSinks)[index];
        sink->Notify();
        if (!gSinks) return;
        if (index < gSinks->size() && (*gSinks)[index] == sink) {
            ++index;
            continue;
        }
        const auto found = std::find(gSinks->begin(), gSinks->end(), sink);
        if (found != gSinks->end()) index = static_cast<std::size_t>(found - gSinks->begin()) + 1;
    }
}

}  // namespace

ResultCode KeyboardHook::Install() {
    if (gHook == nullptr) {
        HHOOK hook = SetWindowsHookExW(WH_KEYBOARD, HookProcedure, ToolkitInstance(), GetCurrentThreadId());
        if (hook == nullptr) return ResultCode::Failure();
        gHook = hook;
    }
    try {
        gSinks = std::make_unique<std::vector<EventNotifySink*>>();
    } catch (const std::bad_alloc&) {
        return ResultCode::OutOfMemory();
    }
    return ResultCode::Success();
}

void KeyboardHook::Uninstall() {
    if (gHook != nullptr) {
        UnhookWindowsHookEx(gHook);
        gHook = nullptr;
    }
    gSinks.reset();
}

bool KeyboardHook::IsInstalled() { return gHook != nullptr; }

void KeyboardHook::AddSink(EventNotifySink* sink) {
    if (!gSinks || sink == nullptr) return;
    try {
        gSinks->push_back(sink);
    } catch (const std::bad_alloc&) {
        // The sink is not added; its control simply gets no keys.
    }
}

void KeyboardHook::RemoveSink(EventNotifySink* sink) {
    if (!gSinks) return;
    gSinks->erase(std::remove(gSinks->begin(), gSinks->end(), sink), gSinks->end());
}

LRESULT CALLBACK KeyboardHook::HookProcedure(int code, WPARAM wparam, LPARAM lparam) {
    // Only a key that is being taken from the queue is dispatched: negative
    // codes must go straight on, and a key merely looked at (HC_NOREMOVE)
    // comes again with HC_ACTION when it is taken.
    consumed = false;
    if (code == HC_ACTION && !suspended) {
        keyCode = wparam;
        keyFlags = lparam;
        NotifySinks();
    }
    if (consumed) return 1;
    return CallNextHookEx(gHook, code, wparam, lparam);
}
