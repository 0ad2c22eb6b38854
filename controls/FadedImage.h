// Pictures as disabled controls show them: grey, and faded toward the
// dialog's face colour, whatever their own colours and ground.
#pragma once

#include "platform/WinApi.h"

void DrawFadedBitmap(HDC dc, HBITMAP bitmap, int x, int y);
void DrawFadedIcon(HDC dc, HICON icon, int x, int y, int size);
