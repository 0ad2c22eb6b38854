// Where the tests find the built plug-in folder, and small file helpers.
#pragma once

#include <string>

#include "platform/WinApi.h"

// The plug-in folder with its trailing separator (found beside the test
// program's own folder).
std::wstring PluginFolder();
std::wstring ModulePath(const char* fileName);  // fileName without ".8bf"

// A new empty folder under the temporary folder; removed with its files
// (as far as they are not in use) when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; }  // with trailing separator
    bool Copy(const std::wstring& from, const std::wstring& name) const;

private:
    std::wstring path_;
};
