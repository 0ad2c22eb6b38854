// Pictures of the pack as the effects will see it: every file is read back
// with the effects' own readers, so what the sheets show is what ships.
#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "content/JpegLoader.h"
#include "content/PspFileReader.h"
#include "content/TileLibrary.h"
#include "content/VtFile.h"
#include "imagefiles/ImageFiles.h"
#include "tools/contentpack/ContactSheets.h"
#include "tools/contentpack/ContentPack.h"

namespace fs = std::filesystem;

namespace {

std::vector<fs::path> FilesIn(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        if (entry.path().extension() == extension) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string Unreadable(const fs::path& path) { return "cannot read back " + path.string(); }

// A Paint Shop Pro picture as a drawing, with its cell grid.
bool ReadPicture(const fs::path& path, TubePicture& tube) {
    VtFile file;
    if (!file.Open(path.string())) return false;
    PspFileReader reader(file);
    if (reader.open().IsFailure()) return false;
    ResultCode result;
    Image<unsigned char> image(ChannelLayout(kColourModelRGB, 3, true), Rect(0, 0, reader.height(), reader.width()),
                               result);
    if (result.IsFailure() || reader.readImage(image, nullptr, 0.0, 1.0).IsFailure()) return false;
    Picture picture(reader.width(), reader.height());
    for (int32_t y = 0; y < picture.Height(); ++y) {
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const unsigned char* p = image.PixelAddress(Point{x, y});
            picture.At(x, y) = Colour{p[0] / 255.0, p[1] / 255.0, p[2] / 255.0, p[3] / 255.0};
        }
    }
    tube = TubePicture{path.stem().string(), picture, reader.columns(), reader.rows()};
    return true;
}

bool ReadTiles(const fs::path& path, std::vector<RasterImage>& tiles,
               std::vector<std::vector<unsigned char>>& thumbnails, int32_t& side) {
    TileLibrary library(path.string());
    if (library.open().IsFailure() || library.thumbnailWidth() != library.thumbnailHeight()) return false;
    side = library.thumbnailWidth();
    ResultCode result;
    Image<unsigned char> tile(ChannelLayout(kColourModelRGB, 3, false),
                              Rect(0, 0, library.tileHeight(), library.tileWidth()), result);
    if (result.IsFailure()) return false;
    for (const TileDirectoryEntry& entry : library.directory()) {
        if (library.readTile(entry.dataOffset, tile, nullptr, nullptr, 0.0, 1.0).IsFailure()) return false;
        RasterImage raster(tile.Width(), tile.Height(), 3);
        for (int32_t y = 0; y < tile.Height(); ++y) {
            std::copy_n(tile.PixelAddress(Point{0, y}), raster.RowBytes(), raster.Row(y));
        }
        tiles.push_back(std::move(raster));
        thumbnails.push_back(entry.thumbnail);
    }
    return true;
}

bool ReadTexture(const fs::path& path, HeightField& texture) {
    std::unique_ptr<Image<unsigned char>> image;
    if (LoadJpegFile(path.string(), image, nullptr, 0.0, 1.0).IsFailure() || image->Width() != image->Height())
        return false;
    texture = HeightField{path.stem().string(), image->Width(), {}};
    for (int32_t y = 0; y < image->Height(); ++y) {
        for (int32_t x = 0; x < image->Width(); ++x)
            texture.heights.push_back(*image->PixelAddress(Point{x, y}) / 255.0);
    }
    return true;
}

std::string Write(const fs::path& path, const Picture& picture) {
    const ImageFileStatus status = WriteImageFile(path.string(), picture.ToRaster());
    return status.Ok() ? std::string() : status.error;
}

// The flowers over a sky: a picture to make a mosaic of.
Picture MosaicScene(const TubePicture& flowers) {
    Picture scene(flowers.picture.Width(), flowers.picture.Height());
    for (int32_t y = 0; y < scene.Height(); ++y) {
        for (int32_t x = 0; x < scene.Width(); ++x) {
            const Colour sky =
                Mix(Rgb(0.25, 0.45, 0.80), Rgb(0.85, 0.90, 0.70), static_cast<double>(y) / scene.Height());
            scene.At(x, y) = Over(flowers.picture.At(x, y), sky);
        }
    }
    return scene;
}

}  // namespace

std::string WritePackSheets(const std::string& folder, const std::string& sheets) {
    const fs::path pack(folder), out(sheets);
    std::error_code error;
    fs::create_directories(out, error);
    std::string problem;
    TubePicture flowers{"", Picture(1, 1), 1, 1};
    for (const fs::path& path : FilesIn(pack / "Tubes", ".tub")) {
        TubePicture tube{"", Picture(1, 1), 1, 1};
        if (!ReadPicture(path, tube)) return Unreadable(path);
        if (tube.name == "Flowers") flowers = tube;
        if (!(problem = Write(out / ("Tube-" + tube.name + ".png"), TubeContactSheet(tube, 40))).empty())
            return problem;
    }
    for (const fs::path& path : FilesIn(pack / "Frames", ".rfr")) {
        TubePicture read{"", Picture(1, 1), 1, 1};
        if (!ReadPicture(path, read)) return Unreadable(path);
        const FramePicture frame{read.name, read.picture};
        if (!(problem = Write(out / ("Frame-" + frame.name + ".png"), AssembledFrame(frame, 2))).empty())
            return problem;
    }
    for (const fs::path& path : FilesIn(pack / "Tiles", ".ptl")) {
        std::vector<RasterImage> tiles;
        std::vector<std::vector<unsigned char>> thumbnails;
        int32_t side = 0;
        if (!ReadTiles(path, tiles, thumbnails, side)) return Unreadable(path);
        const std::string name = path.stem().string();
        if (!(problem = Write(out / ("Tiles-" + name + ".png"), TileContactSheet(tiles, 32))).empty()) return problem;
        if (!(problem = Write(out / ("Tiles-" + name + "-mosaic.png"),
                              MosaicPreview(MosaicScene(flowers), tiles, thumbnails, side, 6)))
                 .empty())
            return problem;
    }
    for (const fs::path& path : FilesIn(pack / "Textures", ".jpg")) {
        HeightField texture;
        if (!ReadTexture(path, texture)) return Unreadable(path);
        if (!(problem = Write(out / ("Texture-" + texture.name + ".png"), TextureContactSheet(texture))).empty())
            return problem;
    }
    return {};
}
