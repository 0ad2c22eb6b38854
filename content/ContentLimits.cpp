#include "content/ContentLimits.h"

bool IsPlausiblePictureSize(int64_t width, int64_t height, uint64_t storedBytes) {
    if (width <= 0 || height <= 0) return false;
    const uint64_t w = static_cast<uint64_t>(width);
    const uint64_t h = static_cast<uint64_t>(height);
    if (w > kMaxContentPixels || h > kMaxContentPixels / w) return false;
    const uint64_t pixels = w * h;
    // storedBytes × ratio could overflow only far beyond the absolute limit.
    if (storedBytes >= kMaxContentPixels) return true;
    return pixels <= storedBytes * kMaxPixelsPerStoredByte;
}
