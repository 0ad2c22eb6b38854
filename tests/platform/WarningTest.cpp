#include "platform/Warning.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Collects warnings for the duration of a test, then puts the old sink back.
class CollectedWarnings {
public:
    CollectedWarnings() : previous_(SetWarningSink([this](const std::string& line) { lines.push_back(line); })) {}
    ~CollectedWarnings() { SetWarningSink(previous_); }

    std::vector<std::string> lines;

private:
    WarningSink previous_;
};

}  // namespace

TEST(Warning, SinkReceivesOnePrefixedLinePerWarning) {
    CollectedWarnings warnings;
    ShowWarning("The selection is too small.", nullptr);
    ShowWarning("Second\nline\r\nhere", nullptr);
    ASSERT_EQ(warnings.lines.size(), 2u);
    EXPECT_EQ(warnings.lines[0], "Mornebrook Dapple!: The selection is too small.");
    EXPECT_EQ(warnings.lines[1], "Mornebrook Dapple!: Second line  here");
}

TEST(Warning, NotesReachOnlyASink) {
    {
        CollectedWarnings warnings;
        ShowNote("Nothing\nto do.");
        ASSERT_EQ(warnings.lines, std::vector<std::string>{"Mornebrook Dapple!: Nothing to do."});
    }
    // Without a sink nothing is shown: on Windows a box would wait here for
    // someone to close it.
    const WarningSink previous = SetWarningSink(nullptr);
    ShowNote("Nobody sees this.");
    SetWarningSink(previous);
}

TEST(Warning, SettingASinkReturnsTheOneItReplaces) {
    int firstCalls = 0;
    const WarningSink original = SetWarningSink([&](const std::string&) { ++firstCalls; });
    const WarningSink first = SetWarningSink(nullptr);
    ASSERT_TRUE(first);
    first("x");
    EXPECT_EQ(firstCalls, 1);
    SetWarningSink(original);
}
