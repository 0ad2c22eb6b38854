// Reading the lines of settings files: either line end, white space before
// a line, and lines too long to read whole.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/TextLines.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    LineReader reader(text);
    std::string_view line;
    while (reader.Next(line)) lines.emplace_back(line);
    return lines;
}

}  // namespace

TEST(TextLines, CrLfLfAndCrEndLinesAlike) {
    const std::vector<std::string> expected = {"Edge", "1 2.5", "2 x y "};
    EXPECT_EQ(Lines("Edge\r\n1 2.5\r\n2 x y \r\n"), expected);
    EXPECT_EQ(Lines("Edge\n1 2.5\n2 x y "), expected);
    EXPECT_EQ(Lines("Edge\r1 2.5\r2 x y \r"), expected);
}

TEST(TextLines, WhiteSpaceBeforeALineAndBlankLinesArePassedOver) {
    const std::vector<std::string> expected = {"Edge  ", "1 2"};
    EXPECT_EQ(Lines("\r\n\r\n \t Edge  \n\n\n   1 2\n\n"), expected);
    EXPECT_TRUE(Lines(" \r\n\t\n").empty());
    EXPECT_EQ(FirstLine("\n\n  Bevel: 0\nrest"), "Bevel: 0");
    EXPECT_EQ(FirstWord("Gradient: 2/..."), "Gradient:");
    EXPECT_EQ(FirstWord("Edge\tcomment"), "Edge");
}

TEST(TextLines, ALongLineIsCutAndItsRestNeverReadsAsALine) {
    const std::string longLine = "1 " + std::string(6000, '7') + " 5";
    const std::vector<std::string> lines = Lines("Edge\r\n" + longLine + "\r\n2 3\r\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], longLine.substr(0, kMaxLineLength));
    EXPECT_EQ(lines[2], "2 3");
}

TEST(TextLines, AppendedLinesEndWithCrLf) {
    std::string text;
    AppendLine(text, "Edge");
    AppendLine(text, "");
    EXPECT_EQ(text, "Edge\r\n\r\n");
}
