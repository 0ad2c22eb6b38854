#include "tools/contentpack/ContentPack.h"

#include <filesystem>
#include <system_error>

#include "imagefiles/ImageFiles.h"
#include "tools/contentpack/Frames.h"
#include "tools/contentpack/Textures.h"
#include "tools/contentpack/Tiles.h"
#include "tools/contentpack/Tubes.h"
#include "tools/contentwriters/PictureTubeWriter.h"
#include "tools/contentwriters/TextureWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace fs = std::filesystem;

namespace {

std::string WriteTubes(const fs::path& folder) {
    for (TubePicture (*draw)() : {DrawStarsTube, DrawLeavesTube, DrawHeartsTube, DrawBubblesTube, DrawFlowersTube}) {
        const TubePicture tube = draw();
        PictureTubeOptions options;
        options.columns = tube.columns;
        options.rows = tube.rows;
        const std::string problem =
            WritePictureTube((folder / (tube.name + ".tub")).string(), tube.picture.ToRaster(), options);
        if (!problem.empty()) return problem;
    }
    return {};
}

std::string WriteFrames(const fs::path& folder) {
    for (FramePicture (*draw)() : {DrawWoodenFrame, DrawGildedFrame, DrawModernFrame}) {
        const FramePicture frame = draw();
        PictureTubeOptions options;
        options.columns = 3;
        options.rows = 3;
        const std::string problem =
            WritePictureTube((folder / (frame.name + ".rfr")).string(), frame.picture.ToRaster(), options);
        if (!problem.empty()) return problem;
    }
    return {};
}

std::string WriteTiles(const fs::path& folder) {
    TileLibraryOptions options;
    options.tileWidth = kTileSize;
    options.tileHeight = kTileSize;
    options.thumbnailWidth = kTileThumbnailSize;
    options.thumbnailHeight = kTileThumbnailSize;
    return WriteTileLibrary((folder / "Mosaic.ptl").string(), DrawTiles(), options);
}

std::string WriteTextures(const fs::path& folder) {
    for (HeightField (*draw)() : {DrawCanvasTexture, DrawPaperTexture, DrawBrickTexture, DrawStuccoTexture}) {
        const HeightField texture = draw();
        const std::string problem = WriteTexture((folder / (texture.name + ".jpg")).string(), texture.ToRaster());
        if (!problem.empty()) return problem;
    }
    return {};
}

}  // namespace

std::string WriteContentPack(const std::string& folder) {
    const fs::path target(folder);
    fs::path fresh = target;
    fresh += ".new";
    std::error_code error;
    fs::remove_all(fresh, error);
    using Writer = std::string (*)(const fs::path&);
    const std::pair<const char*, Writer> parts[] = {
        {"Tubes", WriteTubes}, {"Frames", WriteFrames}, {"Tiles", WriteTiles}, {"Textures", WriteTextures}};
    for (const auto& [name, write] : parts) {
        if (!fs::create_directories(fresh / name, error) && error) return "cannot make " + (fresh / name).string();
        const std::string problem = write(fresh / name);
        if (!problem.empty()) return problem;
    }
    fs::remove_all(target, error);
    fs::rename(fresh, target, error);
    if (error) return "cannot move " + fresh.string() + " to " + target.string() + ": " + error.message();
    return {};
}
