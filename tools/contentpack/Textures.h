// The default textures: grey-scale height fields, light where the surface
// stands high, that repeat without a seam in both directions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imagefiles/RasterImage.h"

// A height field of heights in 0..1, rows top to bottom.
struct HeightField {
    std::string name;  // the file name without extension
    int32_t size;      // width and height
    std::vector<double> heights;

    // One grey channel, dithered.
    RasterImage ToRaster() const;

    // The height at (x, y), repeating the field beyond its edges.
    double At(int32_t x, int32_t y) const {
        const int32_t wx = ((x % size) + size) % size, wy = ((y % size) + size) % size;
        return heights[static_cast<std::size_t>(wy) * static_cast<std::size_t>(size) + static_cast<std::size_t>(wx)];
    }
};

// The side of every texture, in pixels.
constexpr int32_t kTextureSize = 512;

HeightField DrawCanvasTexture();
HeightField DrawPaperTexture();
HeightField DrawBrickTexture();
HeightField DrawStuccoTexture();
