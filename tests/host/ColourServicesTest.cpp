// The colour picker through a host's colour services, and the grey-to-CMYK
// table made from the host's conversions.
#include <gtest/gtest.h>

#include <optional>

#include "host/ColourServices.h"
#include "host/HostContext.h"
#include "inprocesshost/InProcessHost.h"

namespace {

class PickColourTest : public ::testing::Test {
protected:
    // What PickColour makes of the user's choice, starting from dark red.
    ResultCode Pick(std::optional<HostColour> choice, ColorSpec& colour) {
        host.SetUserColourChoice(choice);
        HostCallScope scope(&host.Record());
        colour = ColorSpec::RGB(128, 0, 0);
        return PickColour(colour);
    }

    InProcessHost host;
};

TEST_F(PickColourTest, RgbCmykAndGreyChoicesStayInTheirSpace) {
    ColorSpec colour{};
    ASSERT_TRUE(Pick(HostColour{ps::plugIncolorServicesRGBSpace, {10, 20, 30}}, colour).IsSuccess());
    EXPECT_EQ(colour, ColorSpec::RGB(10, 20, 30));
    ASSERT_TRUE(Pick(HostColour{ps::plugIncolorServicesCMYKSpace, {1, 2, 3, 4}}, colour).IsSuccess());
    EXPECT_EQ(colour, (ColorSpec{ColorSpec::kCMYK, 1, 2, 3, 4}));
    ASSERT_TRUE(Pick(HostColour{ps::plugIncolorServicesGraySpace, {77, 0, 0}}, colour).IsSuccess());
    EXPECT_EQ(colour, (ColorSpec{ColorSpec::kGray, 77, 0, 0, 0}));
}

TEST_F(PickColourTest, OtherChoicesAreConvertedToRgb) {
    ColorSpec colour{};
    // Hue 120°, full saturation and brightness: pure green.
    ASSERT_TRUE(Pick(HostColour{ps::plugIncolorServicesHSBSpace, {120, 255, 255}}, colour).IsSuccess());
    EXPECT_EQ(colour, ColorSpec::RGB(0, 255, 0));
}

TEST_F(PickColourTest, ACancelledOrMissingPickerLeavesTheColour) {
    ColorSpec colour{};
    EXPECT_EQ(Pick(std::nullopt, colour).status, 1);
    EXPECT_EQ(colour, ColorSpec::RGB(128, 0, 0));

    host.Without(HostCallback::ColourServices);
    EXPECT_EQ(Pick(HostColour{ps::plugIncolorServicesRGBSpace, {10, 20, 30}}, colour).status, 1);
    EXPECT_EQ(colour, ColorSpec::RGB(128, 0, 0));
}

// Answers grey-to-CMYK conversions with values no formula would give, with
// a high byte that must be dropped.
int gConversions = 0;
ps::OSErr PS_CALLBACK MarkedConversion(ps::ColorServicesInfo* info) {
    ++gConversions;
    if (info->selector != ps::plugIncolorServicesConvertColor ||
        info->sourceSpace != ps::plugIncolorServicesGraySpace ||
        info->resultSpace != ps::plugIncolorServicesCMYKSpace) {
        return ps::paramErr;
    }
    const int16_t level = info->colorComponents[0];
    info->colorComponents[0] = static_cast<int16_t>(0x100 + level);
    info->colorComponents[1] = 7;
    info->colorComponents[2] = static_cast<int16_t>(level / 2);
    info->colorComponents[3] = static_cast<int16_t>(255 - level);
    return ps::noErr;
}

TEST(GreyToCmyk, TheTableIsMadeOnceFromTheHostsConversions) {
    // The only use of the table in this program, so that it is made here.
    ps::FilterRecord record{};
    record.colorServices = MarkedConversion;
    HostCallScope scope(&record);
    const GreyToCmykTable& table = GreyToCmyk();
    EXPECT_EQ(gConversions, 256);
    EXPECT_EQ(table[0], (CmykBytes{0, 7, 0, 255}));
    EXPECT_EQ(table[200], (CmykBytes{200, 7, 100, 55}));
    EXPECT_EQ(table[255], (CmykBytes{255, 7, 127, 0}));
    // Kept: no more host calls, the same table.
    EXPECT_EQ(&GreyToCmyk(), &table);
    EXPECT_EQ(gConversions, 256);
}

TEST(GreyToCmyk, WithoutTheHostGreyIsPaintedWithBlackInkOnly) {
    // Host form: 255 is no ink, so K holds the grey level itself.
    EXPECT_EQ(FixedGreyToCmyk(0), (CmykBytes{255, 255, 255, 0}));
    EXPECT_EQ(FixedGreyToCmyk(90), (CmykBytes{255, 255, 255, 90}));
    EXPECT_EQ(FixedGreyToCmyk(255), (CmykBytes{255, 255, 255, 255}));
}

}  // namespace
