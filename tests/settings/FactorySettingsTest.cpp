// The factory settings and library entries the build ships (settings/factory):
// each folder belongs to a built effect or to a library, every file there is
// what our own writers would write for the values it holds, and every name
// can be saved under.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "host/FilterFactory.h"
#include "settings/DappleSettingsArchiver.h"
#include "settings/GradientLibrary.h"
#include "settings/SettingNames.h"

namespace {

namespace fs = std::filesystem;

// Tests run in the tests folder of the sources.
const fs::path kFactoryFolder = fs::path("..") / "settings" / "factory";

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::unique_ptr<Filter> BuiltEffectNamed(const std::string& name) {
    for (FilterKind kind : BuiltEffectKinds()) {
        std::unique_ptr<Filter> effect;
        if (CreateFilter(kind, effect).IsSuccess() && effect->InternalName() == name) return effect;
    }
    return nullptr;
}

template <class Value>
void ExpectLibraryEntry(const fs::path& file) {
    const std::string bytes = ReadBytes(file);
    EXPECT_EQ(bytes.rfind(Value::kLibraryWord, 0), 0u) << file;
    Value value;
    value.FromText(bytes);
    EXPECT_EQ(value.ToText(), bytes) << file;
    EXPECT_GT(value.count, 1) << file;
}

void ExpectSetting(const Filter& effect, const fs::path& file) {
    const std::string bytes = ReadBytes(file);
    auto block = std::make_unique<ParameterBlock>();
    std::memset(static_cast<void*>(block.get()), 0, sizeof *block);
    effect.WriteDefaults(*block);
    ParameterSet set;
    ASSERT_TRUE(effect.BuildParameters(set, *block).IsSuccess());
    GivenSettingsFolders nowhere("", "");
    DappleSettingsArchiver archiver(nowhere);
    ASSERT_TRUE(archiver.ReadSettingsText(effect.InternalName(), set, bytes).IsSuccess()) << file;
    std::string written;
    ASSERT_TRUE(archiver.WriteSettingsText(effect.InternalName(), set, written).IsSuccess());
    EXPECT_EQ(written, bytes) << file << ": every value in range, every key once, in order, with CR LF";
}

}  // namespace

TEST(FactorySettings, EveryFileIsAValidEntryOfItsEffectOrLibrary) {
    ASSERT_TRUE(fs::is_directory(kFactoryFolder));
    int folders = 0;
    for (const fs::directory_entry& folder : fs::directory_iterator(kFactoryFolder)) {
        ASSERT_TRUE(folder.is_directory()) << folder.path();
        const std::string name = folder.path().filename().string();
        const std::unique_ptr<Filter> effect = BuiltEffectNamed(name);
        ASSERT_TRUE(name == GradientValue::kLibraryFolder || name == BevelProfileValue::kLibraryFolder || effect)
            << name << " is neither a library nor the internal name of a built effect";
        for (const fs::directory_entry& file : fs::directory_iterator(folder.path())) {
            EXPECT_TRUE(IsValidName(file.path().filename().string())) << file.path();
            if (name == GradientValue::kLibraryFolder) {
                ExpectLibraryEntry<GradientValue>(file.path());
            } else if (name == BevelProfileValue::kLibraryFolder) {
                ExpectLibraryEntry<BevelProfileValue>(file.path());
            } else {
                ExpectSetting(*effect, file.path());
            }
        }
        ++folders;
    }
    EXPECT_GE(folders, 3);
}

TEST(FactorySettings, EdgesComesWithAtLeastThreeSettings) {
    const auto files = std::distance(fs::directory_iterator(kFactoryFolder / "Edge"), fs::directory_iterator());
    EXPECT_GE(files, 3);
}
