// Colours as pixels: a colour as the samples of an image's channel layout
// (the effects paint with it), and as 8-bit RGB (the controls show it).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "filters/ColorSpec.h"
#include "image/ChannelLayout.h"

// Samples in the order the layout stores them (at least four); the alpha
// sample, when the layout has one, is 255. Channels past the ones the colour
// model names (multichannel documents) take the colour's grey level.
using PixelSamples = std::vector<uint8_t>;

// RGB, Lab and grey colours go into RGB, Lab and grey images through sRGB
// (D65); CMYK images hold inverted samples (255 is no ink), as ColorSpec's
// CMYK components do. A colour already in the image's model is taken as it is.
PixelSamples ColourSamples(const ColorSpec& colour, const ChannelLayout& layout);

// The colour as 8-bit RGB, whatever its space.
std::array<uint8_t, 3> ColourToRGB(const ColorSpec& colour);
