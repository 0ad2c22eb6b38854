// The thin plug-in module of one effect. The host loads it, reads its
// property list and calls its entry; the module carries the resources
// (strings, menus, dialogs, icons, cursors, version) and hands every call to
// the core library beside it, adding the kind of its effect.
//
// Built once per effect with DAPPLE_FILTER_KIND set to the effect's kind.
#include <cstdint>
#include <string>

#include "platform/ModuleFileName_win32.h"
#include "platform/WinApi.h"
#include "pluginapi/CoreEntry.h"
#include "plugins/EffectModules.h"
#include "plugins/resources/ResourceIds.h"

#ifndef DAPPLE_FILTER_KIND
#error "DAPPLE_FILTER_KIND must name the effect of the module"
#endif

namespace {

using CoreEntry = CoreEntryFunction*;
using CoreSetResourceHandle = void* (*)(void* module);

struct Core {
    CoreEntry entry = nullptr;
    CoreSetResourceHandle setResourceHandle = nullptr;
};

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

// The folder of this module with its trailing separator; empty when the
// module's file name cannot be read.
std::wstring ModuleFolder(HMODULE module) {
    const std::wstring path = ModuleFileName(module);
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// Loads the core from this module's own folder, never through the search
// path, so that another program's library of the same name cannot stand in
// for it. The core stays loaded for the life of the process: the host may
// load and unload the modules, but the core keeps state between calls.
Core LoadCore() {
    Core core;
    const std::wstring folder = ModuleFolder(ThisModule());
    if (folder.empty()) return core;
    std::wstring path = folder;
    for (const char* c = kCoreLibraryName; *c != '\0'; ++c) path += static_cast<wchar_t>(*c);
    // Altered search path: the core's own dependencies are looked for
    // beside it first.
    HMODULE library = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (library == nullptr) return core;
    core.entry = reinterpret_cast<CoreEntry>(reinterpret_cast<void*>(GetProcAddress(library, "Photoshop_Entry_Point")));
    core.setResourceHandle =
        reinterpret_cast<CoreSetResourceHandle>(reinterpret_cast<void*>(GetProcAddress(library, "SetResourceHandle")));
    if (core.entry == nullptr || core.setResourceHandle == nullptr) {
        FreeLibrary(library);
        return Core{};
    }
    return core;
}

const Core& TheCore() {
    static const Core core = LoadCore();
    return core;
}

// Without the core there is nobody to explain the failure, and many hosts
// say nothing about a failed plug-in: say it here, from our own strings.
// Task-modal without an owner: the host's window is not known this early.
void ShowCoreMissing() {
    wchar_t text[512] = {};
    if (LoadStringW(ThisModule(), kCoreMissingMessageId, text, 512) <= 0) return;
    MessageBoxW(nullptr, text, L"Mornebrook Dapple!", MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

}  // namespace

// The entry the host calls, named in the property list. C linkage and the C
// calling convention, as hosts call it.
extern "C" __declspec(dllexport) void DappleFilterEntry(int16_t selector, void* hostRecord, intptr_t* data,
                                                        int16_t* result) {
    if (result == nullptr || data == nullptr) return;
    const Core& core = TheCore();
    if (core.entry == nullptr) {
        ShowCoreMissing();
        *result = 1;  // reported: the host need not say more
        return;
    }
    // Every call names this module again: the host may have several of the
    // family's modules loaded and unload any of them, and the core must
    // never keep the handle of one that is gone.
    core.setResourceHandle(ThisModule());
    core.entry(selector, hostRecord, data, result, DAPPLE_FILTER_KIND);
}
