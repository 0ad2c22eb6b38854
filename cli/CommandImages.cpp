#include "cli/CommandImages.h"

#include <utility>

HostImage HostImageFromRaster(RasterImage raster) {
    return HostImage::FromInterleaved(raster.width, raster.height, raster.channels, std::move(raster.pixels));
}

RasterImage RasterFromHostImage(HostImage image) {
    RasterImage raster;
    raster.width = image.width;
    raster.height = image.height;
    raster.channels = image.Planes();
    raster.pixels = std::move(image.pixels);
    return raster;
}
