// What a module hands the core: it loads the core from its own folder, names
// itself as the resource module and forwards each call with its kind.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "pluginapi/CoreEntry.h"
#include "pluginapi/PluginInterface.h"
#include "plugins/EffectModules.h"
#include "tests/plugins/PluginFolder.h"
#include "tests/windows/ProbeCore.h"

namespace {

using ModuleEntry = ps::PluginMainProc;

std::wstring ProbeCorePath() {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring path = program;
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"DappleProbeCore.dll";
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

ModuleEntry EntryOf(HMODULE module) {
    return reinterpret_cast<ModuleEntry>(reinterpret_cast<void*>(GetProcAddress(module, "DappleFilterEntry")));
}

}  // namespace

TEST(ModuleForwarding, EveryCallReachesTheCoreBesideTheModuleWithTheModulesKind) {
    for (const EffectModule& effect : kEffectModules) {
        SCOPED_TRACE(effect.fileName);
        ScratchFolder folder;
        const std::wstring name = Wide(effect.fileName) + L".8bf";
        ASSERT_TRUE(folder.Copy(ModulePath(effect.fileName), name));
        ASSERT_TRUE(folder.Copy(ProbeCorePath(), L"DappleCore.dll"));
        // The real core is in the current folder: the module must not take it.
        SetCurrentDirectoryW(PluginFolder().c_str());

        HMODULE module = LoadLibraryW((folder.Path() + name).c_str());
        ASSERT_NE(module, nullptr);
        ModuleEntry entry = EntryOf(module);
        ASSERT_NE(entry, nullptr);

        int hostRecord = 0;
        intptr_t data = 0x1234;
        int16_t result = -5;
        entry(3, &hostRecord, &data, &result);
        entry(ps::filterSelectorAffectedArea, &hostRecord, &data, &result);

        HMODULE core = GetModuleHandleW((folder.Path() + L"DappleCore.dll").c_str());
        ASSERT_NE(core, nullptr) << "the core was not loaded from the module's folder";
        using RecordFunction = const ProbeRecord* (*)();
        auto recordOf =
            reinterpret_cast<RecordFunction>(reinterpret_cast<void*>(GetProcAddress(core, "ProbeCoreRecord")));
        ASSERT_NE(recordOf, nullptr);
        const ProbeRecord* record = recordOf();
        EXPECT_EQ(record->calls, 2);
        EXPECT_EQ(record->selector, ps::filterSelectorAffectedArea);
        EXPECT_EQ(record->kind, effect.kind);
        EXPECT_EQ(record->hostRecord, &hostRecord);
        EXPECT_EQ(record->data, &data);
        EXPECT_EQ(record->result, &result);
        EXPECT_EQ(result, 100 + effect.kind);  // the core's answer reaches the host
        EXPECT_EQ(record->resourceModule, static_cast<void*>(module));
        EXPECT_GE(record->resourceHandleCalls, 1);
        FreeLibrary(module);
        // A module keeps its core for the life of the process; let the probe
        // go too, so that the scratch folder can be removed.
        FreeLibrary(core);
    }
}

namespace {

std::wstring gMissingText;

BOOL CALLBACK CloseMessageBox(HWND hwnd, LPARAM) {
    wchar_t className[32] = {};
    GetClassNameW(hwnd, className, 32);
    if (std::wstring(className) != L"#32770") return TRUE;
    wchar_t text[512] = {};
    GetDlgItemTextW(hwnd, 0xFFFF, text, 512);
    gMissingText = text;
    PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK CloseBoxes(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseMessageBox, 0); }

}  // namespace

TEST(ModuleForwarding, AModuleWithoutItsCoreSaysSoAndReportsTheFailure) {
    const EffectModule& effect = kEffectModules[3];
    ScratchFolder folder;
    const std::wstring name = Wide(effect.fileName) + L".8bf";
    ASSERT_TRUE(folder.Copy(ModulePath(effect.fileName), name));
    HMODULE module = LoadLibraryW((folder.Path() + name).c_str());
    ASSERT_NE(module, nullptr);

    gMissingText.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseBoxes);
    intptr_t data = 0;
    int16_t result = 0;
    EntryOf(module)(2, nullptr, &data, &result);
    KillTimer(nullptr, timer);

    EXPECT_EQ(result, 1);
    EXPECT_EQ(data, 0);
    EXPECT_NE(gMissingText.find(L"DappleCore.dll"), std::wstring::npos);
    // Null result or data pointers from a faulty host are ignored.
    EntryOf(module)(2, nullptr, nullptr, nullptr);
    FreeLibrary(module);
}

TEST(ModuleForwarding, TheRealCoreAnswersThroughEveryModule) {
    for (const EffectModule& effect : kEffectModules) {
        HMODULE module = LoadLibraryW(ModulePath(effect.fileName).c_str());
        ASSERT_NE(module, nullptr) << effect.fileName;
        // The about selector of kinds 1 to 5 shows nothing and answers 0;
        // kind 0's about box is left out here because it waits for the user.
        if (effect.kind != 0) {
            struct AboutRecord {
                void* platformData;
            } about{nullptr};
            intptr_t data = 0;
            int16_t result = -1;
            EntryOf(module)(0, &about, &data, &result);
            EXPECT_EQ(result, 0) << effect.fileName;
            EXPECT_EQ(data, 0) << effect.fileName;
        }
        FreeLibrary(module);
    }
    HMODULE core = GetModuleHandleW((PluginFolder() + L"DappleCore.dll").c_str());
    ASSERT_NE(core, nullptr);
    EXPECT_NE(GetProcAddress(core, "Photoshop_Entry_Point"), nullptr);
    EXPECT_NE(GetProcAddress(core, "SetResourceHandle"), nullptr);
}
