// Keyboard sinks the controls share: the registration of a sink with the
// keyboard hook for the life of its control, and the sink that commits what
// was typed into a field when Enter goes down there (Enter may press the
// dialog's default button next, which reads the values at once).
#pragma once

#include "controls/EventNotifySink.h"
#include "controls/KeyboardHook.h"
#include "platform/WinApi.h"

// Adds `sink` to the keyboard hook on Add and removes it when it goes.
class KeyboardSinkRegistration {
public:
    explicit KeyboardSinkRegistration(EventNotifySink* sink) : sink_(sink) {}
    ~KeyboardSinkRegistration() { Remove(); }
    KeyboardSinkRegistration(const KeyboardSinkRegistration&) = delete;
    KeyboardSinkRegistration& operator=(const KeyboardSinkRegistration&) = delete;

    void Add() {
        if (added_) return;
        KeyboardHook::AddSink(sink_);
        added_ = true;
    }
    void Remove() {
        if (added_) KeyboardHook::RemoveSink(sink_);
        added_ = false;
    }

private:
    EventNotifySink* sink_;
    bool added_ = false;
};

// Suspends the hook while a nested modal window (a colour picker, a file
// dialog, a prompt) is up, so that it gets its keys untouched; the state
// before comes back at the end.
class SuspendedKeyboardHook {
public:
    SuspendedKeyboardHook() : was_(KeyboardHook::suspended) { KeyboardHook::suspended = true; }
    ~SuspendedKeyboardHook() { KeyboardHook::suspended = was_; }
    SuspendedKeyboardHook(const SuspendedKeyboardHook&) = delete;
    SuspendedKeyboardHook& operator=(const SuspendedKeyboardHook&) = delete;

private:
    bool was_;
};

// True while the key being dispatched is `key` going down in `field`.
inline bool KeyGoesDownIn(HWND field, WPARAM key) {
    return field != nullptr && GetFocus() == field && KeyboardHook::keyCode == key && !KeyboardHook::IsRelease();
}

// Calls Method of its owner when Enter goes down in the field; the key
// goes on to the dialog.
template <class Owner, void (Owner::*Method)()>
class EnterKeySink final : public EventNotifySink {
public:
    explicit EnterKeySink(Owner* owner) : owner_(owner) {}
    void SetField(HWND field) { field_ = field; }
    void Notify() override {
        if (KeyGoesDownIn(field_, VK_RETURN)) (owner_->*Method)();
    }

private:
    Owner* owner_;
    HWND field_ = nullptr;
};
