#include "inprocesshost/HostImage.h"

#include <algorithm>
#include <utility>

int32_t ColourPlanesOf(HostImageMode mode) {
    switch (mode) {
        case HostImageMode::Grey: return 1;
        case HostImageMode::Cmyk: return 4;
        case HostImageMode::Rgb:
        case HostImageMode::Lab: return 3;
    }
    return 3;
}

HostImage::HostImage(HostImageMode imageMode, int32_t w, int32_t h, bool withTransparency)
    : mode(imageMode), width(std::max(w, 0)), height(std::max(h, 0)), transparency(withTransparency) {
    pixels.assign(PixelCount() * static_cast<std::size_t>(Planes()), 0);
}

HostImage HostImage::FromInterleaved(int32_t w, int32_t h, int32_t planes, std::vector<uint8_t> interleaved) {
    HostImage image;
    image.mode = planes <= 2 ? HostImageMode::Grey : HostImageMode::Rgb;
    image.width = w;
    image.height = h;
    image.transparency = planes == 2 || planes == 4;
    image.pixels = std::move(interleaved);
    return image;
}

void HostImage::Fill(const std::vector<uint8_t>& values) {
    const std::size_t planes = static_cast<std::size_t>(Planes());
    const std::size_t count = std::min(values.size(), planes);
    for (std::size_t offset = 0; offset < pixels.size(); offset += planes) {
        std::copy_n(values.begin(), count, pixels.begin() + static_cast<std::ptrdiff_t>(offset));
    }
}
