#include "gimp/LayerViews.h"

Image<unsigned char> LayerPixelsView(HostImage& layer) {
    const bool grey = layer.mode == HostImageMode::Grey;
    const ChannelLayout layout(grey ? kColourModelGrey : kColourModelRGB, grey ? 1 : 3, layer.transparency);
    return Image<unsigned char>(layout, Rect(0, 0, layer.height, layer.width), layer.pixels.data(), 0);
}

SingleChannelImage<unsigned char> SelectionView(std::vector<uint8_t>& selection, int32_t width, int32_t height) {
    return SingleChannelImage<unsigned char>(Rect(0, 0, height, width), selection.data(), 0);
}
