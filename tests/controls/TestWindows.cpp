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

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
