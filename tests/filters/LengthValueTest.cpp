// Length conversions through the document resolution and the length's text form.
#include <gtest/gtest.h>

#include "filters/LengthValue.h"

namespace {

LengthValue FromText(const std::string& text) {
    LengthValue length{99.0, kLengthPicas};  // FromText must not keep any of this
    length.FromText(text);
    return length;
}

TEST(LengthValue, ConvertsThroughPixelsAtTheResolution) {
    EXPECT_EQ((LengthValue{1.0, kLengthInches}).In(kLengthPixels, 0.0), 72.0);
    EXPECT_EQ((LengthValue{1.0, kLengthInches}).In(kLengthPixels, 300.0), 300.0);
    EXPECT_EQ((LengthValue{150.0, kLengthPixels}).In(kLengthInches, 300.0), 0.5);
    EXPECT_EQ((LengthValue{1.0, kLengthPicas}).In(kLengthPoints, 72.0), 12.0);
    EXPECT_NEAR((LengthValue{2.54, kLengthCentimeters}).In(kLengthPixels, 100.0), 100.0, 1e-9);
    EXPECT_NEAR((LengthValue{10.0, kLengthMillimeters}).In(kLengthCentimeters, 300.0), 1.0, 1e-12);
    EXPECT_NEAR((LengthValue{36.0, kLengthPoints}).In(kLengthMillimeters, 96.0), 12.7, 1e-12);
    EXPECT_NEAR((LengthValue{118.0, kLengthPixels}).In(kLengthCentimeters, 300.0), 0.99906666666666666, 1e-12);
    // A resolution that is not a positive number counts as 72.
    EXPECT_EQ((LengthValue{2.0, kLengthInches}).In(kLengthPixels, -5.0), 144.0);
}

TEST(LengthValue, SameOrUnknownUnits) {
    EXPECT_EQ((LengthValue{3.25, kLengthPoints}).In(kLengthPoints, 300.0), 3.25);
    EXPECT_EQ((LengthValue{3.25, 17}).In(17, 300.0), 3.25);
    EXPECT_EQ((LengthValue{3.25, 17}).In(kLengthPixels, 300.0), 0.0);
    EXPECT_EQ((LengthValue{3.25, kLengthInches}).In(6, 300.0), 0.0);

    const LengthValue converted = LengthValue{0.5, kLengthInches}.Converted(kLengthPixels, 0.0);
    EXPECT_EQ(converted.value, 36.0);
    EXPECT_EQ(converted.unit, kLengthPixels);
}

TEST(LengthValue, TextFormPerUnit) {
    EXPECT_EQ((LengthValue{40.0, kLengthPixels}).ToText(), "40.00 pixels");
    EXPECT_EQ((LengthValue{2.5, kLengthInches}).ToText(), "2.50 inches");
    EXPECT_EQ((LengthValue{1.005, kLengthCentimeters}).ToText(), "1.00 centimeters");  // 1.005 is just below
    EXPECT_EQ((LengthValue{12.345, kLengthMillimeters}).ToText(), "12.35 millimeters");
    EXPECT_EQ((LengthValue{-5.0, kLengthPoints}).ToText(), "-5.00 points");
    EXPECT_EQ((LengthValue{0.0, kLengthPicas}).ToText(), "0.00 picas");
    EXPECT_EQ((LengthValue{1.0, 6}).ToText(), "");
}

TEST(LengthValue, FromTextAcceptsOnlyANumberAndAnExactUnitWord) {
    const LengthValue inches = FromText("2.5 inches");
    EXPECT_EQ(inches.value, 2.5);
    EXPECT_EQ(inches.unit, kLengthInches);

    const LengthValue negative = FromText("  -12.75\tmillimeters trailing words");
    EXPECT_EQ(negative.value, -12.75);
    EXPECT_EQ(negative.unit, kLengthMillimeters);

    const LengthValue leadingNumber = FromText("7px picas");  // the number is what strtod takes of the word
    EXPECT_EQ(leadingNumber.value, 7.0);
    EXPECT_EQ(leadingNumber.unit, kLengthPicas);

    for (const char* refused : {"2.5 furlongs", "2.5 Inches", "2.5", "", "   ", "inches", "nan points", "inf pixels"}) {
        const LengthValue length = FromText(refused);
        EXPECT_EQ(length.value, 0.0) << '"' << refused << '"';
        EXPECT_EQ(length.unit, kLengthPixels) << '"' << refused << '"';
    }

    const LengthValue notANumber = FromText("abc points");  // strtod reads nothing: 0 of the unit
    EXPECT_EQ(notANumber.value, 0.0);
    EXPECT_EQ(notANumber.unit, kLengthPoints);
}

TEST(LengthValue, TextRoundTripKeepsTwoDecimals) {
    for (int unit = kLengthPixels; unit <= kLengthPicas; ++unit) {
        const LengthValue written{-3.14159, unit};
        const LengthValue read = FromText(written.ToText());
        EXPECT_EQ(read.unit, unit);
        EXPECT_EQ(read.value, -3.14);
    }
}

}  // namespace
