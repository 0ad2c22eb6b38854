// dladdr on one of our own functions finds the object that holds the core,
// whether that is the program itself or a shared library it loaded.
#include "platform/ModuleFolder.h"

#include <dlfcn.h>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::string ResolvedPath(const char* path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path, nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : std::string(path);
}

// The file mapped at `address`, from the kernel's list of this process's
// mappings; empty when it cannot be found.
std::string MappedFilePath(std::uintptr_t address) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        std::istringstream fields(line);
        std::uintptr_t start = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        std::string permissions, offset, device, inode;
        fields >> std::hex >> start >> dash >> end >> permissions >> offset >> device >> inode;
        if (!fields || address < start || address >= end) continue;
        std::string path;
        std::getline(fields >> std::ws, path);
        const std::string deleted = " (deleted)";
        if (path.size() > deleted.size() && path.compare(path.size() - deleted.size(), deleted.size(), deleted) == 0)
            path.resize(path.size() - deleted.size());
        return !path.empty() && path.front() == '/' ? path : std::string();
    }
    return std::string();
}

// The absolute path of the object holding this code; empty on failure.
std::string ModulePath() {
    Dl_info info{};
    void* self = reinterpret_cast<void*>(&ModuleFolder);
    if (dladdr(self, &info) == 0 || info.dli_fname == nullptr) return std::string();
    if (info.dli_fname[0] == '/') return ResolvedPath(info.dli_fname);
    // A relative name (argv[0] for the program itself, or a library loaded
    // by a relative path) may be relative to a folder since left.
    return MappedFilePath(reinterpret_cast<std::uintptr_t>(self));
}

}  // namespace

std::string ModuleFolder() {
    const std::string path = ModulePath();
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return std::string();
    return path.substr(0, slash + 1);
}
