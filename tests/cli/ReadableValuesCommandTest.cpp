// --set as people write it, on the Edges effect: names, labels and keys in
// any letter case, lengths with units or in per cent of the picture, colours
// by name, list items by name, code or position. Each readable form must give
// exactly the bytes of the scripting form it stands for; values out of range
// are brought in with one warning line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/cli/CommandHarness.h"

namespace {

namespace fs = std::filesystem;

class ReadableValues : public ScratchFolderTest {
protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        // 300 x 200: 5% of the shorter side is 10 pixels.
        RasterImage image(300, 200, 4);
        for (int32_t y = 0; y < 200; ++y) {
            for (int32_t x = 0; x < 300; ++x) {
                uint8_t* p = image.Row(y) + static_cast<std::size_t>(x) * 4;
                p[0] = static_cast<uint8_t>(x);
                p[1] = static_cast<uint8_t>(y);
                p[2] = static_cast<uint8_t>(x + y);
                p[3] = x > 20 && x < 280 && y > 20 && y < 180 ? 255 : 0;
            }
        }
        ASSERT_TRUE(WriteImageFile(PathOf("in.png"), image).Ok());
    }

    // The bytes `apply edge` writes with `sets` (NAME=VALUE each), and what it said.
    std::string Apply(const std::vector<std::string>& sets, std::string* err = nullptr) {
        std::vector<std::string> args = {"apply", "edge", PathOf("in.png"), PathOf("out.png"), "--quiet"};
        for (const std::string& set : sets) args.insert(args.end(), {"--set", set});
        const CommandResult result = RunCommand(args);
        EXPECT_EQ(result.code, kExitSuccess) << result.err;
        if (err != nullptr) *err = result.err;
        std::string bytes;
        {
            // Closed before the file goes: Windows removes no open file.
            std::ifstream file(PathOf("out.png"), std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        }
        fs::remove(PathOf("out.png"));
        return bytes;
    }
};

TEST_F(ReadableValues, EachReadableFormGivesTheBytesOfItsScriptingForm) {
    struct Same {
        std::vector<std::string> readable;
        std::vector<std::string> script;
    };
    const Same cases[] = {
        {{"edge-type=torn paper", "width=25px"}, {"Edmo=edM6", "Wdth=25 pixels"}},
        {{"Scl=50"}, {"Scl =50"}},
        {{"SCALE=50", "Edge Type=Torn-Paper"}, {"Scl =50", "Edmo=edM6"}},
        {{"edge_type=5"}, {"Edmo=edM6"}},
        {{"edmo=EDM5"}, {"Edmo=edM5"}},
        {{"width=5%"}, {"Wdth=10 pixels"}},
        {{"width=14"}, {"Wdth=14 pixels"}},
        {{"border=0.1 in", "width=1cm"}, {"BrdT=0.10 inches", "Wdth=1.00 centimeters"}},
        {{"colour=tomato"}, {"Clr =RGB: 100.0% 38.8% 27.8% (255 99 71)"}},
        {{"colour=#F80", "direction=-10"}, {"Clr =#ff8800", "Drct=350"}},
        {{"colour=rgb(255, 136, 0)", "direction=370deg"}, {"Clr =#ff8800", "Drct=10"}},
        {{"transparent=on", "random-seed=65536"}, {"Fl  =1", "RndS=65535"}},
    };
    for (const Same& same : cases) {
        const std::string readable = Apply(same.readable);
        ASSERT_FALSE(readable.empty());
        EXPECT_EQ(readable, Apply(same.script)) << same.readable[0];
    }
}

TEST_F(ReadableValues, AValueOutOfRangeIsBroughtInWithOneWarning) {
    std::string err;
    const std::string clamped = Apply({"scale=500"}, &err);
    EXPECT_EQ(err, "dapple: warning: scale 500 is outside its range 1 to 100; 100 is used\n");
    EXPECT_EQ(clamped, Apply({"scale=100"}));
    // A length in the unit given, as the effect keeps it.
    Apply({"width=0.05in"}, &err);
    EXPECT_EQ(err, "dapple: warning: width 0.05in is outside its range 10in to 1000in; 10in is used\n");
    // In per cent, the pixels it came to are named.
    Apply({"width=1%"}, &err);
    EXPECT_EQ(err, "dapple: warning: width 1% (2px) is outside its range 10px to 1000px; 10px is used\n");
    // An angle goes round without a word.
    Apply({"direction=725"}, &err);
    EXPECT_EQ(err, "");
}

TEST_F(ReadableValues, NamesThatMeanNothingOrTwoThingsAreRefused) {
    const std::pair<std::string, std::string> cases[] = {
        {"widht=3", "no parameter 'widht'; did you mean width?"},
        {"colur=red", "did you mean colour?"},
        {"frobnicate=1", "no parameter 'frobnicate' (see dapple params Edge)"},
    };
    for (const auto& [set, message] : cases) {
        const CommandResult result = RunCommand({"apply", "edge", PathOf("in.png"), PathOf("out.png"), "--set", set});
        EXPECT_EQ(result.code, kExitUsage) << set;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(PathOf("out.png")));
}

}  // namespace
