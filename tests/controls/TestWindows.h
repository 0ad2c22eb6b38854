// Helpers of the toolkit tests: a parent window to put controls in, and a
// pump for the messages the tests post.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "controls/ControlClasses.h"
#include "controls/EventNotifySink.h"
#include "controls/KeyboardHook.h"
#include "platform/WinApi.h"

// A hidden top-level window of a plain class, destroyed with the helper.
class TestParentWindow {
public:
    TestParentWindow();
    ~TestParentWindow();
    TestParentWindow(const TestParentWindow&) = delete;
    TestParentWindow& operator=(const TestParentWindow&) = delete;
    HWND Hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

// Registers the control classes for one test and unregisters them after.
class RegisteredControlClasses {
public:
    RegisteredControlClasses() : result(RegisterControlClasses()) {}
    ~RegisteredControlClasses() { UnregisterControlClasses(); }
    ResultCode result;
};

// Dispatches every message waiting for this thread.
void PumpMessages();
// Dispatches messages for `milliseconds` (timers fire meanwhile).
void PumpMessagesFor(int milliseconds);

// Counts its notifications.
class CountingSink : public EventNotifySink {
public:
    void Notify() override { ++calls; }
    int calls = 0;
};

// A shown parent for controls whose children take the focus, with a
// second focusable window to move the focus to ("leaving" a field).
class FocusableParent {
public:
    FocusableParent();
    ~FocusableParent();
    FocusableParent(const FocusableParent&) = delete;
    FocusableParent& operator=(const FocusableParent&) = delete;
    HWND Hwnd() const { return parent_.Hwnd(); }
    // Moves the focus away from whatever has it.
    void TakeFocus();

private:
    TestParentWindow parent_;
    HWND elsewhere_ = nullptr;
};

// Installs the keyboard hook for one test and removes it after.
class InstalledKeyboardHook {
public:
    InstalledKeyboardHook() : result(KeyboardHook::Install()) {}
    ~InstalledKeyboardHook() { KeyboardHook::Uninstall(); }
    ResultCode result;
};

// Types `text` into `hwnd` character by character, as the keyboard would.
void TypeText(HWND hwnd, const std::wstring& text);
// Replaces the whole text of an edit field by typing.
void ReplaceText(HWND edit, const std::wstring& text);
// A key going down for the first time, as the keyboard hook sees it; true
// when a sink swallowed it.
bool PressKey(WPARAM key);
// Holds Shift (in the thread's keyboard state) while it lives.
class HeldShift {
public:
    HeldShift();
    ~HeldShift();
    HeldShift(const HeldShift&) = delete;
    HeldShift& operator=(const HeldShift&) = delete;
};

// The mouse messages a click makes, sent to `hwnd` at client point (x, y).
void MouseDown(HWND hwnd, int x, int y);
void MouseMove(HWND hwnd, int x, int y);
void MouseUp(HWND hwnd, int x, int y);
void Click(HWND hwnd, int x, int y);

// The text of a window (UTF-16).
std::wstring TextOf(HWND hwnd);

// The common ground of the control tests: the classes registered, the
// keyboard hook installed, a parent to put controls in, a sink to count.
class ControlTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(classes.result.IsSuccess());
        ASSERT_TRUE(hook.result.IsSuccess());
    }

    RegisteredControlClasses classes;
    InstalledKeyboardHook hook;
    FocusableParent parent;
    CountingSink changes;
};
