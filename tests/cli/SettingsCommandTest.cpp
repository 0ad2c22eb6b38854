// dapple settings and dapple apply --settings: named settings saved, listed,
// shown and deleted from the command line; a setting found among the user's,
// then the factory's, then as a file; --set values over it. The effect adds
// its amount to every channel, so each run shows which amount it used.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Command.h"
#include "host/FilterFactory.h"
#include "tests/cli/CommandHarness.h"
#include "tests/inprocesshost/TestEffect.h"

namespace {

namespace fs = std::filesystem;

const std::string kAmountKey = std::to_string(static_cast<int32_t>(testeffect::kAmountKey));

class SettingsCommand : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        folders_ = std::make_unique<GivenSettingsFolders>(PathOf("user"), PathOf("plugin"));
        input_ = PathOf("in.png");
        RasterImage image(3, 2, 3);
        std::fill(image.pixels.begin(), image.pixels.end(), 100);
        ASSERT_TRUE(WriteImageFile(input_, image).Ok());
    }

    CommandResult Run(const std::vector<std::string>& args) { return RunCommand(args, false, folders_.get()); }

    // The first channel of the first pixel after applying with `options`.
    int AppliedValue(std::vector<std::string> options) {
        std::vector<std::string> args = {"apply", "TestShift", input_, PathOf("out.png"), "--quiet"};
        args.insert(args.end(), options.begin(), options.end());
        const CommandResult result = Run(args);
        EXPECT_EQ(result.code, kExitSuccess) << result.err;
        return result.code == kExitSuccess ? ReadPicture(PathOf("out.png")).pixels[0] : -1;
    }

    void WriteFile(const fs::path& path, const std::string& bytes) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }
    fs::path FactoryFile(const std::string& name) { return folder_ / "plugin" / "Settings" / "TestShift" / name; }

    ScopedFilterOverride effect_{FilterKinds::Patchwork, [] { return std::make_unique<testeffect::TestEffect>(); }};
    std::unique_ptr<GivenSettingsFolders> folders_;
    std::string input_;
};

}  // namespace

