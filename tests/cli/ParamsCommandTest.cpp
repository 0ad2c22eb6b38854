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

TEST(ParamsCommand, EdgesListsItsSixEdgeTypesByPositionCodeAndName) {
    const CommandResult result = RunCommand({"params", "edge"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    const std::vector<std::string> expected = {
        "edge-type\tEdmo\tEdge type\tlist\tHalftone dots\tone of Distress, Rough distress, Halftone dots, "
        "Halftone lines, Pixelizer or Torn paper",
        "\t0\tedM0\tDistress",
        "\t1\tedM1\tRough distress",
        "\t2\tedM3\tHalftone dots",
        "\t3\tedM5\tHalftone lines",
        "\t4\tedM4\tPixelizer",
        "\t5\tedM6\tTorn paper",
    };
    EXPECT_EQ(LinesFrom(result.out, "edge-type\t"), expected) << result.out;
}

TEST(ParamsCommand, EveryEffectGivesNamesKindsDefaultsAndRanges) {
    const CommandResult result = RunCommand({"params"});
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    const char* expected[] = {
        "[Edge]\nwidth\tWdth\tWidth\tlength\t40px\t10 to 1000 (in the unit given)\n",
        "scale\tScl \tScale\tnumber\t40\t1 to 100\n",
        "direction\tDrct\tDirection\tangle\t45\t0 to 360 degrees, going round\n",
        "transparent\tFl  \tTransparent\ton or off\t0\t0 or 1\n",
        "random-seed\tRndS\tRandom seed\trandom seed\t1\t0 to 65535\n",
        "shadow-colour\tsdwC\tShadow colour\tcolour\t#000000\t",
        "shadow-opacity\tOpct\tShadow opacity\tnumber\t30\t0 to 100 percent\n",
        "tube\tPath\tTube\tcontent file\tTubes/Stars.tub\t",
        "frame\tPath\tFrame\tcontent file\tFrames/Wooden.rfr\t",
        "tile-library\tPath\tTile library\tcontent file\tTiles/Mosaic.ptl\t",
        "texture\tPath\tTexture\tcontent file\tTextures/Canvas.jpg\t",
        "light-elevation\tINcl\tLight elevation\tangle\t45\t0 to 90 degrees\n",
        "fill\tFl  \tFill\tlist\tMake transparent\t",
    };
    for (const char* line : expected) EXPECT_NE(result.out.find(line), std::string::npos) << line << "\n" << result.out;
}

TEST(ParamsCommand, VersionIsTheProductVersion) {
    const CommandResult result = RunCommand({"--version"});
    EXPECT_EQ(result.code, kExitSuccess);
    EXPECT_EQ(result.out, std::string("dapple (Mornebrook Dapple!) ") + DAPPLE_PRODUCT_VERSION + " Release\n");
}

}  // namespace
