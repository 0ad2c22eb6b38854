#include "cli/CommandImages.h"

HostImage HostImageFromRaster(const RasterImage& raster) {
    const bool grey = raster.channels <= 2;
    HostImage image(grey ? HostImageMode::Grey : HostImageMode::Rgb, raster.width, raster.height, raster.HasAlpha());
    image.pixels = raster.pixels;
    return image;
}

RasterImage RasterFromHostImage(const HostImage& image) {
    RasterImage raster;
    raster.width = image.width;
    raster.height = image.height;
    raster.channels = image.Planes();
    raster.pixels = image.pixels;
    return raster;
}
