// The version blocks of the core library and the modules, read through the
// system's version API as Explorer and installers read them: numbers and
// texts both carry the project's version, 1.0.0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugins/EffectModules.h"
#include "tests/plugins/PluginFolder.h"

namespace {

struct VersionBlock {
    bool found = false;
    VS_FIXEDFILEINFO numbers{};
    std::wstring productVersion;
    std::wstring fileVersion;
};

std::wstring Text(std::vector<unsigned char>& block, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) return std::wstring();
    return std::wstring(static_cast<const wchar_t*>(value));
}

VersionBlock ReadVersionBlock(const std::wstring& file) {
    VersionBlock version;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
    if (size == 0) return version;
    std::vector<unsigned char> block(size);
    if (!GetFileVersionInfoW(file.c_str(), 0, size, block.data())) return version;
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueW(block.data(), L"\\", &fixed, &fixedSize) || fixedSize < sizeof(VS_FIXEDFILEINFO))
        return version;
    version.found = true;
    version.numbers = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    version.productVersion = Text(block, L"ProductVersion");
    version.fileVersion = Text(block, L"FileVersion");
    return version;
}

void ExpectProjectVersion(const std::wstring& file) {
    SCOPED_TRACE(std::string(file.begin(), file.end()));
    const VersionBlock version = ReadVersionBlock(file);
    ASSERT_TRUE(version.found);
    // 1.0.0.0: major in the high word of the most significant half.
    EXPECT_EQ(version.numbers.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(version.numbers.dwFileVersionLS, 0u);
    EXPECT_EQ(version.numbers.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(version.numbers.dwProductVersionLS, 0u);
    EXPECT_EQ(version.productVersion, L"1.0.0");
    EXPECT_EQ(version.fileVersion, L"1.0.0");
}

}  // namespace

TEST(VersionBlocks, TheCoreAndEveryModuleCarryTheProjectVersion) {
    ExpectProjectVersion(PluginFolder() + L"DappleCore.dll");
    for (const EffectModule& module : kEffectModules) ExpectProjectVersion(ModulePath(module.fileName));
}
