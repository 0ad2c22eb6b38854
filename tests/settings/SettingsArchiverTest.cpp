// Named settings on disk: the file an effect's values make, reading it back
// (either line end, damaged and foreign files), the user and factory folders
// with their lists, renames and deletes, and the options file.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "host/FilterFactory.h"
#include "platform/ResourceStrings.h"
#include "settings/DappleSettingsArchiver.h"
#include "tests/settings/EveryParameterEffect.h"
#include "tests/settings/ParameterValues.h"
#include "tests/settings/SettingsFixture.h"

namespace {

namespace fs = std::filesystem;
using everyparameter::Record;

// An effect's record at its defaults, with the parameter set over it.
struct Parameters {
    explicit Parameters(const Filter& effect) {
        std::memset(static_cast<void*>(block.get()), 0, sizeof *block);
        effect.WriteDefaults(*block);
        EXPECT_TRUE(effect.BuildParameters(set, *block).IsSuccess());
    }
    const Record& record() const { return block->As<Record>(); }
    Record& record() { return block->As<Record>(); }

    std::unique_ptr<ParameterBlock> block = std::make_unique<ParameterBlock>();
    ParameterSet set;
};

// The file the defaults of the test effect make, worked out by hand.
const char kDefaultsFile[] =
    "EveryParameter\r\n"
    "1399612530 25.000\r\n"
    "1148347252 90.000\r\n"
    "1130914667 0\r\n"
    "1382966355 7\r\n"
    "1281979252 10\r\n"
    "1131180576 RGB: 3.9% 7.8% 11.8% (10 20 30)\r\n"
    "1282307176 4.00 pixels\r\n"
    "1279551858 135.000\r\n"
    "1279618166 30.000\r\n"
    "1279423092 50.000\r\n"
    "1280534640 50.000\r\n"
    "1279487852 RGB: 100.0% 100.0% 100.0% (255 255 255)\r\n"
    "1181314114 1718174258\r\n"
    "1181314115 RGB: 0.0% 0.0% 0.0% (0 0 0)\r\n"
    "1198678372 Gradient: 0\r\n"
    "1131574885 Bevel: 0\r\n"
    "-1455262124 1\r\n"
    "1382377068 Chrome.jpg\r\n"
    "1348564072 Stars.tub\r\n"
    "1382839414 1\r\n";

class SettingsArchiverTest : public SettingsFolderTest {
protected:
    fs::path UserFile(const std::string& name) const { return UserFolder() / effect_.InternalName() / name; }
    fs::path FactoryFile(const std::string& name) const {
        return PluginFolder() / "Settings" / effect_.InternalName() / name;
    }

    everyparameter::Effect effect_;
    DappleSettingsArchiver archiver_{folders_};
};

}  // namespace

TEST_F(SettingsArchiverTest, SavedFileHoldsEveryParameterLineWithCrLf) {
    Parameters defaults(effect_);
    ASSERT_TRUE(archiver_.Save(effect_, defaults.set, "Defaults").IsSuccess());
    EXPECT_EQ(ReadBytes(UserFile("Defaults")), kDefaultsFile);
}

TEST_F(SettingsArchiverTest, SaveThenLoadKeepsEveryValueOfEveryEffect) {
    std::vector<std::unique_ptr<Filter>> effects;
    effects.push_back(std::make_unique<everyparameter::Effect>());
    for (FilterKind kind : BuiltEffectKinds()) {
        std::unique_ptr<Filter> built;
        ASSERT_TRUE(CreateFilter(kind, built).IsSuccess());
        effects.push_back(std::move(built));
    }
    std::mt19937 random(4242);
    for (const auto& effect : effects) {
        for (int round = 0; round < 25; ++round) {
            Parameters saved(*effect);
            for (std::size_t i = 0; i < saved.set.Count(); ++i) SetRandomValue(*saved.set.At(i), random);
            ASSERT_TRUE(archiver_.Save(*effect, saved.set, "Round trip").IsSuccess());
            Parameters loaded(*effect);
            ASSERT_TRUE(archiver_.Load(*effect, loaded.set, "Round trip", true).IsSuccess());
            for (std::size_t i = 0; i < saved.set.Count(); ++i) {
                EXPECT_EQ(DifferenceAfterRoundTrip(*saved.set.At(i), *loaded.set.At(i)), "")
                    << effect->InternalName() << " parameter " << i;
            }
        }
    }
}

