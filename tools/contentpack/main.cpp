// make-content-pack FOLDER [--sheets FOLDER]
//
// Draws the default content (picture tubes, frame pictures, a tile library
// and textures) and writes it into FOLDER; with --sheets, also writes
// pictures of it to look at.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/ImageFiles.h"
#include "tools/contentpack/ContactSheets.h"
#include "tools/contentpack/Frames.h"
#include "tools/contentpack/Tiles.h"
#include "tools/contentpack/Tubes.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string sheets;
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--sheets") sheets = args[i + 1];
    }
    if (sheets.empty()) return 2;
    std::filesystem::create_directories(sheets);
    for (const TubePicture& tube :
         {DrawStarsTube(), DrawLeavesTube(), DrawHeartsTube(), DrawBubblesTube(), DrawFlowersTube()}) {
        const ImageFileStatus written =
            WriteImageFile(sheets + "/" + tube.name + ".png", TubeContactSheet(tube, 40).ToRaster());
        if (!written.Ok()) std::fprintf(stderr, "%s\n", written.error.c_str());
        (void)WriteImageFile(sheets + "/" + tube.name + "-zoom.png",
                             Magnified(OverCheckerboard(tube.picture, 16), 0, 160, 160, 160, 4).ToRaster());
    }
    for (const FramePicture& frame : {DrawWoodenFrame(), DrawGildedFrame(), DrawModernFrame()}) {
        (void)WriteImageFile(sheets + "/" + frame.name + ".png", OverCheckerboard(frame.picture, 16).ToRaster());
        (void)WriteImageFile(sheets + "/" + frame.name + "-assembled.png", AssembledFrame(frame, 2).ToRaster());
    }
    for (const HeightField& texture :
         {DrawCanvasTexture(), DrawPaperTexture(), DrawBrickTexture(), DrawStuccoTexture()}) {
        (void)WriteImageFile(sheets + "/" + texture.name + ".png", TextureContactSheet(texture).ToRaster());
    }
    const std::vector<RasterImage> tiles = DrawTiles();
    (void)WriteImageFile(sheets + "/Tiles.png", TileContactSheet(tiles, 32).ToRaster());
    // A picture to make a mosaic of: the flowers over a sky.
    const TubePicture flowers = DrawFlowersTube();
    Picture scene(flowers.picture.Width(), flowers.picture.Height());
    for (int32_t y = 0; y < scene.Height(); ++y) {
        for (int32_t x = 0; x < scene.Width(); ++x) {
            const Colour sky =
                Mix(Rgb(0.25, 0.45, 0.80), Rgb(0.85, 0.90, 0.70), static_cast<double>(y) / scene.Height());
            scene.At(x, y) = Over(flowers.picture.At(x, y), sky);
        }
    }
    (void)WriteImageFile(sheets + "/Mosaic.png", MosaicPreview(scene, tiles, 6).ToRaster());
    return 0;
}
