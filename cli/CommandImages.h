// The command's image files as the host's document: a grey or RGB file is a
// flat image, one with alpha a layer with transparency. Channels are
// interleaved alike on both sides, so the pixels move straight across.
#pragma once

#include "imagefiles/RasterImage.h"
#include "inprocesshost/HostImage.h"

// By value: a caller that moves its image in makes no copy.
HostImage HostImageFromRaster(RasterImage raster);
// The document with as many channels as the file had (grey or RGB, with
// alpha when the document is a layer with transparency).
RasterImage RasterFromHostImage(HostImage image);
