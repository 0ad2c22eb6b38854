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

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap section(CreateDIBSection(source.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC memory = CreateCompatibleDC(source.Get());
    if (!section || memory == nullptr) {
        if (memory != nullptr) DeleteDC(memory);
        return RasterImage();
    }
    {
        SelectedObject selected(memory, section.Get());
        BitBlt(memory, 0, 0, width, height, source.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    DeleteDC(memory);

    RasterImage picture(width, height, 3);
    const auto* bgrx = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = picture.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = bgrx + (static_cast<size_t>(y) * width + x) * 4;
            row[x * 3 + 0] = pixel[2];
            row[x * 3 + 1] = pixel[1];
            row[x * 3 + 2] = pixel[0];
        }
    }
    return picture;
}
