// Conversions of the pictures the writers take in (RasterImage, as the
// command line reads PNG and JPEG files) to the forms they store.
#pragma once

#include <cstdint>

#include "imagefiles/RasterImage.h"

// `image` with four channels: grey spread to red, green and blue, and full
// opacity where it has no alpha.
RasterImage ToRgba(const RasterImage& image);

// `image` scaled to width × height; alpha-weighted, so transparent pixels
// lend no colour. Throws std::bad_alloc when memory runs out.
RasterImage Scaled(const RasterImage& image, int32_t width, int32_t height);

// The largest centred part of `image` with the aspect ratio width : height.
RasterImage CentredCrop(const RasterImage& image, int32_t width, int32_t height);

// `image` without alpha: composited over white where it has alpha.
RasterImage OverWhite(const RasterImage& image);
