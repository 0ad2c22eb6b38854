// Reading a plug-in's property list: the lists here are assembled byte by
// byte, in the resource form hosts read on Windows, including broken ones
// that must be refused without reading past their end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "inprocesshost/PluginPropertyList.h"

namespace {

void PutLong(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

uint32_t Key(const char (&code)[5]) { return PropertyKey(code); }

std::vector<uint8_t> Text(const char* text, bool terminate = true) {
    std::vector<uint8_t> bytes(text, text + std::strlen(text));
    if (terminate) bytes.push_back(0);
    return bytes;
}

std::vector<uint8_t> Pascal(const std::string& text) {
    std::vector<uint8_t> bytes(text.size() + 1);
    bytes[0] = static_cast<uint8_t>(text.size());
    std::copy(text.begin(), text.end(), bytes.begin() + 1);
    return bytes;
}

std::vector<uint8_t> Long(uint32_t value) {
    std::vector<uint8_t> bytes;
    PutLong(bytes, value);
    return bytes;
}

// Assembles a list: header, then each property with its data padded to 4.
class ListBuilder {
public:
    ListBuilder& Add(const char (&key)[5], std::vector<uint8_t> data, bool pad = true) {
        PutLong(properties_, Key("8BIM"));
        PutLong(properties_, Key(key));
        PutLong(properties_, 0);
        PutLong(properties_, static_cast<uint32_t>(data.size()));
        properties_.insert(properties_.end(), data.begin(), data.end());
        while (pad && properties_.size() % 4 != 0) properties_.push_back(0);
        ++count_;
        return *this;
    }
    std::vector<uint8_t> Bytes(uint32_t count) const {
        std::vector<uint8_t> out{1, 0};
        PutLong(out, 0);
        PutLong(out, count);
        out.insert(out.end(), properties_.begin(), properties_.end());
        return out;
    }
    std::vector<uint8_t> Bytes() const { return Bytes(count_); }

private:
    std::vector<uint8_t> properties_;
    uint32_t count_ = 0;
};

ListBuilder FilterList() {
    ListBuilder builder;
    builder.Add("kind", Long(Key("8BFM")))
        .Add("name", Pascal("Edges..."))
        .Add("catg", Pascal("Mornebrook Dapple!"))
        .Add("wx86", Text("EntryFor32"))
        .Add("8664", Text("EntryFor64"));
    return builder;
}

bool Parse(const std::vector<uint8_t>& bytes, PluginPropertyList& list, std::string& problem) {
    return ParsePluginPropertyList(bytes.data(), bytes.size(), list, problem);
}

}  // namespace

TEST(PluginPropertyList, AWellFormedFilterListNamesTheEntryOfEachProcessor) {
    PluginPropertyList list;
    std::string problem;
    ASSERT_TRUE(Parse(FilterList().Bytes(), list, problem)) << problem;
    ASSERT_EQ(list.properties.size(), 5u);
    EXPECT_EQ(list.properties[0].vendor, Key("8BIM"));
    // "Edges..." is 9 bytes with its length byte: padded to 12, length 9.
    EXPECT_EQ(list.properties[1].data.size(), 9u);
    EXPECT_EQ(PropertyPascalString(list, Key("name")), "Edges...");
    EXPECT_EQ(PropertyPascalString(list, Key("catg")), "Mornebrook Dapple!");

    std::string entry;
    ASSERT_TRUE(FilterEntryName(list, Key("8664"), entry, problem)) << problem;
    EXPECT_EQ(entry, "EntryFor64");
    ASSERT_TRUE(FilterEntryName(list, Key("wx86"), entry, problem)) << problem;
    EXPECT_EQ(entry, "EntryFor32");
}

TEST(PluginPropertyList, TheLastPropertyMayLackItsPaddingAndAnEntryNameItsTerminator) {
    ListBuilder builder;
    builder.Add("kind", Long(Key("8BFM"))).Add("8664", Text("Entry", false), false);
    const std::vector<uint8_t> bytes = builder.Bytes();
    ASSERT_EQ(bytes.size(), 10u + 16 + 4 + 16 + 5);
    PluginPropertyList list;
    std::string problem;
    ASSERT_TRUE(Parse(bytes, list, problem)) << problem;
    std::string entry;
    ASSERT_TRUE(FilterEntryName(list, Key("8664"), entry, problem)) << problem;
    EXPECT_EQ(entry, "Entry");  // ends with the property, not beyond it
}

TEST(PluginPropertyList, HeadersThatAreNotAListAreRefused) {
    PluginPropertyList list;
    std::string problem;
    std::vector<uint8_t> bytes = FilterList().Bytes();
    EXPECT_FALSE(ParsePluginPropertyList(bytes.data(), 9, list, problem));
    EXPECT_FALSE(ParsePluginPropertyList(nullptr, 0, list, problem));

    std::vector<uint8_t> resourceVersion = bytes;
    resourceVersion[0] = 2;
    EXPECT_FALSE(Parse(resourceVersion, list, problem));

    std::vector<uint8_t> listVersion = bytes;
    listVersion[2] = 1;
    EXPECT_FALSE(Parse(listVersion, list, problem));
    EXPECT_NE(problem.find("version 1"), std::string::npos) << problem;
    EXPECT_TRUE(list.properties.empty());
}

TEST(PluginPropertyList, CountsAndLengthsBeyondTheBytesAreRefused) {
    PluginPropertyList list;
    std::string problem;
    // A count no list of this size can hold, up to the largest number.
    for (uint32_t count : {6u, 1000u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        EXPECT_FALSE(Parse(FilterList().Bytes(count), list, problem)) << count;
        EXPECT_TRUE(list.properties.empty());
    }
    // A property whose length points past the end; the largest lengths must
    // not wrap around when added to the offset.
    for (uint32_t length : {5u, 0x7FFFFFFFu, 0xFFFFFFFDu, 0xFFFFFFFFu}) {
        ListBuilder builder;
        builder.Add("kind", Long(Key("8BFM")));
        std::vector<uint8_t> bytes = builder.Bytes();
        bytes[10 + 12] = static_cast<uint8_t>(length);
        bytes[10 + 13] = static_cast<uint8_t>(length >> 8);
        bytes[10 + 14] = static_cast<uint8_t>(length >> 16);
        bytes[10 + 15] = static_cast<uint8_t>(length >> 24);
        EXPECT_FALSE(Parse(bytes, list, problem)) << length;
        EXPECT_NE(problem.find("kind"), std::string::npos) << problem;
    }
}

TEST(PluginPropertyList, EveryTruncationIsRefusedOrLosesOnlyTheLastPadding) {
    const std::vector<uint8_t> whole = FilterList().Bytes();
    // The last property's data ends 1 byte before the end ("EntryFor64" and
    // its terminator are 11 bytes, padded to 12).
    const size_t lastDataEnd = whole.size() - 1;
    for (size_t size = 0; size < whole.size(); ++size) {
        // A copy of exactly `size` bytes, so that a sanitizer sees any read
        // beyond them.
        const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
        PluginPropertyList list;
        std::string problem;
        const bool parsed = ParsePluginPropertyList(cut.data(), cut.size(), list, problem);
        EXPECT_EQ(parsed, size >= lastDataEnd) << size;
        if (!parsed) {
            EXPECT_FALSE(problem.empty()) << size;
        }
    }
}

TEST(PluginPropertyList, OnlyAFilterWithANonEmptyEntryForThisProcessorHasAnEntry) {
    PluginPropertyList list;
    std::string problem;
    std::string entry;

    ListBuilder noKind;
    noKind.Add("8664", Text("Entry"));
    ASSERT_TRUE(Parse(noKind.Bytes(), list, problem));
    EXPECT_FALSE(FilterEntryName(list, Key("8664"), entry, problem));

    ListBuilder exportModule;  // another kind of plug-in
    exportModule.Add("kind", Long(Key("8BEM"))).Add("8664", Text("Entry"));
    ASSERT_TRUE(Parse(exportModule.Bytes(), list, problem));
    EXPECT_FALSE(FilterEntryName(list, Key("8664"), entry, problem));
    EXPECT_NE(problem.find("8BEM"), std::string::npos) << problem;

    ListBuilder shortKind;
    shortKind.Add("kind", {'M', 'F'}).Add("8664", Text("Entry"));
    ASSERT_TRUE(Parse(shortKind.Bytes(), list, problem));
    EXPECT_FALSE(FilterEntryName(list, Key("8664"), entry, problem));

    ListBuilder only32;
    only32.Add("kind", Long(Key("8BFM"))).Add("wx86", Text("Entry"));
    ASSERT_TRUE(Parse(only32.Bytes(), list, problem));
    EXPECT_FALSE(FilterEntryName(list, Key("8664"), entry, problem));
    EXPECT_NE(problem.find("8664"), std::string::npos) << problem;

    ListBuilder emptyName;
    emptyName.Add("kind", Long(Key("8BFM"))).Add("8664", {0, 0, 0, 0});
    ASSERT_TRUE(Parse(emptyName.Bytes(), list, problem));
    EXPECT_FALSE(FilterEntryName(list, Key("8664"), entry, problem));
    EXPECT_TRUE(entry.empty());
}

TEST(PluginPropertyList, APascalStringLongerThanItsPropertyReadsAsEmpty) {
    ListBuilder builder;
    builder.Add("name", {20, 'E', 'd'});
    PluginPropertyList list;
    std::string problem;
    ASSERT_TRUE(Parse(builder.Bytes(), list, problem));
    EXPECT_EQ(PropertyPascalString(list, Key("name")), "");
    EXPECT_EQ(PropertyPascalString(list, Key("catg")), "");
}