TEST_F(SettingsCommand, SavesListsShowsAndDeletesUserSettings) {
    CommandResult result =
        Run({"settings", "save", "testshift", "Bright", "--set", "Amnt=30", "--set", "Tint=#102030"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    WriteFile(FactoryFile("Dim"), "TestShift\r\n" + kAmountKey + " 2\r\n");
    WriteFile(FactoryFile("Abacus"), "TestShift\r\n");

    result = Run({"settings", "list", "TestShift"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    EXPECT_EQ(result.out, "user\tBright\nfactory\tAbacus\nfactory\tDim\n");

    result = Run({"settings", "list", "TestShift", "--json"});
    EXPECT_EQ(result.out,
              "[\n  {\"source\": \"user\", \"name\": \"Bright\"},\n  {\"source\": \"factory\", \"name\": "
              "\"Abacus\"},\n  {\"source\": \"factory\", \"name\": \"Dim\"}\n]\n");

    result = Run({"settings", "show", "TestShift", "Bright"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    EXPECT_EQ(result.out.rfind("amount\tAmnt\tAmount\t30\nwidth\tWdth\tWidth\t4px\n", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("\ntint\tTint\tTint\t#102030\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\nlight-direction\tLDir\tLight direction\t135\n"), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("\ntube\tPath\tTube\t\\Stars.tub\n"), std::string::npos) << result.out;
    // Every value as --set takes it: typed back, they make the same setting.
    std::vector<std::string> copy = {"settings", "save", "TestShift", "Copy"};
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) {
        const std::string name = line.substr(0, line.find('\t'));
        if (name.rfind("tube", 0) != 0)
            copy.insert(copy.end(), {"--set", name + "=" + line.substr(line.rfind('\t') + 1)});
    }
    ASSERT_EQ(Run(copy).code, kExitSuccess);
    {
        // Closed before the setting is deleted: Windows deletes no open file.
        std::ifstream bright(folder_ / "user" / "TestShift" / "Bright", std::ios::binary);
        std::ifstream copied(folder_ / "user" / "TestShift" / "Copy", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(bright), {}),
                  std::string(std::istreambuf_iterator<char>(copied), {}));
    }
    EXPECT_NE(Run({"settings", "show", "TestShift", "Bright", "--json"})
                  .out.find("{\"name\": \"tint\", \"key\": \"Tint\", \"label\": \"Tint\", \"value\": \"#102030\"}"),
              std::string::npos);

    result = Run({"settings", "delete", "TestShift", "Bright"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    EXPECT_FALSE(fs::exists(folder_ / "user" / "TestShift" / "Bright"));
    result = Run({"settings", "delete", "TestShift", "Dim"});
    EXPECT_EQ(result.code, kExitUsage);
    EXPECT_NE(result.err.find("factory settings cannot be deleted"), std::string::npos) << result.err;
    EXPECT_TRUE(fs::exists(FactoryFile("Dim")));
}

TEST_F(SettingsCommand, SavingRefusesInvalidNamesWithTheReasonAndKeepsExistingSettings) {
    for (const char* name : {"Why?", "-dash", " blank", "a/b", "0123456789012345678901234567890123"}) {
        const CommandResult result = Run({"settings", "save", "TestShift", name});
        EXPECT_EQ(result.code, kExitUsage) << name;
        EXPECT_NE(result.err.find("cannot save as '" + std::string(name) + "': a name"), std::string::npos)
            << result.err;
    }
    EXPECT_FALSE(fs::exists(folder_ / "user" / "TestShift" / "a"));
    ASSERT_EQ(Run({"settings", "save", "TestShift", "Kept", "--set", "Amnt=30"}).code, kExitSuccess);
    const CommandResult again = Run({"settings", "save", "TestShift", "Kept", "--set", "Amnt=60"});
    EXPECT_EQ(again.code, kExitUsage);
    EXPECT_NE(again.err.find("--replace"), std::string::npos) << again.err;
    EXPECT_EQ(AppliedValue({"--settings", "Kept"}), 130);
    ASSERT_EQ(Run({"settings", "save", "TestShift", "Kept", "--set", "Amnt=60", "--replace"}).code, kExitSuccess);
    EXPECT_EQ(AppliedValue({"--settings", "Kept"}), 160);
    // A share of the picture is no length a setting can keep.
    const CommandResult percent = Run({"settings", "save", "TestShift", "Share", "--set", "width=5%"});
    EXPECT_EQ(percent.code, kExitUsage);
    EXPECT_NE(percent.err.find("per cent"), std::string::npos) << percent.err;
    EXPECT_EQ(Run({"settings", "save", "TestShift", "Bad", "--set", "Nope=1"}).code, kExitUsage);
    EXPECT_FALSE(fs::exists(folder_ / "user" / "TestShift" / "Bad"));
}

TEST_F(SettingsCommand, ApplyTakesTheUsersSettingThenTheFactorysThenAFile) {
    WriteFile(FactoryFile("Look"), "TestShift\r\n" + kAmountKey + " 50\r\n");
    EXPECT_EQ(AppliedValue({"--settings", "Look"}), 150);
    ASSERT_EQ(Run({"settings", "save", "TestShift", "Look", "--set", "Amnt=30"}).code, kExitSuccess);
    EXPECT_EQ(AppliedValue({"--settings", "Look"}), 130);
    // Later --set values change the setting's.
    EXPECT_EQ(AppliedValue({"--settings", "Look", "--set", "Amnt=5"}), 105);
    EXPECT_EQ(AppliedValue({"--set", "Amnt=5", "--settings=Look"}), 105);
    // A new setting can start from another.
    ASSERT_EQ(Run({"settings", "save", "TestShift", "Double look", "--settings", "Look", "--set", "Mode=tmA2"}).code,
              kExitSuccess);
    EXPECT_EQ(AppliedValue({"--settings", "Double look"}), 160);

    WriteFile(folder_ / "elsewhere" / "lf only.txt", "\n  TestShift\n" + kAmountKey + " 70\n");
    EXPECT_EQ(AppliedValue({"--settings", (folder_ / "elsewhere" / "lf only.txt").string()}), 170);
}

TEST_F(SettingsCommand, SettingsThatCannotBeUsedAreRefusedBeforeTheEffectRuns) {
    WriteFile(folder_ / "other.txt", "Edge\r\n" + kAmountKey + " 70\r\n");
    WriteFile(folder_ / "broken.txt", "TestShift\r\nno-blank-here\r\n");
    const std::string pathKey = std::to_string(static_cast<int32_t>(testeffect::kPathKey));
    const std::string relativeKey = std::to_string(static_cast<int32_t>(testeffect::kRelativeKey));
    WriteFile(folder_ / "long.txt",
              "TestShift\r\n" + pathKey + " /" + std::string(1100, 'a') + ".ptl\r\n" + relativeKey + " 0\r\n");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Missing", "no setting 'Missing' for TestShift"},
        {(folder_ / "other.txt").string(), "is not a setting of TestShift"},
        {(folder_ / "broken.txt").string(), "a key without a value: no-blank-here"},
        // A content path too long to keep: refused whole, its relative flag too.
        {(folder_ / "long.txt").string(), "content path is longer than"},
    };
    for (const auto& [name, message] : cases) {
        const CommandResult result =
            Run({"apply", "TestShift", input_, PathOf("refused.png"), "--settings", name, "--quiet"});
        EXPECT_EQ(result.code, kExitUsage) << name;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(PathOf("refused.png")));
    }
    EXPECT_EQ(Run({"settings", "show", "TestShift", "Missing"}).code, kExitUsage);
    EXPECT_EQ(Run({"settings", "list", "NoSuchEffect"}).code, kExitUsage);
    EXPECT_EQ(Run({"settings", "frobnicate", "TestShift"}).code, kExitUsage);
    EXPECT_EQ(Run({"settings", "show", "TestShift"}).code, kExitUsage);
}

TEST_F(SettingsCommand, UpdateChangesOnlyTheValuesGivenAndAFactoryNameGetsANote) {
    ASSERT_EQ(Run({"settings", "save", "TestShift", "Mine", "--set", "amount=30", "--set", "mode=Double"}).code,
              kExitSuccess);
    ASSERT_EQ(Run({"settings", "save", "TestShift", "Mine", "--set", "amount=20", "--update"}).code, kExitSuccess);
    EXPECT_EQ(AppliedValue({"--settings", "Mine"}), 140) << "the double mode kept, the amount changed";
    ASSERT_EQ(Run({"settings", "save", "TestShift", "Mine", "--set", "amount=20", "--replace"}).code, kExitSuccess);
    EXPECT_EQ(AppliedValue({"--settings", "Mine"}), 120) << "every other value back at its default";
    const CommandResult none = Run({"settings", "save", "TestShift", "Nothing", "--update"});
    EXPECT_EQ(none.code, kExitUsage);
    EXPECT_NE(none.err.find("no user setting 'Nothing'"), std::string::npos) << none.err;

    WriteFile(FactoryFile("Look"), "TestShift\r\n" + kAmountKey + " 50\r\n");
    const CommandResult shadow = Run({"settings", "save", "TestShift", "Look", "--set", "amount=1"});
    ASSERT_EQ(shadow.code, kExitSuccess);
    EXPECT_EQ(shadow.err.rfind("dapple: note: the user setting 'Look' now comes before the factory setting", 0), 0u)
        << shadow.err;
    EXPECT_EQ(Run({"settings", "save", "TestShift", "Mine", "--update", "--replace"}).code, kExitUsage);
}

using ShippedSettings = ScratchFolderTest;

TEST_F(ShippedSettings, TheBuildPutsTheFactorySettingsBesideTheProgram) {
    const fs::path build = DAPPLE_BUILD_FOLDER;
    GivenSettingsFolders folders(PathOf("user"), build.string());
    const CommandResult list = RunCommand({"settings", "list", "Edge"}, false, &folders);
    ASSERT_EQ(list.code, kExitSuccess) << list.err;
    EXPECT_NE(list.out.find("factory\tTorn Paper\n"), std::string::npos) << list.out;
    EXPECT_TRUE(fs::is_regular_file(build / "Settings" / "Gradients" / "Sunset"));
    EXPECT_TRUE(fs::is_regular_file(build / "Settings" / "Bevels" / "Rounded"));
}
