// The document an in-process host holds: one 8-bit layer in grey, RGB, CMYK
// or Lab mode, its planes interleaved pixel by pixel, optionally followed by
// a transparency plane (then it is a layer with transparency, else a flat
// image). CMYK planes are stored inverted (255 is no ink) and Lab planes as
// L * 2.55, a + 128, b + 128, the way hosts hand such pixels to filters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pluginapi/PluginInterface.h"

enum class HostImageMode : int16_t {
    Grey = ps::plugInModeGrayScale,
    Rgb = ps::plugInModeRGBColor,
    Cmyk = ps::plugInModeCMYKColor,
    Lab = ps::plugInModeLabColor,
};

// Colour planes of a mode: 1 grey, 3 RGB and Lab, 4 CMYK.
int32_t ColourPlanesOf(HostImageMode mode);

struct HostImage {
    HostImageMode mode = HostImageMode::Rgb;
    int32_t width = 0;
    int32_t height = 0;
    bool transparency = false;  // the last plane is the layer's transparency
    std::vector<uint8_t> pixels;

    HostImage() = default;
    // Zero-filled; negative sizes count as zero.
    HostImage(HostImageMode imageMode, int32_t w, int32_t h, bool withTransparency);

    // A grey (1 or 2 planes) or RGB (3 or 4) picture from pixels interleaved
    // row by row, the last plane transparency when there are 2 or 4; the
    // pixels are taken over, not copied.
    static HostImage FromInterleaved(int32_t w, int32_t h, int32_t planes, std::vector<uint8_t> interleaved);

    int32_t ColourPlanes() const { return ColourPlanesOf(mode); }
    int32_t Planes() const { return ColourPlanes() + (transparency ? 1 : 0); }
    std::size_t PixelCount() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
    bool IsEmpty() const { return width <= 0 || height <= 0; }

    uint8_t& At(int32_t x, int32_t y, int32_t plane) { return pixels[Offset(x, y, plane)]; }
    uint8_t At(int32_t x, int32_t y, int32_t plane) const { return pixels[Offset(x, y, plane)]; }
    // Sets every pixel's planes to `values`, plane by plane; planes beyond
    // the values keep theirs.
    void Fill(const std::vector<uint8_t>& values);

private:
    std::size_t Offset(int32_t x, int32_t y, int32_t plane) const {
        return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) *
                   static_cast<std::size_t>(Planes()) +
               static_cast<std::size_t>(plane);
    }
};
