// A picture being drawn: straight colours in floating point, turned into
// 8-bit pixels only at the end, with a little dither so that soft gradients
// and soft edges keep no visible steps.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "imagefiles/RasterImage.h"
#include "tools/contentpack/Colour.h"

class Picture {
public:
    Picture(int32_t width, int32_t height) : width_(width), height_(height), pixels_(Index(width, height)) {}

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    Colour& At(int32_t x, int32_t y) { return pixels_[Index(x, y)]; }
    const Colour& At(int32_t x, int32_t y) const { return pixels_[Index(x, y)]; }

    // Copies `part` with its top-left corner at (left, top).
    void Place(const Picture& part, int32_t left, int32_t top);

    // Red, green, blue and alpha (or grey alone when `grey` is set, from the
    // red component), dithered with a fixed pattern.
    RasterImage ToRaster(bool grey = false) const;

private:
    std::size_t Index(int32_t x, int32_t y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int32_t width_;
    int32_t height_;
    std::vector<Colour> pixels_;
};

// A colour for every point of the plane, in pixel units (pixel (x, y)
// covers x..x+1, y..y+1).
using PaintFunction = std::function<Colour(double x, double y)>;

// A picture of width × height whose every pixel is the mean of
// samples × samples points of `paint` spread over it (alpha-weighted, so
// transparent samples lend no colour).
Picture Paint(int32_t width, int32_t height, int samples, const PaintFunction& paint);
