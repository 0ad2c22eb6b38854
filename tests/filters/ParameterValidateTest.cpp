// Range and set rules of the parameter kinds, and their keys.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <typeinfo>
#include <vector>

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/DirectionParameter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/TypeOnlyParameters.h"

namespace {

using ps::FourCC;

double SliderValidated(double value, double minimum, double maximum) {
    SliderParameter slider(FourCC("Dnst"), &value, minimum, maximum);
    slider.Validate();
    return value;
}

TEST(ParameterValidate, SliderClampsToItsRangeAndKeepsValuesOnTheBounds) {
    EXPECT_EQ(SliderValidated(150.0, 0.0, 100.0), 100.0);
    EXPECT_EQ(SliderValidated(-0.5, 0.0, 100.0), 0.0);
    EXPECT_EQ(SliderValidated(0.0, 0.0, 100.0), 0.0);
    EXPECT_EQ(SliderValidated(100.0, 0.0, 100.0), 100.0);
    EXPECT_EQ(SliderValidated(37.25, 1.0, 100.0), 37.25);
    EXPECT_EQ(SliderValidated(std::nan(""), 5.0, 100.0), 5.0);
    EXPECT_EQ(SliderValidated(std::numeric_limits<double>::infinity(), 5.0, 100.0), 100.0);

    double unset = 42.0;
    SliderParameter defaults(FourCC("Dnst"), &unset);
    EXPECT_EQ(defaults.minimum, 0.0);
    EXPECT_EQ(defaults.maximum, 100.0);
    EXPECT_EQ(defaults.unit, FourCC("#Prd"));
}

TEST(ParameterValidate, LengthSliderClampsTheAmountInItsOwnUnit) {
    LengthValue length{150.0, kLengthMillimeters};
    LengthSliderParameter slider(FourCC("Wdth"), &length, 10.0, 100.0);
    slider.Validate();
    EXPECT_EQ(length.value, 100.0);
    EXPECT_EQ(length.unit, kLengthMillimeters);

    length = LengthValue{-100.0, kLengthPixels};
    LengthSliderParameter offset(FourCC("EdgT"), &length, -100.0, 100.0);
    offset.Validate();
    EXPECT_EQ(length.value, -100.0);
}

TEST(ParameterValidate, DirectionAndLightingFields) {
    double direction = -10.0;
    DirectionParameter dir(FourCC("Drct"), &direction);
    dir.Validate();
    EXPECT_EQ(direction, 0.0);
    direction = 360.0;
    dir.Validate();
    EXPECT_EQ(direction, 360.0);
    direction = 361.0;
    dir.Validate();
    EXPECT_EQ(direction, 360.0);

    LightingValue light{150.0, -3.0, 400.0, 95.0, ColorSpec{9, 10, 20, 30, 0}};
    LightingParameter lighting(1, 2, 3, 4, 5, &light);
    lighting.Validate();
    EXPECT_EQ(light.brightness, 100.0);
    EXPECT_EQ(light.sharpness, 0.0);
    EXPECT_EQ(light.direction, 360.0);
    EXPECT_EQ(light.elevation, 90.0);
    EXPECT_EQ(light.colour.space, ColorSpec::kRGB);  // the colour normalised itself
}

TEST(ParameterValidate, ListSelectionFallsBackToTheFirstItem) {
    int32_t chosen = 7;
    ListboxParameter list(FourCC("Edmo"), FourCC("Edg "), &chosen);
    list.Validate();
    EXPECT_EQ(chosen, 7);  // no items: nothing to fall back to

    list.AddItem(3, "Distress", FourCC("edM0"));
    list.AddItem(5, "Dots", FourCC("edM3"));
    list.Validate();
    EXPECT_EQ(chosen, 3);
    chosen = 5;
    list.Validate();
    EXPECT_EQ(chosen, 5);
}

TEST(ParameterValidate, FillBehaviourOutsideTheThreeBecomesFillWithColour) {
    LayerFillValue fill{FourCC("fiB3"), ColorSpec::RGB(1, 2, 3)};
    LayerFillParameter parameter(FourCC("FlCl"), FourCC("Fl  "), &fill);
    parameter.Validate();
    EXPECT_EQ(fill.behaviour, FourCC("fiB0"));
    for (uint32_t kept : {FourCC("fiB1"), FourCC("fiB2"), FourCC("fiB0")}) {
        fill.behaviour = kept;
        parameter.Validate();
        EXPECT_EQ(fill.behaviour, kept);
    }
    EXPECT_EQ(fill.colour, ColorSpec::RGB(1, 2, 3));
}

TEST(ParameterValidate, UnterminatedPathsGetATerminator) {
    unsigned char relative = 1;
    char path[8];
    std::memset(path, 'a', sizeof path);
    TubeButtonParameter tube(FourCC("Path"), FourCC("Rltv"), &relative, path, sizeof path);
    tube.Validate();
    EXPECT_STREQ(path, "aaaaaaa");

    char name[4] = {'m', 'a', 'p', 's'};
    ReflectionMapParameter map(FourCC("RMap"), name, sizeof name);
    map.Validate();
    EXPECT_STREQ(name, "map");
}

TEST(ParameterKeys, ZeroIsNeverAKeyAndKeysAreListedInOrder) {
    double number = 0.0;
    LengthValue length{0.0, 0};
    unsigned char flag = 0;
    uint16_t seed = 0;
    ColorSpec colour = ColorSpec::RGB(0, 0, 0);
    LightingValue light{};
    int32_t item = 0;
    char path[16] = {};
    LayerFillValue fill{};
    int32_t bevel = 0;
    unsigned char curve[ComplexCurveParameter::kRecordSize] = {};
    unsigned char gradient[ColorGradientParameter::kRecordSize] = {};
    const int bevelTexts[4] = {1, 2, 3, 4};

    // Every kind constructed with 0 as its (first) key.
    std::vector<std::unique_ptr<FilterParameter>> all;
    all.push_back(std::make_unique<SliderParameter>(0, &number));
    all.push_back(std::make_unique<LengthSliderParameter>(0, &length));
    all.push_back(std::make_unique<CheckboxParameter>(0, &flag));
    all.push_back(std::make_unique<RandomSeedParameter>(0, &seed));
    all.push_back(std::make_unique<ColorParameter>(0, &colour));
    all.push_back(std::make_unique<DirectionParameter>(0, &number));
    all.push_back(std::make_unique<LightingParameter>(0, 2, 3, 4, 5, &light));
    all.push_back(std::make_unique<ListboxParameter>(0, 1, &item));
    all.push_back(std::make_unique<TubeButtonParameter>(0, 2, &flag, path, sizeof path));
    all.push_back(std::make_unique<LayerFillParameter>(0, 2, &fill));
    all.push_back(std::make_unique<BevelTypeParameter>(0, &bevel, bevelTexts));
    all.push_back(std::make_unique<ComplexCurveParameter>(0, curve));
    all.push_back(std::make_unique<ColorGradientParameter>(0, gradient));
    all.push_back(std::make_unique<ReflectionMapParameter>(0, path, sizeof path));
    for (const auto& parameter : all) {
        EXPECT_FALSE(parameter->HasKey(0)) << typeid(*parameter).name();
        EXPECT_EQ(parameter->KeyAt(parameter->KeyCount()), 0u) << typeid(*parameter).name();
        EXPECT_EQ(parameter->KeyAt(-1), 0u) << typeid(*parameter).name();
    }

    LightingParameter lighting(FourCC("LDir"), FourCC("LElv"), FourCC("LBrt"), FourCC("LShp"), FourCC("LClr"), &light);
    ASSERT_EQ(lighting.KeyCount(), 5);
    EXPECT_EQ(lighting.KeyAt(0), FourCC("LDir"));
    EXPECT_EQ(lighting.KeyAt(4), FourCC("LClr"));
    EXPECT_TRUE(lighting.HasKey(FourCC("LShp")));
    EXPECT_FALSE(lighting.HasKey(FourCC("Drct")));

    LayerFillParameter layerFill(FourCC("FlCl"), FourCC("Fl  "), &fill);
    EXPECT_EQ(layerFill.KeyCount(), 2);
    EXPECT_EQ(layerFill.KeyAt(1), FourCC("Fl  "));
    EXPECT_EQ(SliderParameter(FourCC("Dnst"), &number).KeyCount(), 1);
}

}  // namespace
