// Ctrl+Shift+C: the current parameters as a dapple command line on the
// clipboard.
#include <cstring>

#include "dialog/FilterDialog_win32.h"
#include "platform/TextEncoding.h"

namespace {

// Puts `text` on the clipboard as Unicode text; false when the clipboard
// cannot be had.
bool PutOnClipboard(HWND owner, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (memory == nullptr) return false;
    void* bytes = GlobalLock(memory);
    if (bytes == nullptr) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(bytes, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    // The clipboard owns the memory once it took it.
    if (!put) GlobalFree(memory);
    return put;
}

}  // namespace

void FilterDialog::CopyCommandLine() {
    const std::string line = model_->CommandLine();
    if (!line.empty()) PutOnClipboard(Hwnd(), line);
}
