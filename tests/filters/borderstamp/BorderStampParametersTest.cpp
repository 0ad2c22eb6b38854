// The Border Stamp record, defaults, capabilities, dialog parameters and the
// rectangle a render affects.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "filters/LengthSliderParameter.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/borderstamp/BorderStamp.h"
#include "platform/ResourceStrings.h"
#include "tests/filters/stamp/StampTestSupport.h"

namespace {

using namespace stamp_test;

TEST(BorderStampRecord, LayoutIsTheStoredRecord) {
    EXPECT_EQ(sizeof(BorderStampParameters), 1160u);
    EXPECT_EQ(offsetof(BorderStampParameters, borderOffset), 8u);
    EXPECT_EQ(offsetof(BorderStampParameters, borderWidth), 24u);
    EXPECT_EQ(offsetof(BorderStampParameters, tubeSize), 40u);
    EXPECT_EQ(offsetof(BorderStampParameters, density), 56u);
    EXPECT_EQ(offsetof(BorderStampParameters, randomSeed), 64u);
    EXPECT_EQ(offsetof(BorderStampParameters, tubeFile), 66u);
    EXPECT_EQ(offsetof(BorderStampParameters, shadowOn), 1091u);
    EXPECT_EQ(offsetof(BorderStampParameters, shadow), 1096u);
    EXPECT_EQ(offsetof(BorderStampParameters, shadow) + offsetof(StampShadowFields, direction), 1112u);
    EXPECT_EQ(offsetof(BorderStampParameters, shadow) + offsetof(StampShadowFields, colour), 1120u);
    EXPECT_EQ(offsetof(BorderStampParameters, shadow) + offsetof(StampShadowFields, opacity), 1136u);
    EXPECT_EQ(offsetof(BorderStampParameters, shadow) + offsetof(StampShadowFields, blur), 1144u);
}

TEST(BorderStampRecord, DefaultsFillTheRecordAndNothingBeyondIt) {
    ParameterBlock block;
    std::memset(&block, 0xAB, sizeof block);
    BorderStamp effect;
    effect.WriteDefaults(block);
    const BorderStampParameters& p = block.As<BorderStampParameters>();
    EXPECT_EQ(p.kind, 0);
    EXPECT_EQ(p.borderOffset.value, 0.0);
    EXPECT_EQ(p.borderWidth.value, 45.0);
    EXPECT_EQ(p.tubeSize.value, 30.0);
    EXPECT_EQ(p.tubeSize.unit, kLengthPixels);
    EXPECT_EQ(p.density, 50.0);
    EXPECT_EQ(p.randomSeed, 1);
    EXPECT_EQ(p.tubeFile.relative, 1);
    EXPECT_EQ(ReferencePath(p.tubeFile), LoadResourceString(4166));
    EXPECT_EQ(ReferencePath(p.tubeFile).front(), '\\');
    EXPECT_EQ(p.shadowOn, 1);
    EXPECT_EQ(p.shadow.distance.value, 4.0);
    EXPECT_EQ(p.shadow.direction, 315.0);
    EXPECT_EQ(p.shadow.colour, ColorSpec::RGB(0, 0, 0));
    EXPECT_EQ(p.shadow.opacity, 30.0);
    EXPECT_EQ(p.shadow.blur.value, 5.0);
    ExpectUntouchedFrom(block, 1160, 0xAB);
}

TEST(BorderStampRecord, CapabilitiesAndName) {
    BorderStamp effect;
    EXPECT_EQ(effect.ParameterSize(), 1160);
    EXPECT_TRUE(effect.WantsDialog());
    EXPECT_TRUE(effect.UsesWholeCanvas());
    EXPECT_TRUE(effect.AllowsFlatImage());
    EXPECT_FALSE(effect.CoreAppliesMask());
    EXPECT_TRUE(effect.UsesTransparencyAsShape());
    EXPECT_FALSE(effect.RequiresLayer());
    EXPECT_FALSE(effect.SupportsCMYK());
    EXPECT_TRUE(effect.RendersInOnePiece());
    EXPECT_EQ(effect.MinimumSize().width, 0);
    EXPECT_EQ(effect.InternalName(), "BorderStamp");
}

TEST(BorderStampParameterList, ParametersComeInDialogOrderWithTheirBindingsRangesAndPages) {
    BorderStamp effect;
    ParameterBlock block{};
    effect.WriteDefaults(block);
    ParameterSet set;
    ASSERT_TRUE(effect.BuildParameters(set, block).IsSuccess());
    ASSERT_EQ(set.Count(), 12u);
    const std::vector<uint32_t> keys = {ps::FourCC("Path"), ps::FourCC("Rltv"), ps::FourCC("TlSz"), ps::FourCC("BrdT"),
                                        ps::FourCC("Wdth"), ps::FourCC("Dnst"), ps::FourCC("RndS"), ps::FourCC("sdwM"),
                                        ps::FourCC("Drct"), ps::FourCC("Dstn"), ps::FourCC("Opct"), ps::FourCC("blur"),
                                        ps::FourCC("sdwC")};
    EXPECT_EQ(KeysOf(set), keys);
    ASSERT_EQ(set.Groups().size(), 1u);
    EXPECT_EQ(set.Groups()[0], LoadResourceString(4162));

    BorderStampParameters& p = block.As<BorderStampParameters>();
    auto* tube = dynamic_cast<TubeButtonParameter*>(set.At(0));
    auto* size = dynamic_cast<LengthSliderParameter*>(set.At(1));
    auto* offset = dynamic_cast<LengthSliderParameter*>(set.At(2));
    auto* width = dynamic_cast<LengthSliderParameter*>(set.At(3));
    auto* density = dynamic_cast<SliderParameter*>(set.At(4));
    auto* seed = dynamic_cast<RandomSeedParameter*>(set.At(5));
    ASSERT_TRUE(tube && size && offset && width && density && seed);
    EXPECT_EQ(tube->relative, &p.tubeFile.relative);
    EXPECT_EQ(tube->path, p.tubeFile.path);
    EXPECT_EQ(tube->label, LoadResourceString(7348));
    EXPECT_EQ(size->value, &p.tubeSize);
    EXPECT_EQ(size->minimum, 5.0);
    EXPECT_EQ(size->maximum, 1000.0);
    EXPECT_EQ(size->trackLow, 0.8);
    EXPECT_EQ(size->trackHigh, 80.0);
    EXPECT_EQ(offset->value, &p.borderOffset);
    EXPECT_EQ(offset->minimum, -100.0);
    EXPECT_EQ(offset->maximum, 100.0);
    EXPECT_EQ(width->value, &p.borderWidth);
    EXPECT_EQ(width->minimum, 10.0);
    EXPECT_EQ(width->maximum, 1000.0);
    EXPECT_EQ(width->trackHigh, 80.0);
    EXPECT_EQ(density->value, &p.density);
    EXPECT_EQ(density->minimum, 1.0);
    EXPECT_EQ(density->maximum, 100.0);
    EXPECT_EQ(seed->value, &p.randomSeed);
    const int labels[] = {4152, 4153, 4154, 4155, 11150};
    const int hints[] = {4170, 4171, 4172, 4173, 11151};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(set.At(i + 1)->label, LoadResourceString(labels[i]));
        EXPECT_EQ(set.At(i + 1)->hint, LoadResourceString(hints[i]));
        EXPECT_NE(set.At(i + 1)->hint, kLostString);
    }
    ExpectShadowParameters(set, 6, &p.shadowOn, p.shadow, borderstamp::kShadowStrings);

