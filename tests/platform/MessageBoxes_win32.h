// Message boxes in tests: they are modal, so a thread timer finds the box
// the code under test shows, reads it and answers it from inside its
// message loop.
#pragma once

#include <string>

#include "platform/WinApi.h"

struct SeenMessageBox {
    std::wstring caption;
    std::wstring text;
    HWND owner = nullptr;
    int defaultButton = 0;  // the button with the default push button style, if one of Yes, No and OK
    bool seen = false;
};

namespace messageboxes {

struct Search {
    int answer;
    SeenMessageBox* seen;
};

inline BOOL CALLBACK ReadAndAnswer(HWND hwnd, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
    SeenMessageBox& seen = *search.seen;
    wchar_t text[512] = {};
    GetWindowTextW(hwnd, text, 512);
    seen.caption = text;
    // The message is the static item 0xFFFF of a message box.
    GetDlgItemTextW(hwnd, 0xFFFF, text, 512);
    seen.text = text;
    seen.owner = GetWindow(hwnd, GW_OWNER);
    for (int button : {IDYES, IDNO, IDOK}) {
        HWND item = GetDlgItem(hwnd, button);
        if (item != nullptr && (GetWindowLongW(item, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            seen.defaultButton = button;
    }
    seen.seen = true;
    PostMessageW(hwnd, WM_COMMAND, static_cast<WPARAM>(search.answer), 0);
    return FALSE;
}

}  // namespace messageboxes

// Reads the visible message box of this thread into `seen` and closes it
// with the button `answer`. Nothing happens while there is none.
inline void AnswerMessageBox(int answer, SeenMessageBox& seen) {
    messageboxes::Search search{answer, &seen};
    EnumThreadWindows(GetCurrentThreadId(), messageboxes::ReadAndAnswer, reinterpret_cast<LPARAM>(&search));
}
