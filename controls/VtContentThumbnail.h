// The preview pane of the content open dialog ("VtContentThumbWnd", item
// 4000 of the dialog's extra template): it shows the picture of the file
// selected in the dialog, scaled down to fit when it is larger than the
// pane, or nothing.
#pragma once

#include "image/Image.h"
#include "platform/WinApi.h"

// Show this picture: lparam points at a three-channel Image<unsigned char>
// (RGB), which the pane copies.
inline constexpr UINT kContentThumbnailShow = WM_USER + 50;
// Show nothing.
inline constexpr UINT kContentThumbnailClear = WM_USER + 51;

inline constexpr wchar_t kContentThumbnailClass[] = L"VtContentThumbWnd";

// Registers the pane's window class under the resource module; false when
// it cannot be registered. Unregister it when the dialog is gone.
bool RegisterContentThumbnailClass();
void UnregisterContentThumbnailClass();

// The pane's window procedure.
LRESULT CALLBACK ContentThumbnailProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Whether the pane `hwnd` holds a picture, and its size.
bool ContentThumbnailPicture(HWND hwnd, SIZE& size);

// Where a picture of `width` x `height` shows in a pane whose client area is
// `pane`: inside its 2-pixel frame, scaled down (never up) to fit, centred.
RECT ContentThumbnailPlacement(const RECT& pane, int width, int height);
