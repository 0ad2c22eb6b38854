// dapple-content: makes content files from PNG and JPEG pictures. Its
// manual (manual/) is its help and its manual page.
//
// Exit status, as in every program of the family: 0 success, 1 the work
// failed, 2 usage or an input that cannot be read.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <vector>

#include "base/ManualText.h"
#include "imagefiles/ImageFiles.h"
#include "platform/CommandLineArguments.h"
#include "platform/FileSystemPath.h"
#include "tools/contentwriters/ContentWarnings.h"
#include "tools/contentwriters/PictureTubeWriter.h"
#include "tools/contentwriters/TextureWriter.h"
#include "tools/contentwriters/TileLibraryWriter.h"

namespace {

constexpr int kSuccess = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

int Usage(const std::string& problem) {
    std::fprintf(stderr, "dapple-content: %s (see dapple-content help)\n", problem.c_str());
    return kUsage;
}

int Report(const std::string& problem) {
    if (problem.empty()) return kSuccess;
    std::fprintf(stderr, "dapple-content: %s\n", problem.c_str());
    return kFailed;
}

void Warn(const std::string& file, const std::string& warning) {
    std::fprintf(stderr, "dapple-content: warning: %s: %s\n", file.c_str(), warning.c_str());
}

int Help(const std::string& topic) {
    const char* text = ManualText(topic.c_str());
    if (text == nullptr) return Usage("no command '" + topic + "'");
    std::fputs(text, stdout);
    return kSuccess;
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

struct Options {
    PictureTubeOptions tube;
    TileLibraryOptions tiles;
    bool overwrite = false;
    bool sized = false;  // --format-version, --tile or --thumbnail given
};

// Reads the options after the positional arguments: --overwrite, and pairs
// of a name and a value.
bool ParseOptions(const std::vector<std::string>& options, Options& parsed, std::string& problem) {
    for (size_t i = 0; i < options.size(); ++i) {
        const std::string& name = options[i];
        if (name == "--overwrite") {
            parsed.overwrite = true;
            continue;
        }
        if (name != "--format-version" && name != "--tile" && name != "--thumbnail") {
            problem = "unknown option " + name;
            return false;
        }
        if (++i >= options.size()) {
            problem = name + " needs a value";
            return false;
        }
        const std::string& value = options[i];
        bool ok = false;
        if (name == "--format-version") {
            ok = value == "3" || value == "5";
            parsed.tube.majorVersion = static_cast<uint16_t>(PositiveNumber(value));
        } else if (name == "--tile") {
            ok = ParseSize(value, parsed.tiles.tileWidth, parsed.tiles.tileHeight);
        } else {
            ok = ParseSize(value, parsed.tiles.thumbnailWidth, parsed.tiles.thumbnailHeight);
        }
        if (!ok) {
            problem = "bad value for " + name + ": " + value;
            return false;
        }
        parsed.sized = true;
    }
    return true;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(PathFromUtf8(path), error);
}

int Run(const std::vector<std::string>& args) {
    if (args.empty()) return Usage("no command given");
    const std::string& command = args[0];
    if (command == "help" || command == "--help" || command == "-h") {
        if (args.size() > 2) return Usage("help takes one command");
        return Help(args.size() == 2 ? args[1] : std::string());
    }
    const size_t positional = command == "tube"                                                    ? 5
                              : (command == "frame" || command == "tiles" || command == "texture") ? 3
                                                                                                   : 0;
    if (positional == 0) return Usage("unknown command '" + command + "'");
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") return Help(command);
    }
    if (args.size() < positional) return Usage("too few arguments for " + command);

    Options options;
    std::string problem;
    if (!ParseOptions(std::vector<std::string>(args.begin() + static_cast<std::ptrdiff_t>(positional), args.end()),
                      options, problem))
        return Usage(problem);
    if (options.sized && command == "texture") return Usage("texture takes only --overwrite");
    if (command == "frame") {
        options.tube.columns = 3;
        options.tube.rows = 3;
    } else if (command == "tube") {
        options.tube.columns = PositiveNumber(args[3]);
        options.tube.rows = PositiveNumber(args[4]);
        if (options.tube.columns == 0 || options.tube.rows == 0)
            return Usage("COLUMNS and ROWS must be whole numbers from 1");
    }

    const std::string& input = args[1];
    const std::string& output = args[2];
    if (!Exists(input)) return Usage((command == "tiles" ? "no folder " : "no file ") + input);
    if (!options.overwrite && Exists(output)) return Report(output + " exists and is kept (--overwrite replaces it)");
    if (command == "tiles") return Report(WriteTileLibraryFromFolder(output, input, options.tiles));

    RasterImage picture;
    if (ImageFileStatus status = ReadImageFile(input, picture); !status.Ok()) {
        std::fprintf(stderr, "dapple-content: %s\n", status.error.c_str());
        return kUsage;
    }
    if (command == "texture") {
        if (const std::string seam = SeamWarning(picture); !seam.empty()) Warn(input, seam);
        return Report(WriteTexture(output, picture));
    }
    for (const std::string& warning : SheetWarnings(picture, options.tube.columns, options.tube.rows))
        Warn(input, warning);
    return Report(WritePictureTube(output, picture, options.tube));
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(CommandLineArguments(argc, argv));
    } catch (const std::bad_alloc&) {
        return Report("out of memory");
    }
}
