// The system windows (buttons, edits, labels, lists) that the compound
// controls are built from, and their text in our UTF-8 strings.
#pragma once

#include <cstddef>
#include <string>

#include "platform/WinApi.h"

// Creates a child of `parent` of system class `className` at `rect` (parent
// client coordinates) with `text`, and gives it `font` (redrawn). The
// resource module is the instance. Null when the window cannot be made.
HWND CreateChildWindow(const wchar_t* className, const std::string& text, DWORD style, DWORD extendedStyle,
                       const RECT& rect, HWND parent, int id, HFONT font);

// At most `maxCharacters` characters of the window's text.
std::string WindowTextUtf8(HWND hwnd, std::size_t maxCharacters = 255);
void SetWindowTextUtf8(HWND hwnd, const std::string& text);

// The size of `text` drawn in `font` on the device context of `hwnd`; false
// when no device context can be had.
bool MeasureText(HWND hwnd, HFONT font, const std::string& text, SIZE& out);

// The height of a line of text in `font`; `fallback` without a device context.
int TextLineHeight(HWND hwnd, HFONT font, int fallback);

inline int Width(const RECT& rect) { return rect.right - rect.left; }
inline int Height(const RECT& rect) { return rect.bottom - rect.top; }
inline bool Contains(const RECT& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}