TEST_F(SettingsArchiverTest, HeaderMatchesWithWhiteSpaceAroundItButNotInOtherCase) {
    Parameters parameters(effect_);
    const std::string body = "1399612530 40\r\n";
    EXPECT_TRUE(archiver_.ReadSettingsText("EveryParameter", parameters.set, "  \r\n\t EveryParameter   \r\n" + body)
                    .IsSuccess());
    EXPECT_EQ(parameters.record().slider, 40.0);
    for (const char* header : {"everyparameter", "EVERYPARAMETER", "EveryParameters", "Every", ""}) {
        EXPECT_EQ(
            archiver_.ReadSettingsText("EveryParameter", parameters.set, header + std::string("\r\n1399612530 50"))
                .status,
            ResultCode::kFailure)
            << header;
    }
    EXPECT_EQ(parameters.record().slider, 40.0);
}

TEST_F(SettingsArchiverTest, LfAndCrLfFilesLoadAlike) {
    std::string lf = kDefaultsFile;
    for (std::size_t at = lf.find("\r\n"); at != std::string::npos; at = lf.find("\r\n", at)) lf.erase(at, 1);
    ASSERT_EQ(lf.find('\r'), std::string::npos);
    for (const std::string& text : {std::string(kDefaultsFile), lf}) {
        Parameters parameters(effect_);
        std::mt19937 random(1);
        for (std::size_t i = 0; i < parameters.set.Count(); ++i) SetRandomValue(*parameters.set.At(i), random);
        ASSERT_TRUE(archiver_.ReadSettingsText("EveryParameter", parameters.set, text).IsSuccess());
        Parameters defaults(effect_);
        for (std::size_t i = 0; i < parameters.set.Count(); ++i)
            EXPECT_EQ(DifferenceAfterRoundTrip(*defaults.set.At(i), *parameters.set.At(i)), "") << i;
    }
}

TEST_F(SettingsArchiverTest, PathLineKeepsEverythingAfterTheFirstBlank) {
    Parameters parameters(effect_);
    ASSERT_TRUE(archiver_
                    .ReadSettingsText("EveryParameter", parameters.set,
                                      "EveryParameter\n1348564072 C:\\My Tubes\\ sparkly  stars .tub\n"
                                      "1382377068  leading blank.jpg\n1382839414 5\n")
                    .IsSuccess());
    EXPECT_STREQ(parameters.record().path, "C:\\My Tubes\\ sparkly  stars .tub");
    EXPECT_STREQ(parameters.record().reflection, " leading blank.jpg");
    EXPECT_EQ(parameters.record().relative, 1);
}

TEST_F(SettingsArchiverTest, ValuesOutOfRangeAreValidatedOnLoad) {
    Parameters parameters(effect_);
    ASSERT_TRUE(archiver_
                    .ReadSettingsText("EveryParameter", parameters.set,
                                      "EveryParameter\n"
                                      "1279551858 720\n1279618166 -5\n1279423092 100.5\n1280534640 1e9\n"
                                      "1399612530 0.25\n1148347252 400\n1281979252 3\n1382966355 65537\n"
                                      "1282307176 9000 points\n1181314114 12\n1130914667 -3\n")
                    .IsSuccess());
    const Record& r = parameters.record();
    EXPECT_EQ(r.light.direction, 360.0);
    EXPECT_EQ(r.light.elevation, 0.0);
    EXPECT_EQ(r.light.brightness, 100.0);
    EXPECT_EQ(r.light.sharpness, 100.0);
    EXPECT_EQ(r.slider, 1.0);       // the slider's minimum
    EXPECT_EQ(r.direction, 360.0);  // directions are clamped
    EXPECT_EQ(r.list, 10);          // an id not in the list: the first item
    EXPECT_EQ(r.seed, 1);           // the low 16 bits
    EXPECT_EQ(r.length.value, 500.0);
    EXPECT_EQ(r.length.unit, kLengthPoints);
    EXPECT_EQ(r.fill.behaviour, kLayerFillWithColour);
    EXPECT_EQ(r.checkbox, 1);
}

TEST_F(SettingsArchiverTest, UnreadableNumbersKeepTheOldValueAndUnknownKeysAreSkipped) {
    Parameters parameters(effect_);
    ASSERT_TRUE(archiver_
                    .ReadSettingsText("EveryParameter", parameters.set,
                                      "EveryParameter\n1399612530 many\n99 unknown key\n1382966355 x\n"
                                      "1282307176 twelve\n0 zero\n")
                    .IsSuccess());
    EXPECT_EQ(parameters.record().slider, 25.0);
    EXPECT_EQ(parameters.record().seed, 7);
    EXPECT_EQ(parameters.record().length.value, 0.0);  // a length that cannot be read is 0 pixels
    EXPECT_EQ(parameters.record().length.unit, kLengthPixels);
}

