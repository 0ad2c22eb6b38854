// Expected texts and components below are worked out by hand from the
// percentage rules: pct(v) = v / 2.55, ink(v) = 100 - v / 2.55, and back
// by x * 2.55 rounded half up.
#include "filters/ColorSpec.h"

#include <gtest/gtest.h>

namespace {

ColorSpec Make(int16_t space, int16_t c0, int16_t c1, int16_t c2, int16_t c3 = 0) {
    return ColorSpec{space, c0, c1, c2, c3};
}

ColorSpec Read(const std::string& text, ColorSpec start = Make(ColorSpec::kRGB, 1, 2, 3)) {
    start.FromText(text);
    return start;
}

const ColorSpec kMagenta = Make(ColorSpec::kRGB, 255, 0, 255);

}  // namespace

TEST(ColorSpecText, EverySpaceWritesItsFormAndReadsBack) {
    struct Case {
        ColorSpec colour;
        const char* text;
    };
    const Case cases[] = {
        {Make(ColorSpec::kRGB, 255, 128, 0), "RGB: 100.0% 50.2% 0.0% (255 128 0)"},
        {Make(ColorSpec::kHSB, 120, 128, 255), "HSB: 120\xC2\xB0 50.2% 100.0%"},
        {Make(ColorSpec::kCMYK, 0, 64, 191, 128), "CMYK: 100.0% 74.9% 25.1% 49.8%"},
        {Make(ColorSpec::kLab, 128, 108, 200), "Lab: 50.2% -20 72"},
        {Make(ColorSpec::kGray, 64, 0, 0), "Gray: 25.1% (64)"},
        {Make(ColorSpec::kHSL, 300, 0, 51), "HSL: 300\xC2\xB0 0.0% 20.0%"},
        {Make(ColorSpec::kXYZ, 95, 100, 108), "XYZ: 95 100 108"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.colour.ToText(), c.text);
        EXPECT_EQ(Read(c.text, ColorSpec{}), c.colour) << c.text;
    }
}

TEST(ColorSpecText, InvertedCmykWhiteWritesNoInkButFullBlack) {
    EXPECT_EQ(Make(ColorSpec::kCMYK, 255, 255, 255, 0).ToText(), "CMYK: 0.0% 0.0% 0.0% 100.0%");
    EXPECT_EQ(Read("CMYK: 0.0% 0.0% 0.0% 100.0%"), Make(ColorSpec::kCMYK, 255, 255, 255, 0));
}

TEST(ColorSpecText, WritingClampsComponentsButShowsRawValues) {
    // Percentages come from the clamped value; the raw numbers are shown as stored.
    EXPECT_EQ(Make(ColorSpec::kRGB, 300, -5, 255).ToText(), "RGB: 100.0% 0.0% 100.0% (300 -5 255)");
    EXPECT_EQ(Make(7, 1, 2, 3).ToText(), "");
    EXPECT_EQ(Make(-1, 1, 2, 3).ToText(), "");
}

TEST(ColorSpecText, PercentagesOutsideTheRangeAreClamped) {
    EXPECT_EQ(Read("RGB: 150% -20% 100.4%"), Make(ColorSpec::kRGB, 255, 0, 255));
    // fromInk: 120 -> no ink left (0), -5 -> full (255), 50 -> 127.5 rounds to 128.
    EXPECT_EQ(Read("CMYK: 120% -5% 50% 0%"), Make(ColorSpec::kCMYK, 0, 255, 128, 255));
    EXPECT_EQ(Read("Gray: 1e999%"), Make(ColorSpec::kGray, 255, 2, 3));
    EXPECT_EQ(Read("Gray: -1e999%"), Make(ColorSpec::kGray, 0, 2, 3));
}

TEST(ColorSpecText, LabStoresAxesOffsetBy128) {
    const ColorSpec lab = Make(ColorSpec::kLab, 255, 108, 128);
    EXPECT_EQ(lab.ToText(), "Lab: 100.0% -20 0");
    EXPECT_EQ(Read("Lab: 100.0% -20 0").c1, 108);
}

