#include "controls/FadedImage.h"

#include <cstdint>
#include <functional>

#include "controls/GdiHandles.h"

namespace {

// How much of the picture's contrast to the face stays.
constexpr double kContrastKept = 0.35;

// Draws `paint` on a face-coloured ground of `width` x `height`, fades the
// result and copies it to (x, y) of `dc`.
void DrawFaded(HDC dc, int x, int y, int width, int height, const std::function<void(HDC)>& paint) {
    PixelCanvas canvas(dc, width, height);
    MemoryDC memory(CreateCompatibleDC(dc));
    if (canvas.Pixels() == nullptr || !memory) return;
    SelectedObject selected(memory.Get(), canvas.Bitmap());
    RECT all{0, 0, width, height};
    FillRect(memory.Get(), &all, GetSysColorBrush(COLOR_3DFACE));
    paint(memory.Get());
    GdiFlush();
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const double ground[3] = {static_cast<double>(GetBValue(face)), static_cast<double>(GetGValue(face)),
                              static_cast<double>(GetRValue(face))};
    auto* pixels = reinterpret_cast<uint8_t*>(canvas.Pixels());
    for (int i = 0; i < width * height; ++i) {
        uint8_t* p = pixels + static_cast<std::size_t>(i) * 4;
        const double grey = 0.114 * p[0] + 0.587 * p[1] + 0.299 * p[2];
        for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(ground[c] + (grey - ground[c]) * kContrastKept + 0.5);
    }
    BitBlt(dc, x, y, width, height, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace

void DrawFadedBitmap(HDC dc, HBITMAP bitmap, int x, int y) {
    BITMAP size{};
    if (GetObjectW(bitmap, sizeof size, &size) == 0) return;
    DrawFaded(dc, x, y, size.bmWidth, size.bmHeight, [&](HDC target) {
        MemoryDC source(CreateCompatibleDC(target));
        if (!source) return;
        SelectedObject selected(source.Get(), bitmap);
        BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source.Get(), 0, 0, SRCCOPY);
    });
}

void DrawFadedIcon(HDC dc, HICON icon, int x, int y, int size) {
    DrawFaded(dc, x, y, size, size,
              [&](HDC target) { DrawIconEx(target, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL); });
}
