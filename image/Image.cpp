// Byte-image views of row-table images: how host planes and masks become
// Image<unsigned char> without copying a pixel.
#include "image/Image.h"

#include "image/RowImage.h"

namespace {

ChannelLayout LayoutFromHost(const RowImage& rows, int32_t hostMode, int32_t colourPlanes) {
    int32_t model = ColourModelForHostMode(hostMode);
    if (model < kColourModelRGB || model > kColourModelGrey) model = kColourModelNone;
    const bool alpha = rows.SamplesPerPixel() == colourPlanes + 1;
    return ChannelLayout(model, colourPlanes, alpha);
}

}  // namespace

template <>
Image<unsigned char>::Image(const RowImage& rows, const ChannelLayout& l)
    : layout(Normalised(l)),
      bounds(rows.Bounds()),
      data(rows.FirstPixel()),
      pixelStride(static_cast<int32_t>(rows.PixelBytes())),
      rowStride(rows.RowDistance()),
      workingLayout(layout) {}

template <>
Image<unsigned char>::Image(const RowImage& rows, int32_t hostMode, int32_t colourPlanes)
    : Image(rows, LayoutFromHost(rows, hostMode, colourPlanes)) {}

template <>
SingleChannelImage<unsigned char>::SingleChannelImage(const RowImage& mask)
    : Image<unsigned char>(mask, ChannelLayout::SingleChannel()) {
    this->pixelStride = 1;
}
