// Summaries of byte images whose pixels hold the colour channels first and,
// when the layout has alpha, the alpha byte after them (at index
// colourChannels): the box of visible pixels and mean colours.
#pragma once

#include <cstdint>

#include "base/Rect.h"
#include "image/ChannelLayout.h"
#include "image/Image.h"

// One pixel of any layout the core works with (up to CMYK with alpha, and a
// few spare channels for multichannel documents).
struct ColourPixel {
    static constexpr int32_t kMaxChannels = 8;

    ChannelLayout layout;
    unsigned char channels[kMaxChannels] = {};
};

// The smallest box holding every pixel whose alpha byte is non-zero. Unlike
// other rectangles, right and bottom are the largest x and y of a visible
// pixel (inclusive), not one past them. (0, 0, 0, 0) when nothing is visible.
// An image without alpha is visible everywhere.
Rect VisiblePixelBounds(const Image<unsigned char>& image);

// The mean pixel of `image` over `rect` (clipped to the image), into `out`
// with the image's layout. With alpha the colour channels are weighted by
// alpha and stay 0 where everything is transparent; every mean is rounded.
// False, with `out` all zero, when no pixel of `rect` lies in the image or
// the layout has more channels than a ColourPixel holds.
bool MeanColour(const Image<unsigned char>& image, const Rect& rect, ColourPixel& out);

// As MeanColour, but every point of `rect` is first wrapped into `wrap` (the
// image repeats as tiles of `wrap`), so `rect` may reach beyond the image.
// Colour means are truncated integer quotients; the alpha mean is rounded.
// False, with `out` all zero, when `rect` or `wrap` is empty, `wrap` does not
// lie inside the image, or the layout does not fit a ColourPixel.
bool TiledMeanColour(const Image<unsigned char>& image, const Rect& wrap, const Rect& rect, ColourPixel& out);
