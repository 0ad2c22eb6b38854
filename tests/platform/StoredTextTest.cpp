// Stored text is taken as UTF-8 only when it is well-formed UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "platform/StoredText.h"

TEST(StoredText, OnlyWellFormedUtf8IsUtf8) {
    const std::pair<std::string, bool> cases[] = {
        {"", true},
        {"Tubes\\Stars.tub", true},
        {"Caf\xC3\xA9", true},            // é
        {"\xE2\x82\xAC", true},           // €
        {"\xF0\x9F\x8E\xA8", true},       // 🎨
        {"Caf\xE9", false},               // é in Windows-1252
        {"\xC3", false},                  // cut short
        {"\xC0\xAF", false},              // '/' in two bytes: overlong
        {"\xE0\x80\xAF", false},          // '/' in three bytes: overlong
        {"\xED\xA0\x80", false},          // a surrogate half
        {"\xF4\x90\x80\x80", false},      // past U+10FFFF
        {"\x80", false},                  // a continuation without a lead
        {"\xF8\x88\x80\x80\x80", false},  // five bytes
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(IsValidUtf8(text), valid) << testing::PrintToString(text);
        // Valid text is read as it is, on every system.
        if (valid) {
            EXPECT_EQ(Utf8FromStoredText(text), text);
        }
    }
}
