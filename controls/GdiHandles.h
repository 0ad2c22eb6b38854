// Owners of the GDI resources the controls draw with: objects freed with
// DeleteObject, memory device contexts, icons, a window's device context,
// an object selected into a device context for a scope, and an off-screen
// canvas that is copied to the window in one step (no flicker).
#pragma once

#include <cstdint>
#include <utility>

#include "platform/WinApi.h"

// A handle freed with `Free` when the owner goes.
template <class Handle, class Free>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Hands the handle on; the caller frees it.
    Handle Release() { return std::exchange(handle_, nullptr); }
    void Reset(Handle handle = nullptr) {
        if (handle_ != nullptr) Free()(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DeleteMemoryDC {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct DestroyIconHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

// A pen, brush, bitmap, font or region.
template <class Handle>
using GdiObject = OwnedHandle<Handle, DeleteGdiObject>;
// A device context from CreateCompatibleDC; what was selected into it goes
// back (SelectedObject) before the device context goes.
using MemoryDC = OwnedHandle<HDC, DeleteMemoryDC>;
// An icon loaded with LoadImage (not a shared one from LoadIcon).
using IconHandle = OwnedHandle<HICON, DestroyIconHandle>;

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;
using Font = GdiObject<HFONT>;

// GetDC / ReleaseDC. Get() is null when no device context can be had.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects `object` into `dc` and puts the previous one back at the end.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory device context with a bitmap of `width` x `height` compatible
// with `target`. Draw into Dc(), then CopyTo the target. When memory is
// short Dc() is the target itself and CopyTo does nothing, so drawing still
// happens, only not off-screen.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC target, int width, int height)
        : target_(target), width_(width), height_(height), dc_(CreateCompatibleDC(target)) {
        if (dc_) bitmap_.Reset(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1));
        if (dc_ && bitmap_) previous_ = SelectObject(dc_.Get(), bitmap_.Get());
    }
    ~OffscreenCanvas() {
        if (previous_ != nullptr) SelectObject(dc_.Get(), previous_);
    }
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    HDC Dc() const { return previous_ != nullptr ? dc_.Get() : target_; }
    void CopyTo(int x, int y) const {
        if (previous_ != nullptr) BitBlt(target_, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
    }

private:
    HDC target_;
    int width_;
    int height_;
    MemoryDC dc_;
    Bitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

// A 32-bit picture of `width` x `height` whose pixels are written directly
// (0x00RRGGBB, rows top down), then copied to a device context. Pixels() is
// null when memory is short.
class PixelCanvas {
public:
    PixelCanvas(HDC reference, int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        if (width > 0 && height > 0)
            bitmap_.Reset(CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (bitmap_) pixels_ = static_cast<uint32_t*>(bits);
    }
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    uint32_t* Pixels() const { return pixels_; }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    // Hands the bitmap on; the caller deletes it. The canvas is empty after.
    HBITMAP Release() {
        pixels_ = nullptr;
        return bitmap_.Release();
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Set(int x, int y, uint32_t rgb) { pixels_[static_cast<std::size_t>(y) * width_ + x] = rgb; }
    static uint32_t Rgb(int r, int g, int b) {
        return (static_cast<uint32_t>(r & 0xFF) << 16) | (static_cast<uint32_t>(g & 0xFF) << 8) |
               static_cast<uint32_t>(b & 0xFF);
    }

    // Copies the picture to (x, y) of `target`.
    void CopyTo(HDC target, int x, int y) const {
        if (pixels_ == nullptr) return;
        GdiFlush();
        MemoryDC memory(CreateCompatibleDC(target));
        if (!memory) return;
        SelectedObject selected(memory.Get(), bitmap_.Get());
        BitBlt(target, x, y, width_, height_, memory.Get(), 0, 0, SRCCOPY);
    }

private:
    int width_;
    int height_;
    GdiObject<HBITMAP> bitmap_;
    uint32_t* pixels_ = nullptr;
};
