// The Resurface effect's record, defaults, capability answers, input area
// and dialog parameters.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "filters/ColorParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/resurface/Resurface.h"
#include "platform/ResourceStrings.h"

namespace {

TEST(ResurfaceRecord, LayoutIsTheStoredRecord) {
    EXPECT_EQ(offsetof(ResurfaceParameters, kind), 0u);
    EXPECT_EQ(offsetof(ResurfaceParameters, width), 8u);
    EXPECT_EQ(offsetof(ResurfaceParameters, height), 24u);
    EXPECT_EQ(offsetof(ResurfaceParameters, boost), 32u);
    EXPECT_EQ(offsetof(ResurfaceParameters, distortion), 40u);
    EXPECT_EQ(offsetof(ResurfaceParameters, shadowColour), 48u);
    EXPECT_EQ(offsetof(ResurfaceParameters, light), 64u);
    EXPECT_EQ(offsetof(ResurfaceParameters, texture), 112u);
    EXPECT_EQ(Resurface().ParameterSize(), 1144);
}

TEST(ResurfaceRecord, DefaultsFillTheRecordAndNothingBeyondIt) {
    ParameterBlock block;
    std::memset(&block, 0xAB, sizeof block);
    Resurface().WriteDefaults(block);
    const ResurfaceParameters& p = block.As<ResurfaceParameters>();
    EXPECT_EQ(p.kind, 5);
    EXPECT_EQ(p.width.value, 350.0);
    EXPECT_EQ(p.width.unit, kLengthPixels);
    EXPECT_EQ(p.height, 33.0);
    EXPECT_EQ(p.boost, 60.0);
    EXPECT_EQ(p.distortion, 20.0);
    EXPECT_EQ(p.shadowColour, ColorSpec::RGB(0, 0, 0));
    EXPECT_EQ(p.light.brightness, 50.0);
    EXPECT_EQ(p.light.sharpness, 25.0);
    EXPECT_EQ(p.light.direction, 135.0);
    EXPECT_EQ(p.light.elevation, 45.0);
    EXPECT_EQ(p.light.colour, ColorSpec::RGB(255, 255, 255));
    EXPECT_EQ(p.texture.relative, 1);
    EXPECT_EQ(std::string(p.texture.path), "\\Content\\Textures\\Canvas.jpg");
    EXPECT_EQ(std::string(p.texture.path), LoadResourceString(4910));
    const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
    for (std::size_t i = 1144; i < sizeof block; ++i) ASSERT_EQ(bytes[i], 0xAB) << "byte " << i;
}

TEST(ResurfaceRecord, CapabilitiesAndTheInputItReads) {
    Resurface resurface;
    EXPECT_TRUE(resurface.WantsDialog());
    EXPECT_FALSE(resurface.UsesWholeCanvas());
    EXPECT_FALSE(resurface.AllowsFlatImage());
    EXPECT_TRUE(resurface.CoreAppliesMask());
    EXPECT_TRUE(resurface.UsesTransparencyAsShape());
    EXPECT_FALSE(resurface.RequiresLayer());
    EXPECT_TRUE(resurface.SupportsCMYK());
    EXPECT_TRUE(resurface.RendersInOnePiece());
    EXPECT_EQ(resurface.MinimumSize().width, 0);
    EXPECT_EQ(resurface.InternalName(), "Resurface");

    ParameterBlock block{};
    resurface.WriteDefaults(block);
    // Slopes reach 1/2, so the displacement reaches distortion / 4; one more
    // pixel for the interpolation.
    const struct {
        double distortion;
        int grow;
    } cases[] = {{20, 6}, {0, 1}, {1, 2}, {100, 26}, {37, 11}};
    for (const auto& c : cases) {
        block.As<ResurfaceParameters>().distortion = c.distortion;
        Rect expected(10 - c.grow, 20 - c.grow, 30 + c.grow, 40 + c.grow);
        EXPECT_EQ(resurface.NeededInputRect(Rect(10, 20, 30, 40), block, 1.0), expected) << c.distortion;
    }
}

TEST(ResurfaceParameterList, PageTitleThenTheParametersInDialogOrder) {
    Resurface resurface;
    ParameterBlock block{};
    resurface.WriteDefaults(block);
    ParameterSet set;
    ASSERT_TRUE(resurface.BuildParameters(set, block).IsSuccess());
    ASSERT_EQ(set.Groups().size(), 1u);
    EXPECT_EQ(set.Groups()[0], LoadResourceString(7902));
    ASSERT_EQ(set.Count(), 7u);
    ResurfaceParameters& p = block.As<ResurfaceParameters>();

    auto* texture = dynamic_cast<TubeButtonParameter*>(set.At(0));
    auto* width = dynamic_cast<LengthSliderParameter*>(set.At(1));
    auto* height = dynamic_cast<SliderParameter*>(set.At(2));
    auto* boost = dynamic_cast<SliderParameter*>(set.At(3));
    auto* distortion = dynamic_cast<SliderParameter*>(set.At(4));
    auto* light = dynamic_cast<LightingParameter*>(set.At(5));
    auto* shadow = dynamic_cast<ColorParameter*>(set.At(6));
    ASSERT_TRUE(texture && width && height && boost && distortion && light && shadow);

    EXPECT_EQ(texture->KeyAt(0), ps::FourCC("Path"));
    EXPECT_EQ(texture->KeyAt(1), ps::FourCC("Rltv"));
    EXPECT_EQ(texture->path, p.texture.path);
    EXPECT_EQ(texture->relative, &p.texture.relative);
    EXPECT_EQ(texture->label, LoadResourceString(7348));

    EXPECT_EQ(width->KeyAt(0), 0x57647468u);
    EXPECT_EQ(width->value, &p.width);
    EXPECT_EQ(width->minimum, 20.0);
    EXPECT_EQ(width->maximum, 2000.0);
    EXPECT_EQ(width->trackLow, 0.8);
    EXPECT_EQ(width->trackHigh, 800.0);

    const struct {
        SliderParameter* slider;
        uint32_t key;
        double* value;
        double minimum;
        int label, hint;
    } sliders[] = {{height, 0x48676874u, &p.height, 5.0, 4903, 4922},
                   {boost, 0x4C49626Fu, &p.boost, 0.0, 4904, 4923},
                   {distortion, 0x44737472u, &p.distortion, 0.0, 4905, 4924}};
    for (const auto& s : sliders) {
        EXPECT_EQ(s.slider->KeyAt(0), s.key);
        EXPECT_EQ(s.slider->value, s.value);
        EXPECT_EQ(s.slider->minimum, s.minimum);
        EXPECT_EQ(s.slider->maximum, 100.0);
        EXPECT_EQ(s.slider->label, LoadResourceString(s.label));
        EXPECT_EQ(s.slider->hint, LoadResourceString(s.hint));
    }
    EXPECT_EQ(width->label, LoadResourceString(4902));
    EXPECT_EQ(width->hint, LoadResourceString(4921));

    const uint32_t lightKeys[5] = {0x44726374u, 0x494E636Cu, 0x42726768u, 0x53687270u, 0x436C7220u};
    ASSERT_EQ(light->KeyCount(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(light->KeyAt(i), lightKeys[i]) << i;
    EXPECT_EQ(light->value, &p.light);
    EXPECT_EQ(light->label, "*");

    EXPECT_EQ(shadow->KeyAt(0), 0x73647743u);
    EXPECT_EQ(shadow->value, &p.shadowColour);
    EXPECT_EQ(shadow->label, LoadResourceString(4906));
    EXPECT_EQ(shadow->hint, LoadResourceString(4925));
    for (int id : {4902, 4903, 4904, 4905, 4906, 4921, 4922, 4923, 4924, 4925, 4910, 7902})
        EXPECT_NE(LoadResourceString(id), kLostString) << id;
}

}  // namespace
