// dapple params on the real effects: what a user needs to write --set.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/cli/CommandHarness.h"

namespace {

// The lines of `text` from the one starting with `start` up to the next line
// that does not begin with a tab (a parameter's own line and its codes).
std::vector<std::string> LinesFrom(const std::string& text, const std::string& start) {
    std::istringstream lines(text);
    std::vector<std::string> found;
    std::string line;
    while (std::getline(lines, line)) {
        if (found.empty()) {
            if (line.compare(0, start.size(), start) == 0) found.push_back(line);
        } else if (!line.empty() && line[0] == '\t') {
            found.push_back(line);
        } else {
            break;
        }
    }
    return found;
}

TEST(ParamsCommand, EdgesListsItsSixEdgeTypesByCodeAndName) {
    const CommandResult result = RunCommand({"params", "edge"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    const std::vector<std::string> expected = {
        "Edmo\tListboxParameter\tEdge type\tedM3\tone of the 6 codes below",
        "\tedM0\tDistress",
        "\tedM1\tRough distress",
        "\tedM3\tHalftone dots",
        "\tedM5\tHalftone lines",
        "\tedM4\tPixelizer",
        "\tedM6\tTorn paper",
    };
    EXPECT_EQ(LinesFrom(result.out, "Edmo\t"), expected) << result.out;
}

TEST(ParamsCommand, EdgesGivesEachRangeWithItsUnit) {
    const CommandResult result = RunCommand({"params", "Edge"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    const char* expected[] = {
        "Wdth\tLengthSliderParameter\tWidth\t40.00 pixels\t",
        "Scl \tSliderParameter\tScale\t40\t1 to 100\n",
        "Drct\tDirectionParameter\tDirection\t45\t0 to 360 degrees\n",
        "Fl  \tCheckboxParameter\tTransparent\t0\t0 or 1\n",
        "RndS\tRandomSeedParameter\tRandom seed\t1\t0 to 65535\n",
    };
    for (const char* line : expected) EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
}

TEST(ParamsCommand, VersionIsTheProductVersion) {
    const CommandResult result = RunCommand({"--version"});
    EXPECT_EQ(result.code, kExitSuccess);
    EXPECT_EQ(result.out, std::string("dapple (Mornebrook Dapple!) ") + DAPPLE_PRODUCT_VERSION + " Release\n");
}

}  // namespace
