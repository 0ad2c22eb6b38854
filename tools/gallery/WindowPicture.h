// Pictures of what a window shows on screen, for the gallery and the dialog
// screenshots.
#pragma once

#include "imagefiles/RasterImage.h"
#include "platform/WinApi.h"

// The client area of `hwnd` as RGB pixels; empty when it cannot be read.
RasterImage CaptureClientArea(HWND hwnd);
// The whole window, frame, caption and menu included, as the screen shows
// it (the window must be on top).
RasterImage CaptureWindow(HWND hwnd);
