// The shape a run works on, worked out from a layer and an optional
// selection the way the entry reads it from a host: a selection cropped to
// its content; without one, the layer's transparency cropped to its content
// (the shape then comes from transparency); otherwise, or when the layer is
// fully transparent, everything.
#pragma once

#include "base/ResultCode.h"
#include "image/Image.h"
#include "image/RowImage.h"

// `selection` may be null. `mask` receives a one-byte mask in document
// coordinates.
ResultCode PreviewSelection(const Image<unsigned char>& layer, const SingleChannelImage<unsigned char>* selection,
                            RowImage& mask, bool& shapeFromTransparency);
