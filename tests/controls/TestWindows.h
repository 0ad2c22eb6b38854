// Helpers of the toolkit tests: a parent window to put controls in, and a
// pump for the messages the tests post.
#pragma once

#include "controls/ControlClasses.h"
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
