// The Fill Stamp record, defaults, capabilities, dialog parameters and its
// rectangles.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "filters/CheckboxParameter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/fillstamp/FillStamp.h"
#include "platform/ResourceStrings.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

using namespace stamp_test;

TEST(FillStampRecord, LayoutIsTheStoredRecord) {
    EXPECT_EQ(sizeof(FillStampParameters), 1168u);
    EXPECT_EQ(offsetof(FillStampParameters, stampSize), 8u);
    EXPECT_EQ(offsetof(FillStampParameters, density), 24u);
    EXPECT_EQ(offsetof(FillStampParameters, tileMode), 32u);
    EXPECT_EQ(offsetof(FillStampParameters, edgeOffset), 40u);
    EXPECT_EQ(offsetof(FillStampParameters, layerFill), 56u);
    EXPECT_EQ(offsetof(FillStampParameters, randomSeed), 72u);
    EXPECT_EQ(offsetof(FillStampParameters, tubeFile), 74u);
    EXPECT_EQ(offsetof(FillStampParameters, colorize), 1099u);
    EXPECT_EQ(offsetof(FillStampParameters, shadowOn), 1100u);
    EXPECT_EQ(offsetof(FillStampParameters, shadow), 1104u);
}

TEST(FillStampRecord, DefaultsAndCapabilities) {
    ParameterBlock block;
    std::memset(&block, 0xAB, sizeof block);
    FillStamp effect;
    effect.WriteDefaults(block);
    const FillStampParameters& p = block.As<FillStampParameters>();
    EXPECT_EQ(p.kind, 2);
    EXPECT_EQ(p.stampSize.value, 50.0);
    EXPECT_EQ(p.density, 40.0);
    EXPECT_EQ(p.tileMode, 0);
    EXPECT_EQ(p.edgeOffset.value, 0.0);
    EXPECT_EQ(p.layerFill.behaviour, ps::FourCC("fiB1"));
    EXPECT_EQ(p.layerFill.colour, ColorSpec::RGB(255, 255, 255));
    EXPECT_EQ(p.randomSeed, 837);
    EXPECT_EQ(p.tubeFile.relative, 1);
    EXPECT_EQ(ReferencePath(p.tubeFile), LoadResourceString(4517));
    EXPECT_EQ(p.colorize, 0);
    EXPECT_EQ(p.shadowOn, 1);
    EXPECT_EQ(p.shadow.distance.value, 3.0);
    EXPECT_EQ(p.shadow.direction, 315.0);
    EXPECT_EQ(p.shadow.opacity, 50.0);
    EXPECT_EQ(p.shadow.blur.value, 2.0);
    ExpectUntouchedFrom(block, 1168, 0xAB);

    EXPECT_EQ(effect.ParameterSize(), 1168);
    EXPECT_TRUE(effect.WantsDialog() && effect.UsesWholeCanvas() && effect.AllowsFlatImage());
    EXPECT_FALSE(effect.CoreAppliesMask());
    EXPECT_TRUE(effect.UsesTransparencyAsShape());
    EXPECT_FALSE(effect.RequiresLayer() || effect.SupportsCMYK());
    EXPECT_TRUE(effect.RendersInOnePiece());
    EXPECT_EQ(effect.MinimumSize().width, 0);
    EXPECT_EQ(effect.InternalName(), "FillStamp");
}

