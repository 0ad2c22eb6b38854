// dapple apply --plugin: the command loads a built module, finds its entry
// through the module's property list, and runs the effect through it; a
// file it cannot use is refused with one line, and nothing is written.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "imagefiles/ImageFiles.h"
#include "platform/TextEncoding.h"
#include "tests/cli/CommandHarness.h"
#include "tests/plugins/PluginFolder.h"

namespace {

constexpr int32_t kWidth = 56, kHeight = 44;

std::string Utf8(const std::wstring& text) { return Utf8FromWide(text); }

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path.c_str(), std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// Where the module's property list starts: the resource header (16-bit 1,
// version 0, eight properties) followed by the first vendor, "8BIM" stored
// little-endian.
size_t PiplOffset(const std::vector<uint8_t>& module) {
    const std::vector<uint8_t> head{1, 0, 0, 0, 0, 0, 8, 0, 0, 0, 'M', 'I', 'B', '8'};
    const auto found = std::search(module.begin(), module.end(), head.begin(), head.end());
    return found == module.end() ? 0 : static_cast<size_t>(found - module.begin());
}

// The offset of the x86-64 entry property's key ("8664" stored little-endian)
// inside the property list.
size_t EntryKeyOffset(const std::vector<uint8_t>& module) {
    const std::vector<uint8_t> key{'4', '6', '6', '8'};
    const auto found = std::search(module.begin() + static_cast<std::ptrdiff_t>(PiplOffset(module)), module.end(),
                                   key.begin(), key.end());
    return found == module.end() ? 0 : static_cast<size_t>(found - module.begin());
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PluginCommand : public testing::Test {
protected:
    void SetUp() override {
        input = Utf8(folder.Path()) + "input.png";
        // Colour ramps on an opaque card with a transparent margin, so that
        // the module's core reads the shape from the transparency.
        RasterImage image(kWidth, kHeight, 4);
        for (int32_t y = 0; y < kHeight; ++y) {
            for (int32_t x = 0; x < kWidth; ++x) {
                uint8_t* p = image.Row(y) + static_cast<size_t>(x) * 4;
                for (int32_t c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(30 + (x * 5 + y * 3 + c * 60) % 190);
                const bool opaque = x >= 5 && x < kWidth - 5 && y >= 4 && y < kHeight - 4;
                p[3] = opaque ? 255 : 0;
            }
        }
        ASSERT_TRUE(WriteImageFile(input, image).Ok());
    }

    // A copy of the Edges module in the scratch folder with `patch` applied.
    std::string PatchedEdgesModule(const std::string& name, void (*patch)(std::vector<uint8_t>&)) {
        std::vector<uint8_t> bytes = ReadBytes(ModulePath("DappleEdges"));
        EXPECT_NE(EntryKeyOffset(bytes), 0u);
        patch(bytes);
        const std::wstring path = folder.Path() + WideFromUtf8(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return Utf8(path);
    }

    // Refused as an unusable input: exit 2, one line naming the problem,
    // no output file.
    void ExpectRefused(const std::string& plugin, const std::string& expected) {
        SCOPED_TRACE(plugin);
        const std::string output = Utf8(folder.Path()) + "refused.png";
        const CommandResult result = RunCommand({"apply", "Edge", input, output, "--plugin", plugin});
        EXPECT_EQ(result.code, kExitUsage);
        EXPECT_EQ(result.err.rfind("dapple: cannot ", 0), 0u) << result.err;
        EXPECT_NE(result.err.find(expected), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_FALSE(Exists(output));
    }

    ScratchFolder folder;
    std::string input;
};

}  // namespace

TEST_F(PluginCommand, TheModuleRendersWhatTheBuiltInEffectRenders) {
    const std::string module = Utf8(ModulePath("DappleEdges"));
    for (const std::vector<std::string>& settings :
         {std::vector<std::string>{}, std::vector<std::string>{"--set", "Edmo=edM6", "--set", "Wdth=6 pixels"}}) {
        SCOPED_TRACE(settings.empty() ? "defaults" : "torn paper");
        const std::string builtIn = Utf8(folder.Path()) + "built-in.png";
        const std::string throughModule = Utf8(folder.Path()) + "module.png";
        std::vector<std::string> args{"apply", "Edge", input, builtIn};
        args.insert(args.end(), settings.begin(), settings.end());
        ASSERT_EQ(RunCommand(args).code, kExitSuccess);
        args[3] = throughModule;
        args.insert(args.end(), {"--plugin", module});
        const CommandResult result = RunCommand(args);
        ASSERT_EQ(result.code, kExitSuccess) << result.err;

        const RasterImage expected = ReadPicture(builtIn);
        const RasterImage actual = ReadPicture(throughModule);
        EXPECT_EQ(actual.width, kWidth);
        EXPECT_EQ(actual.channels, 4);
        EXPECT_TRUE(actual.pixels == expected.pixels);
        // The effect did run: the edge of the card changed.
        EXPECT_FALSE(actual.pixels == ReadPicture(input).pixels);
    }
}

TEST_F(PluginCommand, FilesThatAreNoUsableModuleAreRefused) {
    ExpectRefused(Utf8(folder.Path()) + "missing.8bf", "cannot load plug-in");
    ExpectRefused(Utf8(folder.Path()), "it is a folder");

    const std::wstring text = folder.Path() + L"NotAModule.8bf";
    ASSERT_TRUE(WriteBytes(text, std::vector<uint8_t>(300, 'x')));
    ExpectRefused(Utf8(text), "NotAModule.8bf");

    // A library without a property list: the core itself.
    ExpectRefused(Utf8(PluginFolder()) + "DappleCore.dll", "no property list");
    // A module of the family for another effect.
    ExpectRefused(Utf8(ModulePath("DappleFrame")), "DappleFrame.8bf, the module of another effect");
}

TEST_F(PluginCommand, ModulesWhosePropertyListFailsThemAreRefused) {
    // The x86-64 entry property names a function the module does not export.
    ExpectRefused(
        PatchedEdgesModule("Renamed.8bf", [](std::vector<uint8_t>& bytes) { bytes[EntryKeyOffset(bytes) + 12] = 'X'; }),
        "does not export the entry point XappleFilterEntry");
    // No entry property for this processor (only the 32-bit one is left).
    ExpectRefused(
        PatchedEdgesModule("No64.8bf", [](std::vector<uint8_t>& bytes) { bytes[EntryKeyOffset(bytes)] = '5'; }),
        "no entry point for this processor");
    // A property count far beyond the resource's size.
    ExpectRefused(
        PatchedEdgesModule("Count.8bf", [](std::vector<uint8_t>& bytes) { bytes[PiplOffset(bytes) + 9] = 0x40; }),
        "claims");
    // The entry property's length runs past the end of the list.
    ExpectRefused(
        PatchedEdgesModule("Length.8bf", [](std::vector<uint8_t>& bytes) { bytes[EntryKeyOffset(bytes) + 11] = 0x7F; }),
        "runs past");
}

TEST_F(PluginCommand, APluginCannotRenderTheBuiltInPreview) {
    const std::string output = Utf8(folder.Path()) + "preview.png";
    const CommandResult result = RunCommand(
        {"apply", "Edge", input, output, "--plugin", Utf8(ModulePath("DappleEdges")), "--preview-scale", "2"});
    EXPECT_EQ(result.code, kExitUsage);
    EXPECT_NE(result.err.find("--preview-scale"), std::string::npos) << result.err;
    EXPECT_FALSE(Exists(output));
}