TEST_F(SettingsArchiverTest, ForeignOrDamagedFilesAreRefusedAndChangeNothing) {
    Parameters parameters(effect_);
    Record before;  // byte for byte, padding included
    std::memcpy(static_cast<void*>(&before), &parameters.record(), sizeof before);
    const std::string foreign = std::string(kDefaultsFile).replace(0, 14, "Edge");
    EXPECT_EQ(archiver_.ReadSettingsText("EveryParameter", parameters.set, foreign).status, ResultCode::kFailure);
    EXPECT_EQ(
        archiver_.ReadSettingsText("EveryParameter", parameters.set, "EveryParameter\n1399612530 40\n1399612530\n")
            .status,
        ResultCode::kFailure);
    EXPECT_EQ(std::memcmp(&before, &parameters.record(), sizeof before), 0);

    WriteBytes(UserFile("Edges file"), "Edge\r\n1399612530 40\r\n");
    EXPECT_EQ(archiver_.Load(effect_, parameters.set, "Edges file", true).status, ResultCode::kFailure);
    EXPECT_EQ(archiver_.Load(effect_, parameters.set, "Missing", true).status, ResultCode::kFailure);
    EXPECT_EQ(archiver_.Load(effect_, parameters.set, "../EveryParameter/Edges file", true).status,
              ResultCode::kFailure);
    EXPECT_EQ(std::memcmp(&before, &parameters.record(), sizeof before), 0);
}

TEST_F(SettingsArchiverTest, SavingRefusesBadNamesAndUnwritableValuesWithoutWriting) {
    Parameters parameters(effect_);
    EXPECT_EQ(archiver_.Save(effect_, parameters.set, "What?").status, ResultCode::kFailure);
    EXPECT_EQ(archiver_.Save(effect_, parameters.set, "../Escape").status, ResultCode::kFailure);
    ASSERT_TRUE(archiver_.Save(effect_, parameters.set, "Kept").IsSuccess());
    std::strcpy(parameters.record().path, "two\nlines");
    EXPECT_EQ(archiver_.Save(effect_, parameters.set, "Kept").status, ResultCode::kFailure);
    EXPECT_EQ(ReadBytes(UserFile("Kept")), kDefaultsFile);
    EXPECT_FALSE(fs::exists(UserFolder() / "Escape"));
}

TEST_F(SettingsArchiverTest, ListsSortedByByteWithoutLastUsedForeignOrUnfinishedFiles) {
    Parameters parameters(effect_);
    for (const char* name : {"beta", "Betamax", "alpha", "Zed", "9 lives", "Dotted.name"})
        ASSERT_TRUE(archiver_.Save(effect_, parameters.set, name).IsSuccess()) << name;
    ASSERT_TRUE(
        archiver_.Save(effect_, parameters.set, LoadResourceString(SettingsArchiver::kLastUsedNameId)).IsSuccess());
    WriteBytes(UserFile("Foreign"), "Edge\r\n");
    WriteBytes(UserFile(".Zed.tmp123"), kDefaultsFile);
    WriteBytes(UserFile("Indented"), "\n\n   EveryParameter\n");
    fs::create_directories(UserFile("A folder"));

    std::vector<std::string> names;
    ASSERT_TRUE(archiver_.ListSettings(effect_, true, names).IsSuccess());
    const std::vector<std::string> expected = {"9 lives", "Betamax", "Dotted.name", "Indented", "Zed", "alpha", "beta"};
    EXPECT_EQ(names, expected);
    if (NamesKeepTheirCase()) {
        ASSERT_TRUE(archiver_.Save(effect_, parameters.set, "Beta").IsSuccess());
        ASSERT_TRUE(archiver_.ListSettings(effect_, true, names).IsSuccess());
        EXPECT_EQ(names[1], "Beta");
        EXPECT_EQ(names[2], "Betamax");
        EXPECT_EQ(names.back(), "beta");
    }
}