TEST(FillStampParameterList, ParametersComeInDialogOrderWithTheirBindingsAndRanges) {
    FillStamp effect;
    ParameterBlock block{};
    effect.WriteDefaults(block);
    ParameterSet set;
    ASSERT_TRUE(effect.BuildParameters(set, block).IsSuccess());
    ASSERT_EQ(set.Count(), 14u);
    const std::vector<uint32_t> keys = {ps::FourCC("Path"), ps::FourCC("Rltv"), ps::FourCC("Wdth"), ps::FourCC("EdgT"),
                                        ps::FourCC("Dnst"), ps::FourCC("FlCl"), ps::FourCC("Fl  "), ps::FourCC("TIle"),
                                        ps::FourCC("Clrz"), ps::FourCC("RndS"), ps::FourCC("sdwM"), ps::FourCC("Drct"),
                                        ps::FourCC("Dstn"), ps::FourCC("Opct"), ps::FourCC("blur"), ps::FourCC("sdwC")};
    EXPECT_EQ(KeysOf(set), keys);
    ASSERT_EQ(set.Groups().size(), 1u);
    EXPECT_EQ(set.Groups()[0], LoadResourceString(4513));

    FillStampParameters& p = block.As<FillStampParameters>();
    auto* tube = dynamic_cast<TubeButtonParameter*>(set.At(0));
    auto* size = dynamic_cast<LengthSliderParameter*>(set.At(1));
    auto* offset = dynamic_cast<LengthSliderParameter*>(set.At(2));
    auto* density = dynamic_cast<SliderParameter*>(set.At(3));
    auto* fill = dynamic_cast<LayerFillParameter*>(set.At(4));
    auto* tile = dynamic_cast<CheckboxParameter*>(set.At(5));
    auto* colorize = dynamic_cast<CheckboxParameter*>(set.At(6));
    auto* seed = dynamic_cast<RandomSeedParameter*>(set.At(7));
    ASSERT_TRUE(tube && size && offset && density && fill && tile && colorize && seed);
    EXPECT_EQ(tube->path, p.tubeFile.path);
    EXPECT_EQ(size->value, &p.stampSize);
    EXPECT_EQ(size->minimum, 5.0);
    EXPECT_EQ(size->maximum, 1000.0);
    EXPECT_EQ(size->trackLow, 0.8);
    EXPECT_EQ(size->trackHigh, 80.0);
    EXPECT_EQ(offset->value, &p.edgeOffset);
    EXPECT_EQ(offset->minimum, -100.0);
    EXPECT_EQ(offset->maximum, 100.0);
    EXPECT_EQ(density->value, &p.density);
    EXPECT_EQ(density->minimum, 1.0);
    EXPECT_EQ(density->maximum, 100.0);
    EXPECT_EQ(fill->value, &p.layerFill);
    EXPECT_EQ(tile->value, &p.tileMode);
    EXPECT_EQ(colorize->value, &p.colorize);
    EXPECT_EQ(seed->value, &p.randomSeed);
    const std::pair<size_t, std::pair<int, int>> strings[] = {{1, {4502, 4530}}, {2, {4503, 4531}},
                                                              {3, {4504, 4532}}, {5, {4505, 4533}},
                                                              {6, {4506, 4534}}, {7, {11150, 11151}}};
    for (const auto& s : strings) {
        EXPECT_EQ(set.At(s.first)->label, LoadResourceString(s.second.first));
        EXPECT_EQ(set.At(s.first)->hint, LoadResourceString(s.second.second));
        EXPECT_NE(set.At(s.first)->hint, kLostString);
    }
    ExpectShadowParameters(set, 8, &p.shadowOn, p.shadow, fillstamp::kShadowStrings);
}

TEST(FillStampParameterList, MakingTransparentIsGreyedWhereTheLayerHasNoTransparency) {
    FillStamp effect;
    ParameterBlock block{};
    effect.WriteDefaults(block);
    ParameterSet set;
    ASSERT_TRUE(effect.BuildParameters(set, block).IsSuccess());
    auto* fill = dynamic_cast<LayerFillParameter*>(set.At(4));
    ASSERT_TRUE(fill != nullptr);
    EXPECT_EQ(fill->transparentUnavailableHint, LoadResourceString(kNothingToMakeTransparentId));
    EXPECT_NE(fill->transparentUnavailableHint, kLostString);
    for (const bool transparency : {true, false, true}) {
        effect.targetHasTransparency = transparency;
        effect.UpdateControlStates(set, block);
        EXPECT_EQ(fill->transparentAvailable, transparency);
        EXPECT_TRUE(fill->enabled) << "filling with a colour and keeping still apply";
    }
}

TEST(FillStampRectangles, ColourizedStampsReadTheWholeDocumentUnlessTiled) {
    FillStamp effect;
    ParameterBlock block{};
    effect.WriteDefaults(block);
    FillStampParameters& p = block.As<FillStampParameters>();
    const Rect area(10, 10, 50, 50);
    EXPECT_EQ(effect.NeededInputRect(area, block, 1.0), area);
    p.colorize = 1;
    const Rect needed = effect.NeededInputRect(area, block, 1.0);
    EXPECT_EQ(Rect::Intersect(needed, Rect(0, 0, 30000, 30000)), Rect(0, 0, 30000, 30000));
    p.tileMode = 1;
    EXPECT_EQ(effect.NeededInputRect(area, block, 1.0), area);
    // Tiled stamps are kept to the selection.
    EXPECT_EQ(effect.AffectedRect(area, block, 1.0), area);

    // Stamps reach 3 pixels past the selection's box, and an outward offset
    // of 10 further; the default shadow then moves by (⌈2.12⌉, ⌈2.12⌉) =
    // (3, 3) and grows by 2.
    p.tileMode = 0;
    EXPECT_EQ(effect.AffectedRect(area, block, 1.0), Rect(5, 5, 58, 58));
    p.shadowOn = 0;
    p.edgeOffset.Set(-10.0, kLengthPixels);
    EXPECT_EQ(effect.AffectedRect(area, block, 1.0), Rect(-3, -3, 63, 63));
}

}  // namespace
