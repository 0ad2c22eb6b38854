#include "tools/gallery/WindowPicture.h"

#include <cstdint>

#include "controls/GdiHandles.h"

RasterImage CaptureClientArea(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right;
    const int height = client.bottom;
    WindowDC source(hwnd);
    if (source.Get() == nullptr || width <= 0 || height <= 0) return RasterImage();
    PixelCanvas canvas(source.Get(), width, height);
    HDC memory = CreateCompatibleDC(source.Get());
    if (canvas.Pixels() == nullptr || memory == nullptr) {
        if (memory != nullptr) DeleteDC(memory);
        return RasterImage();
    }
    {
        SelectedObject selected(memory, canvas.Bitmap());
        BitBlt(memory, 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    DeleteDC(memory);

    RasterImage picture(width, height, 3);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = canvas.Pixels()[static_cast<size_t>(y) * width + x];
            row[x * 3 + 0] = static_cast<uint8_t>(pixel >> 16);
            row[x * 3 + 1] = static_cast<uint8_t>(pixel >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(pixel);
        }
    }
    return picture;
}