    // The dialog's rule is the effect's.
    p.shadowOn = 0;
    effect.UpdateControlStates(set, block);
    EXPECT_FALSE(set.At(8)->enabled);
    EXPECT_TRUE(set.At(6)->enabled);
}

TEST(BorderStampAffectedRect, GrowsForAnOffsetOutsideAndForTheShadow) {
    BorderStamp effect;
    ParameterBlock block{};
    effect.WriteDefaults(block);
    BorderStampParameters& p = block.As<BorderStampParameters>();
    // Stamps reach 3 pixels past the selection's box whatever the offset
    // inside, and an offset outside further: 10 + 3, at scale 2 5 + 3.
    const Rect in(10, 10, 50, 50);
    p.shadowOn = 0;
    EXPECT_EQ(effect.AffectedRect(in, block, 1.0), Rect(7, 7, 53, 53));
    p.borderOffset.Set(30.0, kLengthPixels);
    EXPECT_EQ(effect.AffectedRect(in, block, 1.0), Rect(7, 7, 53, 53));
    p.borderOffset.Set(-10.0, kLengthPixels);
    EXPECT_EQ(effect.AffectedRect(in, block, 1.0), Rect(-3, -3, 63, 63));
    EXPECT_EQ(effect.AffectedRect(in, block, 2.0), Rect(2, 2, 58, 58));
    // The default shadow: moved by (3, 3), grown by 5.
    p.borderOffset.Set(0.0, kLengthPixels);
    p.shadowOn = 1;
    EXPECT_EQ(effect.AffectedRect(in, block, 1.0), Rect(2, 2, 61, 61));
}

}  // namespace
