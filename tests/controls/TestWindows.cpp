#include "tests/controls/TestWindows.h"

namespace {

constexpr wchar_t kParentClass[] = L"DappleTestParent";

ATOM ParentClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kParentClass;
        return RegisterClassExW(&windowClass);
    }();
    return atom;
}

}  // namespace

TestParentWindow::TestParentWindow() {
    hwnd_ = CreateWindowExW(0, MAKEINTATOM(ParentClass()), L"Test parent", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
}

TestParentWindow::~TestParentWindow() {
    if (hwnd_ != nullptr) DestroyWindow(hwnd_);
}

void PumpMessagesFor(int milliseconds) {
    const DWORD start = GetTickCount();
    while (static_cast<int>(GetTickCount() - start) < milliseconds) {
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    PumpMessages();
}

FocusableParent::FocusableParent() {
    SetForegroundWindow(parent_.Hwnd());
    elsewhere_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 380, 280, 10, 10, parent_.Hwnd(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
}

FocusableParent::~FocusableParent() {
    if (elsewhere_ != nullptr) DestroyWindow(elsewhere_);
}

void FocusableParent::TakeFocus() { SetFocus(elsewhere_); }

void TypeText(HWND hwnd, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(hwnd, WM_CHAR, c, 1);
}

void ReplaceText(HWND edit, const std::wstring& text) {
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, WM_CLEAR, 0, 0);
    TypeText(edit, text);
}

bool PressKey(WPARAM key) {
    constexpr LPARAM kFirstPress = 0x00000001;
    return KeyboardHook::HookProcedure(HC_ACTION, key, kFirstPress) != 0;
}

HeldShift::HeldShift() {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
}

HeldShift::~HeldShift() {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

void MouseDown(HWND hwnd, int x, int y) { SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }
void MouseMove(HWND hwnd, int x, int y) { SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y)); }
void MouseUp(HWND hwnd, int x, int y) { SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

void Click(HWND hwnd, int x, int y) {
    MouseDown(hwnd, x, y);
    MouseUp(hwnd, x, y);
}

std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
