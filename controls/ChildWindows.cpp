#include "controls/ChildWindows.h"

#include <vector>

#include "controls/GdiHandles.h"
#include "controls/ToolkitInstance.h"
#include "platform/TextEncoding.h"

HWND CreateChildWindow(const wchar_t* className, const std::string& text, DWORD style, DWORD extendedStyle,
                       const RECT& rect, HWND parent, int id, HFONT font) {
    HWND hwnd = CreateWindowExW(extendedStyle, className, WideFromUtf8(text).c_str(), style, rect.left, rect.top,
                                Width(rect), Height(rect), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                ToolkitInstance(), nullptr);
    if (hwnd != nullptr && font != nullptr) SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return hwnd;
}

std::string WindowTextUtf8(HWND hwnd, std::size_t maxCharacters) {
    std::vector<wchar_t> buffer(maxCharacters + 1, L'\0');
    const int length = GetWindowTextW(hwnd, buffer.data(), static_cast<int>(buffer.size()));
    return Utf8FromWide(std::wstring_view(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0));
}

void SetWindowTextUtf8(HWND hwnd, const std::string& text) { SetWindowTextW(hwnd, WideFromUtf8(text).c_str()); }

bool MeasureText(HWND hwnd, HFONT font, const std::string& text, SIZE& out) {
    WindowDC dc(hwnd);
    if (dc.Get() == nullptr) return false;
    SelectedObject selected(dc.Get(), font);
    const std::wstring wide = WideFromUtf8(text);
    out = SIZE{0, 0};
    if (!GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &out)) return false;
    if (wide.empty()) {
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc.Get(), &metrics)) out.cy = metrics.tmHeight;
    }
    return true;
}

int TextLineHeight(HWND hwnd, HFONT font, int fallback) {
    WindowDC dc(hwnd);
    if (dc.Get() == nullptr) return fallback;
    SelectedObject selected(dc.Get(), font);
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc.Get(), &metrics)) return fallback;
    return metrics.tmHeight;
}
