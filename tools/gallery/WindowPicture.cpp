#include "tools/gallery/WindowPicture.h"

#include <cstdint>
#include <functional>

#include "controls/GdiHandles.h"

namespace {

// A `width` × `height` picture of what `draw` puts into a memory device
// context compatible with `reference`.
RasterImage Picture(HDC reference, int width, int height, const std::function<void(HDC)>& draw) {
    if (reference == nullptr || width <= 0 || height <= 0) return RasterImage();
    PixelCanvas canvas(reference, width, height);
    {
        MemoryDC memory(CreateCompatibleDC(reference));
        if (canvas.Pixels() == nullptr || !memory) return RasterImage();
        SelectedObject selected(memory.Get(), canvas.Bitmap());
        draw(memory.Get());
        GdiFlush();
    }

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

}  // namespace

RasterImage CaptureClientArea(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    WindowDC source(hwnd);
    return Picture(source.Get(), client.right, client.bottom,
                   [&](HDC memory) { BitBlt(memory, 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY); });
}

RasterImage CaptureWindow(HWND hwnd) {
    RECT window{};
    GetWindowRect(hwnd, &window);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    WindowDC screen(nullptr);
    return Picture(screen.Get(), width, height, [&](HDC memory) {
        BitBlt(memory, 0, 0, width, height, screen.Get(), window.left, window.top, SRCCOPY);
    });
}
