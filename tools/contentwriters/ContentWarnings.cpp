#include "tools/contentwriters/ContentWarnings.h"

#include <cstdlib>

#include "tools/contentwriters/TextureWriter.h"

namespace {

// The mean difference between the grey pixels (x, y) and (x + dx, y + dy)
// over every x in [0, xEnd) and y in [0, yEnd).
double MeanDifference(const RasterImage& grey, int32_t xEnd, int32_t yEnd, int32_t dx, int32_t dy) {
    double sum = 0.0;
    for (int32_t y = 0; y < yEnd; ++y) {
        const uint8_t* row = grey.Row(y);
        const uint8_t* other = grey.Row(y + dy);
        for (int32_t x = 0; x < xEnd; ++x) sum += std::abs(row[x] - other[x + dx]);
    }
    const double count = static_cast<double>(xEnd) * static_cast<double>(yEnd);
    return count > 0.0 ? sum / count : 0.0;
}

// Whether the seam between the last and the first pixels stands out from the
// steps between neighbours: twice the usual step, and a few levels besides,
// so that JPEG's own noise does not count.
bool ShowsASeam(double seam, double inside) { return seam > 2.0 * inside + 4.0; }

}  // namespace

std::vector<std::string> SheetWarnings(const RasterImage& picture, int32_t columns, int32_t rows) {
    std::vector<std::string> warnings;
    if (columns > 0 && rows > 0 && (picture.width % columns != 0 || picture.height % rows != 0)) {
        warnings.push_back(std::to_string(picture.width) + " x " + std::to_string(picture.height) +
                           " pixels do not divide evenly into " + std::to_string(columns) + " x " +
                           std::to_string(rows) + " cells; the last " + std::to_string(picture.width % columns) +
                           " columns and " + std::to_string(picture.height % rows) + " rows of pixels are left out");
    }
    bool transparent = false;
    if (picture.HasAlpha()) {
        const auto channels = static_cast<std::size_t>(picture.channels);
        for (std::size_t i = channels - 1; i < picture.pixels.size() && !transparent; i += channels)
            transparent = picture.pixels[i] < 255;
    }
    if (!transparent) warnings.push_back("the picture has no transparency: every cell is stamped as a whole rectangle");
    return warnings;
}

std::string SeamWarning(const RasterImage& picture) {
    if (picture.width < 2 || picture.height < 2) return std::string();
    const RasterImage grey = TextureBrightness(picture);
    const int32_t w = grey.width;
    const int32_t h = grey.height;
    // Columns: the last against the first, and each against its right-hand neighbour.
    const double acrossSeam = MeanDifference(grey, 1, h, w - 1, 0);
    const double across = MeanDifference(grey, w - 1, h, 1, 0);
    // Rows: likewise, the bottom against the top.
    const double downSeam = MeanDifference(grey, w, 1, 0, h - 1);
    const double down = MeanDifference(grey, w, h - 1, 0, 1);
    const bool leftRight = ShowsASeam(acrossSeam, across);
    const bool topBottom = ShowsASeam(downSeam, down);
    if (!leftRight && !topBottom) return std::string();
    const std::string edges = leftRight && topBottom ? "opposite" : leftRight ? "left and right" : "top and bottom";
    return "the picture is not seamless: its " + edges + " edges do not match, so the repeats show seams";
}
