// The six plug-in modules: what each one tells the host about its effect
// before the host loads it (its property list), and the file it is built
// into. Plain data, shared by the resource generator (built for the build
// machine) and the tests of the modules.
#pragma once

#include <cstdint>

struct EffectModule {
    int32_t kind;          // FilterKind handed to the core with every call
    const char* fileName;  // module file, without ".8bf"
    const char* menuName;  // the host's menu entry
    // What the effect can work on; the same answers as the effect's own
    // capability queries, which the tests compare.
    bool supportsCMYK;
    bool usesWholeCanvas;
    bool allowsFlatImage;
    bool requiresLayer;
    bool coreAppliesMask;
};

inline constexpr EffectModule kEffectModules[] = {
    {0, "DappleBorderStamp", "Border Stamp...", false, true, true, false, false},
    {1, "DappleEdges", "Edges...", true, false, false, false, true},
    {2, "DappleFillStamp", "Fill Stamp...", false, true, true, false, false},
    {3, "DappleFrame", "Frame...", false, true, true, false, false},
    {4, "DapplePatchwork", "Patchwork...", false, false, false, false, true},
    {5, "DappleResurface", "Resurface...", true, false, false, false, true},
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
