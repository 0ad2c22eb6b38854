// resourcegen: writes the binary resources of the plug-in modules that a
// resource script cannot spell out.
//   resourcegen art FOLDER        cursor-ID.cur and icon-ID.ico for every
//                                 cursor and icon the modules carry
//   resourcegen pipl KIND FILE    the property list of the module for KIND
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/resourcegen/Artwork.h"
#include "tools/resourcegen/IconFile.h"
#include "tools/resourcegen/Pipl.h"

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "resourcegen: %s\n", message.c_str());
    return 1;
}

int WriteArt(const std::string& folder) {
    for (int id : kCursorIds) {
        const CursorArt cursor = DrawCursor(id);
        const std::string path = folder + "/cursor-" + std::to_string(id) + ".cur";
        if (!WriteFileBytes(path, CursorFileBytes(cursor.image, cursor.hotspot))) return Fail("cannot write " + path);
    }
    for (int id : kIconIds) {
        const std::string path = folder + "/icon-" + std::to_string(id) + ".ico";
        if (!WriteFileBytes(path, IconFileBytes({DrawIcon(id, 16), DrawIcon(id, 32)})))
            return Fail("cannot write " + path);
    }
    return 0;
}

int WritePipl(const std::string& kindText, const std::string& path) {
    char* end = nullptr;
    const long kind = std::strtol(kindText.c_str(), &end, 10);
    const bool number = end != kindText.c_str() && *end == '\0';
    const EffectModule* module = number ? FindEffectModule(static_cast<int32_t>(kind)) : nullptr;
    const EffectCapabilities* effect = number ? FindEffectCapabilities(static_cast<FilterKind>(kind)) : nullptr;
    if (module == nullptr || effect == nullptr) return Fail("unknown filter kind " + kindText);
    if (!WriteFileBytes(path, PiplBytes(*module, *effect))) return Fail("cannot write " + path);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "art" && argc == 3) return WriteArt(argv[2]);
    if (command == "pipl" && argc == 4) return WritePipl(argv[2], argv[3]);
    return Fail("usage: resourcegen art FOLDER | resourcegen pipl KIND FILE");
}
