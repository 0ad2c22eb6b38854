// The six plug-in modules: the file each effect is built into and its
// entry in the host's menu. What a module promises about its effect comes
// from the effect's row of base/EffectCapabilities.h. Plain data, shared by
// the resource generator (built for the build machine), the dapple command
// and the tests of the modules.
#pragma once

#include <cstdint>

struct EffectModule {
    int32_t kind;          // FilterKind handed to the core with every call
    const char* fileName;  // module file, without ".8bf"
    const char* menuName;  // the host's menu entry
};

inline constexpr EffectModule kEffectModules[] = {
    {0, "DappleBorderStamp", "Border Stamp..."}, {1, "DappleEdges", "Edges..."},
    {2, "DappleFillStamp", "Fill Stamp..."},     {3, "DappleFrame", "Frame..."},
    {4, "DapplePatchwork", "Patchwork..."},      {5, "DappleResurface", "Resurface..."},
};

inline constexpr char kEffectCategory[] = "Mornebrook Dapple!";
// The name under which every module exports its entry for the host.
inline constexpr char kModuleEntryName[] = "DappleFilterEntry";
// The core library, loaded from the modules' own folder.
inline constexpr char kCoreLibraryName[] = "DappleCore.dll";

inline const EffectModule* FindEffectModule(int32_t kind) {
    for (const EffectModule& module : kEffectModules) {
        if (module.kind == kind) return &module;
    }
    return nullptr;
}
