// Writes textures (*.jpg) for the Resurface effect: grey-scale JPEG files of
// one component, the only JPEG files the effect accepts as content.
#pragma once

#include <string>

#include "imagefiles/RasterImage.h"

// Writes the brightness of `picture` (any channel count; transparency
// composited over white) to `path`, which must name a JPEG file. Empty on
// success, else one line saying what went wrong.
std::string WriteTexture(const std::string& path, const RasterImage& picture);

// The brightness of `picture` as WriteTexture writes it: one grey channel.
RasterImage TextureBrightness(const RasterImage& picture);