TEST_F(SettingsArchiverTest, FactorySettingsComeFromThePluginFolderWhichIsNeverMade) {
    Parameters parameters(effect_);
    std::vector<std::string> names = {"stale"};
    EXPECT_EQ(archiver_.ListSettings(effect_, false, names).status, ResultCode::kFailure);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(archiver_.Load(effect_, parameters.set, "Shipped", false).status, ResultCode::kFailure);
    EXPECT_FALSE(fs::exists(PluginFolder() / "Settings"));

    WriteBytes(FactoryFile("Shipped"), "EveryParameter\r\n1399612530 60\r\n");
    ASSERT_TRUE(archiver_.ListSettings(effect_, false, names).IsSuccess());
    EXPECT_EQ(names, std::vector<std::string>{"Shipped"});
    ASSERT_TRUE(archiver_.Load(effect_, parameters.set, "Shipped", false).IsSuccess());
    EXPECT_EQ(parameters.record().slider, 60.0);
    EXPECT_FALSE(archiver_.Exists(effect_, "Shipped"));  // Exists looks at the user's settings only
}

TEST_F(SettingsArchiverTest, ExistsRenameAndDeleteWorkOnTheUsersSettings) {
    Parameters parameters(effect_);
    ASSERT_TRUE(archiver_.Save(effect_, parameters.set, "Old").IsSuccess());
    ASSERT_TRUE(archiver_.Save(effect_, parameters.set, "Taken").IsSuccess());
    EXPECT_TRUE(archiver_.Exists(effect_, "Old"));
    EXPECT_FALSE(archiver_.Exists(effect_, "New"));

    EXPECT_EQ(archiver_.Rename(effect_, "Old", "Taken").status, ResultCode::kFailure);
    EXPECT_EQ(archiver_.Rename(effect_, "Old", "Bad|name").status, ResultCode::kFailure);
    EXPECT_TRUE(archiver_.Exists(effect_, "Old"));
    ASSERT_TRUE(archiver_.Rename(effect_, "Old", "New").IsSuccess());
    EXPECT_FALSE(archiver_.Exists(effect_, "Old"));
    EXPECT_EQ(ReadBytes(UserFile("New")), kDefaultsFile);

    ASSERT_TRUE(archiver_.Delete(effect_, "New").IsSuccess());
    EXPECT_FALSE(archiver_.Exists(effect_, "New"));
    EXPECT_EQ(archiver_.Delete(effect_, "New").status, ResultCode::kFailure);
    EXPECT_EQ(archiver_.Delete(effect_, "..").status, ResultCode::kFailure);
}

TEST_F(SettingsArchiverTest, UserFolderThatCannotBeMadeFailsEveryOperation) {
    WriteBytes(UserFolder(), "a file where the folder should be");
    Parameters parameters(effect_);
    std::vector<std::string> names;
    EXPECT_EQ(archiver_.Save(effect_, parameters.set, "Any").status, ResultCode::kFailure);
    EXPECT_EQ(archiver_.ListSettings(effect_, true, names).status, ResultCode::kFailure);
    EXPECT_EQ(archiver_.SaveOptions(OptionsRecord{}).status, ResultCode::kFailure);
}

TEST_F(SettingsArchiverTest, OptionsRoundTripAndRefuseMissingOrForeignFiles) {
    OptionsRecord options{-20, 30, 1044, 800, 1};
    OptionsRecord read{1, 2, 3, 4, 0};
    EXPECT_EQ(archiver_.LoadOptions(read).status, ResultCode::kFailure);
    ASSERT_TRUE(archiver_.SaveOptions(options).IsSuccess());
    EXPECT_EQ(ReadBytes(UserFolder() / "Dapple Options"), "Dapple Options\r\n-20 30 1044 800\r\n1");
    ASSERT_TRUE(archiver_.LoadOptions(read).IsSuccess());
    EXPECT_EQ(read.left, -20);
    EXPECT_EQ(read.top, 30);
    EXPECT_EQ(read.right, 1044);
    EXPECT_EQ(read.bottom, 800);
    EXPECT_EQ(read.flag, 1);

    WriteBytes(UserFolder() / "Dapple Options", "Dapple Options, older\n5 6 7 8\n9\n");
    ASSERT_TRUE(archiver_.LoadOptions(read).IsSuccess());  // the first line counts over the name's length
    EXPECT_EQ(read.left, 5);
    EXPECT_EQ(read.flag, 1);
    for (const char* text : {"dapple options\n1 2 3 4\n0", "Dapple\n1 2 3 4\n0", "Dapple Options\n1 2 3\n0",
                             "Dapple Options\n1 2 3 4\n", " Dapple Options\n1 2 3 4\n1"}) {
        WriteBytes(UserFolder() / "Dapple Options", text);
        EXPECT_EQ(archiver_.LoadOptions(read).status, ResultCode::kFailure) << text;
        EXPECT_EQ(read.left, 5) << text;
    }
}
