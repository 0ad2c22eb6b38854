#include "controls/VtContentThumbnail.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "controls/ChildWindows.h"
#include "controls/GdiHandles.h"
#include "controls/ToolkitInstance.h"

namespace {

constexpr wchar_t kInfoProperty[] = L"INFO";
constexpr int kFrame = 2;

// What the pane keeps: a memory device context holding the picture.
struct ThumbnailInfo {
    MemoryDC memory;
    Bitmap picture;
    HGDIOBJ previous = nullptr;
    int width = 0;
    int height = 0;
    bool hasImage = false;

    ~ThumbnailInfo() {
        if (previous != nullptr) SelectObject(memory.Get(), previous);
    }
};

ThumbnailInfo* InfoOf(HWND hwnd) { return static_cast<ThumbnailInfo*>(GetPropW(hwnd, kInfoProperty)); }

// A 32-bit bitmap of the picture's RGB pixels.
HBITMAP BitmapOf(HDC dc, const Image<unsigned char>& image) {
    const int width = image.bounds.Width();
    const int height = image.bounds.Height();
    if (width <= 0 || height <= 0 || image.layout.channelCount < 3) return nullptr;
    PixelCanvas canvas(dc, width, height);
    if (canvas.Pixels() == nullptr) return nullptr;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = image.PixelAddress(Point{image.bounds.left + x, image.bounds.top + y});
            canvas.Set(x, y, PixelCanvas::Rgb(p[0], p[1], p[2]));
        }
    }
    GdiFlush();
    return canvas.Release();
}

void Show(HWND hwnd, ThumbnailInfo& info, const Image<unsigned char>* image) {
    Bitmap picture(image != nullptr ? BitmapOf(info.memory.Get(), *image) : nullptr);
    if (info.previous != nullptr) SelectObject(info.memory.Get(), info.previous);
    info.previous = nullptr;
    info.hasImage = false;
    if (picture) {
        info.previous = SelectObject(info.memory.Get(), picture.Get());
        info.width = image->bounds.Width();
        info.height = image->bounds.Height();
        info.hasImage = true;
    }
    info.picture = std::move(picture);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void Paint(HWND hwnd, const ThumbnailInfo& info) {
    PAINTSTRUCT paint{};
    BeginPaint(hwnd, &paint);
    RECT client{};
    GetClientRect(hwnd, &client);
    OffscreenCanvas canvas(paint.hdc, client.right, client.bottom);
    FillRect(canvas.Dc(), &client, GetSysColorBrush(COLOR_3DFACE));
    RECT frame = client;
    DrawEdge(canvas.Dc(), &frame, EDGE_SUNKEN, BF_RECT);
    if (info.hasImage) {
        const RECT place = ContentThumbnailPlacement(client, info.width, info.height);
        SetStretchBltMode(canvas.Dc(), HALFTONE);
        SetBrushOrgEx(canvas.Dc(), 0, 0, nullptr);
        StretchBlt(canvas.Dc(), place.left, place.top, Width(place), Height(place), info.memory.Get(), 0, 0, info.width,
                   info.height, SRCCOPY);
    }
    canvas.CopyTo(0, 0);
    EndPaint(hwnd, &paint);
}

}  // namespace

RECT ContentThumbnailPlacement(const RECT& pane, int width, int height) {
    const int roomWidth = std::max(0, Width(pane) - 2 * kFrame);
    const int roomHeight = std::max(0, Height(pane) - 2 * kFrame);
    int w = width;
    int h = height;
    if (w > roomWidth || h > roomHeight) {
        // The larger shrink of the two keeps the proportions.
        if (static_cast<long long>(w) * roomHeight > static_cast<long long>(h) * roomWidth) {
            h = std::max(1, static_cast<int>(static_cast<long long>(h) * roomWidth / w));
            w = roomWidth;
        } else {
            w = std::max(1, static_cast<int>(static_cast<long long>(w) * roomHeight / h));
            h = roomHeight;
        }
    }
    const int left = pane.left + kFrame + (roomWidth - w) / 2;
    const int top = pane.top + kFrame + (roomHeight - h) / 2;
    return RECT{left, top, left + w, top + h};
}

LRESULT CALLBACK ContentThumbnailProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CREATE: {
            auto* info = new (std::nothrow) ThumbnailInfo;
            if (info != nullptr) info->memory.Reset(CreateCompatibleDC(nullptr));
            if (info == nullptr || !info->memory || !SetPropW(hwnd, kInfoProperty, info)) {
                delete info;
                return -1;
            }
            return 0;
        }
        case WM_DESTROY: delete static_cast<ThumbnailInfo*>(RemovePropW(hwnd, kInfoProperty)); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT:
            if (ThumbnailInfo* info = InfoOf(hwnd)) {
                Paint(hwnd, *info);
                return 0;
            }
            break;
        case kContentThumbnailShow:
        case kContentThumbnailClear:
            if (ThumbnailInfo* info = InfoOf(hwnd)) {
                Show(
                    hwnd, *info,
                    message == kContentThumbnailShow ? reinterpret_cast<const Image<unsigned char>*>(lparam) : nullptr);
            }
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

bool ContentThumbnailPicture(HWND hwnd, SIZE& size) {
    const ThumbnailInfo* info = InfoOf(hwnd);
    if (info == nullptr || !info->hasImage) return false;
    size = SIZE{info->width, info->height};
    return true;
}

bool RegisterContentThumbnailClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = ContentThumbnailProc;
    windowClass.hInstance = ToolkitInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    windowClass.lpszClassName = kContentThumbnailClass;
    return RegisterClassExW(&windowClass) != 0;
}

void UnregisterContentThumbnailClass() { UnregisterClassW(kContentThumbnailClass, ToolkitInstance()); }
