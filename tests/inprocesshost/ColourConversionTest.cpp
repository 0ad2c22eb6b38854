// Colour conversions against values worked out by hand from the textbook
// formulas, and the colour-services callback around them.
#include <gtest/gtest.h>

#include "inprocesshost/ColourConversion.h"
#include "inprocesshost/InProcessHost.h"

namespace {

void ExpectConverts(const HostColour& from, int16_t target, std::initializer_list<int16_t> expected) {
    HostColour converted;
    ASSERT_TRUE(ConvertHostColour(from, target, converted));
    EXPECT_EQ(converted.space, target);
    int i = 0;
    for (int16_t component : expected) {
        EXPECT_EQ(converted.components[i], component)
            << "component " << i << " of space " << from.space << " -> " << target;
        ++i;
    }
}

constexpr int16_t kRgb = ps::plugIncolorServicesRGBSpace;
constexpr int16_t kHsb = ps::plugIncolorServicesHSBSpace;
constexpr int16_t kCmyk = ps::plugIncolorServicesCMYKSpace;
constexpr int16_t kLab = ps::plugIncolorServicesLabSpace;
constexpr int16_t kGray = ps::plugIncolorServicesGraySpace;
constexpr int16_t kHsl = ps::plugIncolorServicesHSLSpace;
constexpr int16_t kXyz = ps::plugIncolorServicesXYZSpace;

TEST(ColourConversion, CylindricalSpaces) {
    // Blue is the largest channel: hue = 60 * ((R - G) / delta + 4) = 60 * (4 - 128/255) = 209.9.
    ExpectConverts(HostColour{kRgb, {0, 128, 255}}, kHsb, {210, 255, 255});
    ExpectConverts(HostColour{kHsb, {120, 255, 255}}, kRgb, {0, 255, 0});
    // Pure red: lightness (1 + 0) / 2, saturation delta / (1 - |2L - 1|) = 1.
    ExpectConverts(HostColour{kRgb, {255, 0, 0}}, kHsl, {0, 255, 128});
    // Hue 240 at a quarter lightness: chroma 0.5, no lift.
    ExpectConverts(HostColour{kHsl, {240, 255, 64}}, kRgb, {0, 0, 128});
    // A hue beyond a full turn wraps: 480 is 120.
    ExpectConverts(HostColour{kHsb, {480, 255, 255}}, kRgb, {0, 255, 0});
}

TEST(ColourConversion, InksAndGreyAreStoredTheWayImagesHoldThem) {
    // R .2, G .4, B .6: K = .4, C = .4/.6, M = .2/.6, Y = 0; stored as 255 * (1 - ink).
    ExpectConverts(HostColour{kRgb, {51, 102, 153}}, kCmyk, {85, 170, 255, 153});
    ExpectConverts(HostColour{kCmyk, {255, 255, 255, 0}}, kRgb, {0, 0, 0});
    ExpectConverts(HostColour{kCmyk, {255, 0, 0, 255}}, kRgb, {255, 0, 0});
    // 0.299 * 100 + 0.587 * 150 + 0.114 * 200 = 140.75.
    ExpectConverts(HostColour{kRgb, {100, 150, 200}}, kGray, {141});
    ExpectConverts(HostColour{kGray, {128}}, kRgb, {128, 128, 128});
    // Grey to inks: no colour ink, the level as the uncovered share of black.
    ExpectConverts(HostColour{kGray, {77}}, kCmyk, {255, 255, 255, 77});
}

TEST(ColourConversion, CieSpaces) {
    // sRGB white is the D65 white point: X .95047, Y 1, Z 1.08883, times 255.
    ExpectConverts(HostColour{kRgb, {255, 255, 255}}, kXyz, {242, 255, 278});
    ExpectConverts(HostColour{kRgb, {255, 255, 255}}, kLab, {255, 128, 128});
    // sRGB red is L* 53.24, a* 80.09, b* 67.20.
    ExpectConverts(HostColour{kRgb, {255, 0, 0}}, kLab, {136, 208, 195});
    // Lab and XYZ convert into each other without passing through RGB.
    ExpectConverts(HostColour{kLab, {255, 128, 128}}, kXyz, {242, 255, 278});
    ExpectConverts(HostColour{kRgb, {0, 0, 0}}, kLab, {0, 128, 128});
}

TEST(ColourConversion, RefusesUnknownSpaces) {
    HostColour converted = HostColour{kRgb, {1, 2, 3}};
    EXPECT_FALSE(ConvertHostColour(HostColour{7, {0}}, kRgb, converted));
    EXPECT_FALSE(ConvertHostColour(HostColour{kRgb, {0}}, -1, converted));
    EXPECT_EQ(converted.components[0], 1);
}

ps::ColorServicesInfo NewInfo(int16_t selector, int16_t source, int16_t result, const HostColour& colour) {
    ps::ColorServicesInfo info{};
    info.infoSize = sizeof info;
    info.selector = selector;
    info.sourceSpace = source;
    info.resultSpace = result;
    for (int i = 0; i < 4; ++i) info.colorComponents[i] = colour.components[i];
    return info;
}

TEST(HostColourServices, PickerAnswersTheUsersChoiceOrCancels) {
    InProcessHost host;
    ps::ColorServicesInfo info = NewInfo(ps::plugIncolorServicesChooseColor, kRgb, -1, HostColour{kRgb, {1, 2, 3}});
    EXPECT_EQ(host.Record().colorServices(&info), ps::userCanceledErr);
    EXPECT_EQ(info.colorComponents[0], 1) << "a cancelled picker leaves the colour";

    host.SetUserColourChoice(HostColour{kHsb, {0, 255, 255}});
    EXPECT_EQ(host.Record().colorServices(&info), ps::noErr);
    EXPECT_EQ(info.resultSpace, kHsb) << "left in the space the user chose";
    EXPECT_EQ(info.colorComponents[1], 255);

    info = NewInfo(ps::plugIncolorServicesChooseColor, kRgb, kRgb, HostColour{kRgb, {0}});
    EXPECT_EQ(host.Record().colorServices(&info), ps::noErr);
    EXPECT_EQ(info.colorComponents[0], 255);
    EXPECT_EQ(info.colorComponents[1], 0);
}

TEST(HostColourServices, ConvertSampleAndSpecialColours) {
    InProcessHost host;
    HostImage image(HostImageMode::Grey, 3, 2, false);
    image.At(2, 1, 0) = 200;
    host.SetImage(image).SetColours({10, 20, 30}, {255, 255, 255});

    ps::ColorServicesInfo info =
        NewInfo(ps::plugIncolorServicesConvertColor, kRgb, kGray, HostColour{kRgb, {100, 150, 200}});
    EXPECT_EQ(host.Record().colorServices(&info), ps::noErr);
    EXPECT_EQ(info.colorComponents[0], 141);

    ps::Point16 point{1, 2};  // v, h
    info = NewInfo(ps::plugIncolorServicesSamplePoint, kRgb, kRgb, HostColour{kRgb, {0}});
    info.selectorParameter.globalSamplePoint = &point;
    EXPECT_EQ(host.Record().colorServices(&info), ps::noErr);
    EXPECT_EQ(info.colorComponents[0], 200);
    EXPECT_EQ(info.colorComponents[2], 200);
    point = ps::Point16{2, 0};
    EXPECT_EQ(host.Record().colorServices(&info), ps::errInvalidSamplePoint);

    info = NewInfo(ps::plugIncolorServicesGetSpecialColor, kRgb, -1, HostColour{kRgb, {0}});
    info.selectorParameter.specialColorID = ps::plugIncolorServicesForegroundColor;
    EXPECT_EQ(host.Record().colorServices(&info), ps::noErr);
    EXPECT_EQ(info.resultSpace, kRgb);
    EXPECT_EQ(info.colorComponents[1], 20);

    info = NewInfo(ps::plugIncolorServicesConvertColor, kRgb, kGray, HostColour{kRgb, {0}});
    int16_t reserved = 0;
    info.reserved = &reserved;
    EXPECT_EQ(host.Record().colorServices(&info), ps::paramErr) << "reserved fields must be null";
}

}  // namespace