TEST(ColorSpecText, FewWordsOrUnknownWords) {
    EXPECT_EQ(Read("Purple"), kMagenta);
    EXPECT_EQ(Read("   "), kMagenta);
    // With two words and no space name, nothing changes.
    EXPECT_EQ(Read("Purple haze"), Make(ColorSpec::kRGB, 1, 2, 3));
    // Names are case-sensitive.
    EXPECT_EQ(Read("rgb: 0% 0% 0%"), Make(ColorSpec::kRGB, 1, 2, 3));
    // A space word alone: magenta first, then no numbers to change it.
    EXPECT_EQ(Read("RGB:"), kMagenta);
}

TEST(ColorSpecText, EmptyTextLeavesTheColourUnchanged) {
    const ColorSpec hsl = Make(ColorSpec::kHSL, 10, 20, 30, 40);
    EXPECT_EQ(Read("", hsl), hsl);
}

TEST(ColorSpecText, MissingNumbersKeepTheirComponents) {
    EXPECT_EQ(Read("RGB: 50%"), Make(ColorSpec::kRGB, 128, 2, 3));
    EXPECT_EQ(Read("XYZ: 7 x 9"), Make(ColorSpec::kXYZ, 7, 2, 9));
    EXPECT_EQ(Read("Lab: 0% 5", Make(ColorSpec::kLab, 9, 9, 9)), Make(ColorSpec::kLab, 0, 133, 9));
}

TEST(ColorSpecText, HueUnitMayBeAnySingleCharacterOrTheWholeUnitText) {
    const ColorSpec expected = Make(ColorSpec::kHSB, 120, 128, 255);
    EXPECT_EQ(Read("HSB: 120d 50.2% 100.0%"), expected);
    EXPECT_EQ(Read("HSB: 120\xB0 50.2% 100.0%"), expected);  // one-byte degree sign of older texts
    EXPECT_EQ(Read("HSB: 120 50.2% 100.0%"), expected);      // the space itself is the skipped character
}

TEST(ColorSpecText, ReaderAcceptsBlanksAndSignsAsScanfDoes) {
    EXPECT_EQ(Read("RGB:\t100%  +0%\n50.2%"), Make(ColorSpec::kRGB, 255, 0, 128));
    EXPECT_EQ(Read("XYZ: -4 +5 99999"), Make(ColorSpec::kXYZ, -4, 5, 32767));
    EXPECT_EQ(Read("Gray: nan%"), Make(ColorSpec::kGray, 1, 2, 3));
}

TEST(ColorSpecNormalise, BringsEachSpaceIntoItsRanges) {
    struct Case {
        ColorSpec before;
        ColorSpec after;
    };
    const Case cases[] = {
        {Make(ColorSpec::kRGB, 300, -1, 128, 77), Make(ColorSpec::kRGB, 255, 0, 128, 0)},
        {Make(ColorSpec::kHSB, -10, 256, 0, 5), Make(ColorSpec::kHSB, 350, 255, 0, 0)},
        {Make(ColorSpec::kHSL, 725, 10, 20), Make(ColorSpec::kHSL, 5, 10, 20)},
        {Make(ColorSpec::kHSL, 360, 10, 20), Make(ColorSpec::kHSL, 0, 10, 20)},
        {Make(ColorSpec::kCMYK, -3, 400, 12, 300), Make(ColorSpec::kCMYK, 0, 255, 12, 255)},
        {Make(ColorSpec::kLab, 128, 628, -172), Make(ColorSpec::kLab, 128, 255, 0)},
        {Make(ColorSpec::kGray, 900, 1, 2, 3), Make(ColorSpec::kGray, 255, 0, 0, 0)},
        {Make(ColorSpec::kXYZ, -5, 500, 1000, 4), Make(ColorSpec::kXYZ, 0, 500, 1000, 0)},
        {Make(42, 300, 10, 20, 30), Make(ColorSpec::kRGB, 255, 10, 20, 0)},
        {Make(-1, 1, 2, 3), Make(ColorSpec::kRGB, 1, 2, 3)},
    };
    for (const Case& c : cases) {
        ColorSpec colour = c.before;
        colour.Normalise();
        EXPECT_EQ(colour, c.after) << c.before.space << " " << c.before.c0;
    }
}
