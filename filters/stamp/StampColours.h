// Stamps, shadows and frame pieces are drawn in red, green and blue; the
// image they go on may keep its colours otherwise. These turn an RGB colour
// into the colour samples of the image's layout: one channel (grey) takes
// the largest of red, green and blue, so that a stamp keeps its brightest
// light; other layouts take the colour as the effects paint colours
// (filters/ColourConversion.h), Lab through sRGB.
#pragma once

#include <cstdint>
#include <memory>

#include "base/ResultCode.h"
#include "image/ChannelLayout.h"
#include "image/Image.h"

// True when an RGB picture goes into `layout` sample for sample.
bool TakesRGBAsItIs(const ChannelLayout& layout);

// Writes the `layout.colourChannels` colour samples of (red, green, blue).
void DestinationColours(uint8_t red, uint8_t green, uint8_t blue, const ChannelLayout& layout, uint8_t* out);

// `rgba` (red, green, blue, alpha) with its colours as `layout`'s colour
// samples and its alpha after them, over the same bounds. -108 when memory
// runs out.
ResultCode ConvertForDestination(const Image<unsigned char>& rgba, const ChannelLayout& layout,
                                 std::unique_ptr<Image<unsigned char>>& converted);

class CellTable;

// Converts every stamp of `cells` to `layout`'s colours, unless the layout
// takes red, green and blue as they are. -108 when memory runs out.
ResultCode ConvertCellsForDestination(CellTable& cells, const ChannelLayout& layout);
