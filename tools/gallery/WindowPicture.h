// A picture of what a window shows on screen, for the gallery's screenshot.
#pragma once

#include "cli/RasterImage.h"
#include "platform/WinApi.h"

// The client area of `hwnd` as RGB pixels; empty when it cannot be read.
RasterImage CaptureClientArea(HWND hwnd);
