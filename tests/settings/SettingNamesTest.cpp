// Which names a setting or library entry can be saved under.
#include <gtest/gtest.h>

#include <string>

#include "settings/SettingNames.h"

TEST(SettingNames, LengthFirstCharacterAndRefusedCharacters) {
    EXPECT_TRUE(IsValidName(std::string(31, 'a')));
    EXPECT_FALSE(IsValidName(std::string(32, 'a')));
    EXPECT_FALSE(IsValidName(""));
    EXPECT_FALSE(IsValidName(" Soft"));
    EXPECT_FALSE(IsValidName("-Soft"));
    EXPECT_FALSE(IsValidName("Soft?"));
    for (char refused : std::string("\\:<>/\"|*'"))
        EXPECT_FALSE(IsValidName(std::string("A") + refused + "B")) << refused;
    EXPECT_TRUE(IsValidName("7 Soft Ragged-edge_v2 (big)"));
    EXPECT_TRUE(IsValidName("Zebra.grad"));
    EXPECT_TRUE(IsValidName("a"));
    EXPECT_FALSE(IsValidName("\xC3\x84pfel"));  // a letter, but not A to Z
    EXPECT_TRUE(IsValidName("Sch\xC3\xB6n"));
}

TEST(SettingNames, NamesWindowsWouldStoreElsewhereAreRefused) {
    EXPECT_FALSE(IsValidName("Soft "));
    EXPECT_FALSE(IsValidName("Soft."));
    EXPECT_FALSE(IsValidName("Tab\there"));
    EXPECT_FALSE(IsValidName(std::string("Nul\0x", 5)));
    for (const char* device : {"CON", "con", "Nul.txt", "aux", "PRN", "COM1", "lpt9.x"})
        EXPECT_FALSE(IsValidName(device)) << device;
    for (const char* fine : {"CONSOLE", "Nullish", "COM0", "COM10", "LPT"}) EXPECT_TRUE(IsValidName(fine)) << fine;
}

TEST(SettingNames, EveryRefusalSaysWhy) {
    for (const char* name : {"", "-x", "a/b", "Soft.", "NUL"}) EXPECT_FALSE(InvalidNameReason(name).empty()) << name;
    EXPECT_NE(InvalidNameReason("Soft?").find('?'), std::string::npos);
}

TEST(SettingNames, EntryNamesStayInsideTheirFolder) {
    for (const char* name : {"_hand made", ".hidden", "Soft ", "a name longer than thirty-one characters"})
        EXPECT_TRUE(IsEntryName(name)) << name;
    for (const char* name : {"", ".", "..", "../Soft", "a/b", "a\\b", "C:x"}) EXPECT_FALSE(IsEntryName(name)) << name;
    EXPECT_FALSE(IsEntryName(std::string("a\0b", 3)));
}
