// The layer's pixels and selection as the core's images, the form in which
// the effect dialog (gimp/dialog/EffectDialog.h) takes them. The views
// share the memory they are given, which must outlive them.
#pragma once

#include <cstdint>
#include <vector>

#include "image/Image.h"
#include "inprocesshost/HostImage.h"

// The layer's samples (grey or RGB, with or without alpha) over its
// bounds from (0, 0).
Image<unsigned char> LayerPixelsView(HostImage& layer);

// The selection, one byte per pixel of a `width` x `height` layer. The
// caller passes no view (null) when nothing is selected.
SingleChannelImage<unsigned char> SelectionView(std::vector<uint8_t>& selection, int32_t width, int32_t height);
