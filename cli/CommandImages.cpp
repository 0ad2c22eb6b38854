#include "cli/CommandImages.h"

#include <utility>

HostImage HostImageFromRaster(RasterImage raster) {
    HostImage image;
    image.mode = raster.channels <= 2 ? HostImageMode::Grey : HostImageMode::Rgb;
    image.width = raster.width;
    image.height = raster.height;
    image.transparency = raster.HasAlpha();
    image.pixels = std::move(raster.pixels);
    return image;
}

RasterImage RasterFromHostImage(HostImage image) {
    RasterImage raster;
    raster.width = image.width;
    raster.height = image.height;
    raster.channels = image.Planes();
    raster.pixels = std::move(image.pixels);
    return raster;
}
