// Each module's property list, read the way a host reads it: the resource of
// type "PIPL", a 16-bit 1, list version 0, a count, then properties of
// vendor, key, id and length with their data padded to 4 bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/EffectCapabilities.h"
#include "plugins/EffectModules.h"
#include "tests/plugins/PluginFolder.h"

namespace {

uint32_t Code(const char (&text)[5]) {
    return static_cast<uint32_t>(static_cast<unsigned char>(text[0])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(text[1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(text[2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(text[3]));
}

uint32_t Long(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

struct ParsedPipl {
    bool wellFormed = false;
    std::map<uint32_t, std::vector<uint8_t>> properties;  // by key
    int count = 0;
};

ParsedPipl Parse(const uint8_t* data, size_t size) {
    ParsedPipl parsed;
    if (size < 10 || data[0] != 1 || data[1] != 0 || Long(data + 2) != 0) return parsed;
    parsed.count = static_cast<int>(Long(data + 6));
    size_t offset = 10;
    for (int i = 0; i < parsed.count; ++i) {
        if (offset + 16 > size || Long(data + offset) != Code("8BIM")) return parsed;
        const uint32_t key = Long(data + offset + 4);
        const uint32_t length = Long(data + offset + 12);
        const size_t padded = (length + 3u) & ~size_t{3};
        if (offset + 16 + padded > size) return parsed;
        parsed.properties[key].assign(data + offset + 16, data + offset + 16 + length);
        offset += 16 + padded;
    }
    parsed.wellFormed = offset == size;
    return parsed;
}

std::string Pascal(const std::vector<uint8_t>& data) {
    if (data.empty() || data[0] + 1u > data.size()) return "<bad>";
    return std::string(data.begin() + 1, data.begin() + 1 + data[0]);
}

std::string CText(const std::vector<uint8_t>& data) {
    const auto end = std::find(data.begin(), data.end(), 0);
    return end == data.end() ? "<unterminated>" : std::string(data.begin(), end);
}

BOOL CALLBACK CountName(HMODULE, LPCWSTR, LPWSTR, LONG_PTR count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

class ModulePipl : public testing::TestWithParam<EffectModule> {
protected:
    void SetUp() override {
        module = LoadLibraryExW(ModulePath(GetParam().fileName).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << GetParam().fileName;
    }
    void TearDown() override {
        if (module != nullptr) FreeLibrary(module);
    }

    ParsedPipl Read() {
        HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(16000), L"PIPL");
        if (resource == nullptr) return {};
        const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
        return Parse(data, SizeofResource(module, resource));
    }
    // What the module's effect can work on.
    static const EffectCapabilities& Effect() { return *FindEffectCapabilities(GetParam().kind); }

    HMODULE module = nullptr;
};

}  // namespace

TEST_P(ModulePipl, HoldsExactlyOneWellFormedList) {
    int lists = 0;
    EnumResourceNamesW(module, L"PIPL", CountName, reinterpret_cast<LONG_PTR>(&lists));
    EXPECT_EQ(lists, 1);
    const ParsedPipl pipl = Read();
    EXPECT_TRUE(pipl.wellFormed);
    EXPECT_EQ(pipl.count, 8);
}

TEST_P(ModulePipl, NamesAFilterOfTheFamilyWithAnInterfaceVersionOfAtMostFour) {
    const ParsedPipl pipl = Read();
    ASSERT_TRUE(pipl.wellFormed);
    ASSERT_EQ(pipl.properties.at(Code("kind")).size(), 4u);
    EXPECT_EQ(Long(pipl.properties.at(Code("kind")).data()), Code("8BFM"));
    EXPECT_EQ(Pascal(pipl.properties.at(Code("name"))), GetParam().menuName);
    EXPECT_EQ(Pascal(pipl.properties.at(Code("catg"))), "Mornebrook Dapple!");
    const uint32_t version = Long(pipl.properties.at(Code("vers")).data());
    EXPECT_EQ(version >> 16, 4u);
    EXPECT_EQ(version & 0xFFFF, 0u);
}

TEST_P(ModulePipl, BothEntryPropertiesNameTheExportedEntry) {
    const ParsedPipl pipl = Read();
    ASSERT_TRUE(pipl.wellFormed);
    const std::string x86 = CText(pipl.properties.at(Code("wx86")));
    const std::string x64 = CText(pipl.properties.at(Code("8664")));
    EXPECT_EQ(x86, "DappleFilterEntry");
    EXPECT_EQ(x64, x86);
    // The name must be exported as it stands, undecorated.
    HMODULE loaded = LoadLibraryW(ModulePath(GetParam().fileName).c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_NE(GetProcAddress(loaded, x64.c_str()), nullptr);
    FreeLibrary(loaded);
}

TEST_P(ModulePipl, ImageModesAreEightBitGreyRgbLabAndCmykWhereSupported) {
    const ParsedPipl pipl = Read();
    ASSERT_TRUE(pipl.wellFormed);
    const std::vector<uint8_t>& modes = pipl.properties.at(Code("mode"));
    ASSERT_GE(modes.size(), 2u);
    // First byte: bitmap 0x80, grey 0x40, indexed 0x20, RGB 0x10, CMYK 0x08;
    // second byte: duotone 0x80, Lab 0x40.
    EXPECT_EQ(modes[0], Effect().supportsCMYK ? 0x58 : 0x50);
    EXPECT_EQ(modes[1], 0x40);
}

TEST_P(ModulePipl, FilterCasesRefuseFloatingSelectionsAndProtectedTransparency) {
    const ParsedPipl pipl = Read();
    ASSERT_TRUE(pipl.wellFormed);
    const std::vector<uint8_t>& cases = pipl.properties.at(Code("fici"));
    ASSERT_EQ(cases.size(), 28u);
    auto input = [&](int filterCase) { return cases[static_cast<size_t>((filterCase - 1) * 4)]; };
    auto output = [&](int filterCase) { return cases[static_cast<size_t>((filterCase - 1) * 4 + 1)]; };
    auto flags = [&](int filterCase) { return cases[static_cast<size_t>((filterCase - 1) * 4 + 2)]; };
    for (int refused : {3, 6, 7}) {
        EXPECT_EQ(input(refused), 0) << refused;  // cannot filter
        EXPECT_EQ(output(refused), 0) << refused;
    }
    for (int accepted : {1, 2, 4, 5}) {
        EXPECT_EQ(input(accepted), 1) << accepted;  // no special handling
        EXPECT_EQ(output(accepted), 1) << accepted;
    }
    const bool paintsOutside = !Effect().coreAppliesMask;
    const bool paintsOnBlank = Effect().usesWholeCanvas;
    EXPECT_EQ(flags(1), 0);
    EXPECT_EQ(flags(2), paintsOutside ? 0x08 : 0x00);
    EXPECT_EQ(flags(4), paintsOnBlank ? 0x02 : 0x00);
    EXPECT_EQ(flags(5), (paintsOutside ? 0x08 : 0x00) | (paintsOnBlank ? 0x02 : 0x00));
}

INSTANTIATE_TEST_SUITE_P(Modules, ModulePipl, testing::ValuesIn(kEffectModules),
                         [](const testing::TestParamInfo<EffectModule>& info) { return info.param.fileName; });

TEST(EffectModules, TheTableListsEveryKindOnce) {
    for (FilterKind kind = 0; kind < FilterKinds::Count; ++kind) {
        const EffectModule* module = FindEffectModule(kind);
        ASSERT_NE(module, nullptr) << kind;
        EXPECT_EQ(module->kind, kind);
    }
    EXPECT_EQ(std::size(kEffectModules), static_cast<std::size_t>(FilterKinds::Count));
    EXPECT_EQ(FindEffectModule(FilterKinds::Count), nullptr);
}
