// The colour source of a filter run: the host's colour chips and the
// colour format a colour taken from the screen is put into.
#include <gtest/gtest.h>

#include "dialog/HostColourSource_win32.h"
#include "host/HostContext.h"

TEST(HostColourSource, ChipsAreTheRecordsColoursHighBytes) {
    ps::FilterRecord record{};
    record.foreground = ps::RGBColor{0xFF10, 0x8020, 0x00FF};
    record.background = ps::RGBColor{0x0100, 0x7F7F, 0xFFFF};
    HostCallScope scope(&record);
    HostColourSource source;
    EXPECT_EQ(source.Foreground(), RgbSpec(255, 128, 0));
    EXPECT_EQ(source.Background(), RgbSpec(1, 127, 255));
}

TEST(HostColourSource, ScreenColoursTakeTheImagesColourFormat) {
    ps::FilterRecord record{};
    HostCallScope scope(&record);
    HostColourSource source;
    record.imageMode = ps::plugInModeRGBColor;
    EXPECT_EQ(source.FromScreen(RGB(200, 100, 50)), RgbSpec(200, 100, 50));
    // Grey: the weighted level 0.299 R + 0.587 G + 0.114 B, rounded.
    record.imageMode = ps::plugInModeGrayScale;
    EXPECT_EQ(source.FromScreen(RGB(200, 100, 50)), (ColorSpec{ColorSpec::kGray, 124, 0, 0, 0}));
    // CMYK (inverted inks): black takes what the brightest channel lacks.
    record.imageMode = ps::plugInModeCMYKColor;
    EXPECT_EQ(source.FromScreen(RGB(200, 100, 50)), (ColorSpec{ColorSpec::kCMYK, 255, 128, 64, 200}));
}
