#include "platform/ResourceStrings.h"

#include <gtest/gtest.h>

#include <string>

TEST(ResourceStrings, MissingStringReadsLostString) {
    EXPECT_EQ(LoadResourceString(1), "LOST STRING!");
    EXPECT_EQ(LoadResourceString(-4150), "LOST STRING!");
    EXPECT_EQ(LoadResourceString(65536 + 4150), "LOST STRING!");
}

TEST(ResourceStrings, EffectNamesAndHueUnitLoad) {
    EXPECT_EQ(LoadResourceString(4150), "Border Stamp");
    EXPECT_EQ(LoadResourceString(4200), "Edges");
    EXPECT_EQ(LoadResourceString(4300), "Frame");
    EXPECT_EQ(LoadResourceString(4500), "Fill Stamp");
    EXPECT_EQ(LoadResourceString(4700), "Patchwork");
    EXPECT_EQ(LoadResourceString(4900), "Resurface");
    EXPECT_EQ(LoadResourceString(10100), "\xC2\xB0");
}

TEST(ResourceStrings, EveryEntryMessageHasAText) {
    for (int id : {10000, 10001, 10002, 10003, 10004, 10009}) {
        const std::string text = LoadResourceString(id);
        EXPECT_NE(text, "LOST STRING!") << id;
        EXPECT_GT(text.size(), 20u) << id;
    }
}

TEST(ResourceStrings, TooSmallMessageTakesWidthThenHeight) {
    const std::string text = LoadFormattedResourceString(10009, {64, 32});
    const auto width = text.find("64");
    const auto height = text.find("32");
    ASSERT_NE(width, std::string::npos);
    ASSERT_NE(height, std::string::npos);
    EXPECT_LT(width, height);
    EXPECT_EQ(text.find('%'), std::string::npos);
}

TEST(ResourceStrings, FormattingAFaultyTextKeepsTheNumbers) {
    EXPECT_EQ(LoadFormattedResourceString(1, {64, 32}), "LOST STRING! (64 32)");
    EXPECT_EQ(LoadFormattedResourceString(4150, {}), "Border Stamp");
}

TEST(ResourceStrings, ClipKeepsAtMost799BytesAndWholeCharacters) {
    EXPECT_EQ(ClipResourceText(std::string(1000, 'a')), std::string(799, 'a'));
    EXPECT_EQ(ClipResourceText(std::string(799, 'a')), std::string(799, 'a'));
    // A two-byte character that would straddle the limit goes whole...
    EXPECT_EQ(ClipResourceText(std::string(798, 'a') + "\xC3\xA9" + "b"), std::string(798, 'a'));
    // ...and stays when it ends exactly at the limit.
    const std::string fits = std::string(797, 'a') + "\xC3\xA9";
    EXPECT_EQ(ClipResourceText(fits + "b"), fits);
    // A three-byte character split after its first or second byte.
    EXPECT_EQ(ClipResourceText(std::string(797, 'a') + "\xE2\x82\xAC"), std::string(797, 'a'));
    EXPECT_EQ(ClipResourceText(std::string(798, 'a') + "\xE2\x82\xAC"), std::string(798, 'a'));
}

TEST(FormatIntegers, PutsValuesInPlaceOfD) {
    std::string out;
    ASSERT_TRUE(FormatIntegers("at least %d by %d pixels", {64, -3}, out));
    EXPECT_EQ(out, "at least 64 by -3 pixels");
    ASSERT_TRUE(FormatIntegers("%d%% done", {50}, out));
    EXPECT_EQ(out, "50% done");
    ASSERT_TRUE(FormatIntegers("no numbers", {}, out));
    EXPECT_EQ(out, "no numbers");
}

TEST(FormatIntegers, RejectsFormatsThatDoNotTakeExactlyTheValues) {
    const char* faulty[] = {"%s and %d", "%d %d %d", "%d", "%d %n", "%5d %d", "%ld %d", "ends in %d %d %", "%i %d"};
    for (const char* format : faulty) {
        std::string out = "untouched";
        EXPECT_FALSE(FormatIntegers(format, {1, 2}, out)) << format;
        EXPECT_EQ(out, "untouched") << format;
    }
}

TEST(WithName, PutsTheNameInPlaceOfTheFirstS) {
    EXPECT_EQ(WithName("Replace \"%s\"?", "Dawn"), "Replace \"Dawn\"?");
    EXPECT_EQ(WithName("No name here.", "Dawn"), "No name here.");
    EXPECT_EQ(WithName("%s and %s", "A"), "A and %s");
}

TEST(ResourceModule, StoresTheModuleGiven) {
    int moduleStandIn = 0;
    EXPECT_EQ(SetResourceModule(&moduleStandIn), &moduleStandIn);
    EXPECT_EQ(ResourceModule(), &moduleStandIn);
    EXPECT_EQ(SetResourceModule(nullptr), nullptr);
    EXPECT_EQ(ResourceModule(), nullptr);
}
