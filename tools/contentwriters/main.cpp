// dapple-content: makes content files from PNG and JPEG pictures.
//
//   dapple-content tube PICTURE OUTPUT.tub COLUMNS ROWS [--format-version 3|5]
//   dapple-content frame PICTURE OUTPUT.rfr [--format-version 3|5]
//   dapple-content tiles FOLDER OUTPUT.ptl [--tile WxH] [--thumbnail WxH]
//   dapple-content texture PICTURE OUTPUT.jpg
//
// A frame picture is a tube of 3 × 3 cells. Exit status: 0 success, 1 the
// file could not be made, 2 usage.
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "imagefiles/ImageFiles.h"
#include "platform/CommandLineArguments.h"
#include "tools/contentwriters/PictureTubeWriter.h"
#include "tools/contentwriters/TextureWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace {

constexpr int kUsageError = 2;

const char kUsage[] =
    "usage: dapple-content tube PICTURE OUTPUT.tub COLUMNS ROWS [--format-version 3|5]\n"
    "       dapple-content frame PICTURE OUTPUT.rfr [--format-version 3|5]\n"
    "       dapple-content tiles FOLDER OUTPUT.ptl [--tile WxH] [--thumbnail WxH]\n"
    "       dapple-content texture PICTURE OUTPUT.jpg\n";

int Usage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "dapple-content: %s\n", problem.c_str());
    std::fputs(kUsage, stderr);
    return kUsageError;
}

int Report(const std::string& problem) {
    if (problem.empty()) return 0;
    std::fprintf(stderr, "dapple-content: %s\n", problem.c_str());
    return 1;
}

// A whole positive number, or 0.
int32_t PositiveNumber(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
    return static_cast<int32_t>(std::atol(text.c_str()));
}

// "WxH" into two positive numbers.
bool ParseSize(const std::string& text, int32_t& width, int32_t& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) return false;
    width = PositiveNumber(text.substr(0, x));
    height = PositiveNumber(text.substr(x + 1));
    return width > 0 && height > 0;
}

// Reads the options after the positional arguments: pairs of a name and a value.
bool ParseOptions(const std::vector<std::string>& options, PictureTubeOptions& tube, TileLibraryOptions& tiles,
                  std::string& problem) {
    for (size_t i = 0; i < options.size(); i += 2) {
        if (i + 1 >= options.size()) {
            problem = options[i] + " needs a value";
            return false;
        }
        const std::string& name = options[i];
        const std::string& value = options[i + 1];
        bool ok = false;
        if (name == "--format-version") {
            ok = value == "3" || value == "5";
            tube.majorVersion = static_cast<uint16_t>(PositiveNumber(value));
        } else if (name == "--tile") {
            ok = ParseSize(value, tiles.tileWidth, tiles.tileHeight);
        } else if (name == "--thumbnail") {
            ok = ParseSize(value, tiles.thumbnailWidth, tiles.thumbnailHeight);
        } else {
            problem = "unknown option " + name;
            return false;
        }
        if (!ok) {
            problem = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

int WriteTube(const std::string& picturePath, const std::string& output, const PictureTubeOptions& options) {
    RasterImage picture;
    if (ImageFileStatus status = ReadImageFile(picturePath, picture); !status.Ok()) return Report(status.error);
    return Report(WritePictureTube(output, picture, options));
}

int WriteTextureFile(const std::string& picturePath, const std::string& output) {
    RasterImage picture;
    if (ImageFileStatus status = ReadImageFile(picturePath, picture); !status.Ok()) return Report(status.error);
    return Report(WriteTexture(output, picture));
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) return Usage("");
    const std::string& command = args[0];
    const size_t positional = command == "tube"                                                    ? 5
                              : (command == "frame" || command == "tiles" || command == "texture") ? 3
                                                                                                   : 0;
    if (positional == 0) return Usage("unknown command " + command);
    if (args.size() < positional) return Usage("too few arguments for " + command);

    PictureTubeOptions tube;
    TileLibraryOptions tiles;
    std::string problem;
    if (!ParseOptions(std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(positional), args.end()),
                      tube, tiles, problem))
        return Usage(problem);

    if (command == "tiles") return Report(WriteTileLibraryFromFolder(args[2], args[1], tiles));
    if (command == "texture")
        return args.size() == positional ? WriteTextureFile(args[1], args[2]) : Usage("texture takes no options");
    if (command == "frame") {
        tube.columns = 3;
        tube.rows = 3;
    } else {
        tube.columns = PositiveNumber(args[3]);
        tube.rows = PositiveNumber(args[4]);
        if (tube.columns == 0 || tube.rows == 0) return Usage("COLUMNS and ROWS must be whole numbers from 1");
    }
    return WriteTube(args[1], args[2], tube);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(CommandLineArguments(argc, argv));
    } catch (const std::bad_alloc&) {
        return Report("out of memory");
    }
}
