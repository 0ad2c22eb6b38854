// make-content-pack FOLDER [--sheets SHEETS]
//
// Draws the default content (picture tubes, frame pictures, a tile library
// and textures) and writes it into FOLDER, normally the "Content" folder
// beside the plug-in modules. With --sheets, also writes pictures of the
// written pack, read back, into SHEETS for people to look at. Exit status:
// 0 success, 1 the pack could not be written, 2 usage.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/contentpack/ContentPack.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string folder, sheets;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--sheets" && i + 1 < args.size()) {
            sheets = args[++i];
        } else if (folder.empty() && !args[i].empty() && args[i][0] != '-') {
            folder = args[i];
        } else {
            folder.clear();
            break;
        }
    }
    if (folder.empty()) {
        std::fputs("usage: make-content-pack FOLDER [--sheets SHEETS]\n", stderr);
        return 2;
    }
    std::string problem = WriteContentPack(folder);
    if (problem.empty() && !sheets.empty()) problem = WritePackSheets(folder, sheets);
    if (!problem.empty()) {
        std::fprintf(stderr, "make-content-pack: %s\n", problem.c_str());
        return 1;
    }
    return 0;
}
