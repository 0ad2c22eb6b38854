// Writes Windows icon (.ico) and cursor (.cur) files: one 32-bit image with
// alpha per size, each with the 1-bit mask older systems draw with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/resourcegen/Raster.h"

struct Hotspot {
    int x = 0;
    int y = 0;
};

// The bytes of an icon file holding `images` (sizes 1 to 256, distinct).
std::vector<uint8_t> IconFileBytes(const std::vector<Canvas>& images);
// The bytes of a cursor file with one image and its hotspot in pixels.
std::vector<uint8_t> CursorFileBytes(const Canvas& image, Hotspot hotspot);

// Writes `bytes` to `path`; false when the file cannot be written whole.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
