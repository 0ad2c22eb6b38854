#include "tests/plugins/PluginFolder.h"

#include <filesystem>
#include <system_error>

std::wstring PluginFolder() {
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::filesystem::path folder = std::filesystem::path(program).parent_path() / DAPPLE_PLUGIN_FOLDER;
    return folder.lexically_normal().wstring() + L"\\";
}

std::wstring ModulePath(const char* fileName) {
    std::wstring path = PluginFolder();
    for (const char* c = fileName; *c != '\0'; ++c) path += static_cast<wchar_t>(*c);
    return path + L".8bf";
}

ScratchFolder::ScratchFolder() {
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    static int counter = 0;
    path_ = std::wstring(temporary) + L"dapple-plugins-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

bool ScratchFolder::Copy(const std::wstring& from, const std::wstring& name) const {
    return CopyFileW(from.c_str(), (path_ + name).c_str(), FALSE) != 0;
}
