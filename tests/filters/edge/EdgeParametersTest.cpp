// The Edges effect's record, defaults, capability answers, dialog parameters
// and control states.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/DirectionParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/edge/Edge.h"
#include "platform/ResourceStrings.h"

namespace {

constexpr uint32_t Key(const char (&s)[5]) {
    return (uint32_t(uint8_t(s[0])) << 24) | (uint32_t(uint8_t(s[1])) << 16) | (uint32_t(uint8_t(s[2])) << 8) |
           uint32_t(uint8_t(s[3]));
}

TEST(EdgeRecord, LayoutIsTheStoredEightyBytes) {
    // Natural alignment of the fields in table order.
    EXPECT_EQ(sizeof(EdgeParameters), 80u);
    EXPECT_EQ(offsetof(EdgeParameters, kind), 0u);
    EXPECT_EQ(offsetof(EdgeParameters, border), 8u);
    EXPECT_EQ(offsetof(EdgeParameters, width), 24u);
    EXPECT_EQ(offsetof(EdgeParameters, scale), 40u);
    EXPECT_EQ(offsetof(EdgeParameters, direction), 48u);
    EXPECT_EQ(offsetof(EdgeParameters, edgeType), 56u);
    EXPECT_EQ(offsetof(EdgeParameters, colour), 60u);
    EXPECT_EQ(offsetof(EdgeParameters, transparent), 70u);
    EXPECT_EQ(offsetof(EdgeParameters, randomSeed), 72u);
}

TEST(EdgeRecord, DefaultsFillTheRecordAndNothingBeyondIt) {
    ParameterBlock block;
    std::memset(&block, 0xAB, sizeof block);
    Edge edge;
    edge.WriteDefaults(block);
    const EdgeParameters& p = block.As<EdgeParameters>();
    EXPECT_EQ(p.kind, 1);
    EXPECT_EQ(p.border.value, 0.0);
    EXPECT_EQ(p.border.unit, kLengthPixels);
    EXPECT_EQ(p.width.value, 40.0);
    EXPECT_EQ(p.width.unit, kLengthPixels);
    EXPECT_EQ(p.scale, 40.0);
    EXPECT_EQ(p.direction, 45.0);
    EXPECT_EQ(p.edgeType, 2);
    EXPECT_EQ(p.colour, ColorSpec::RGB(255, 255, 255));
    EXPECT_EQ(p.transparent, 0);
    EXPECT_EQ(p.randomSeed, 1);
    const auto* bytes = reinterpret_cast<const unsigned char*>(&block);
    for (std::size_t i = 80; i < sizeof block; ++i) ASSERT_EQ(bytes[i], 0xAB) << "byte " << i;
}

class EdgeParameterList : public ::testing::Test {
protected:
    void SetUp() override {
        edge.WriteDefaults(block);
        ASSERT_TRUE(edge.BuildParameters(set, block).IsSuccess());
        ASSERT_EQ(set.Count(), 8u);
    }
    EdgeParameters& Record() { return block.As<EdgeParameters>(); }

    Edge edge;
    ParameterBlock block{};
    ParameterSet set;
};

TEST_F(EdgeParameterList, ParametersComeInDialogOrderWithTheirKeysAndBindings) {
    const uint32_t keys[8] = {Key("Wdth"), Key("BrdT"), Key("Scl "), Key("Drct"),
                              Key("Edmo"), Key("Clr "), Key("Fl  "), Key("RndS")};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(set.At(i)->KeyCount(), 1);
        EXPECT_EQ(set.At(i)->KeyAt(0), keys[i]) << "parameter " << i;
    }
    EdgeParameters& p = Record();
    auto* width = dynamic_cast<LengthSliderParameter*>(set.At(0));
    auto* border = dynamic_cast<LengthSliderParameter*>(set.At(1));
    auto* scale = dynamic_cast<SliderParameter*>(set.At(2));
    auto* direction = dynamic_cast<DirectionParameter*>(set.At(3));
    auto* type = dynamic_cast<ListboxParameter*>(set.At(4));
    auto* colour = dynamic_cast<ColorParameter*>(set.At(5));
    auto* transparent = dynamic_cast<CheckboxParameter*>(set.At(6));
    auto* seed = dynamic_cast<RandomSeedParameter*>(set.At(7));
    ASSERT_TRUE(width && border && scale && direction && type && colour && transparent && seed);
    EXPECT_EQ(width->value, &p.width);
    EXPECT_EQ(border->value, &p.border);
    EXPECT_EQ(scale->value, &p.scale);
    EXPECT_EQ(direction->value, &p.direction);
    EXPECT_EQ(type->value, &p.edgeType);
    EXPECT_EQ(colour->value, &p.colour);
    EXPECT_EQ(transparent->value, &p.transparent);
    EXPECT_EQ(seed->value, &p.randomSeed);

    EXPECT_EQ(width->minimum, 10.0);
    EXPECT_EQ(width->maximum, 1000.0);
    EXPECT_EQ(width->trackLow, 0.8);
    EXPECT_EQ(width->trackHigh, 80.0);
    EXPECT_EQ(border->minimum, 0.0);
    EXPECT_EQ(border->maximum, 1000.0);
    EXPECT_EQ(border->trackLow, 0.8);
    EXPECT_EQ(border->trackHigh, 80.0);
    EXPECT_EQ(scale->minimum, 1.0);
    EXPECT_EQ(scale->maximum, 100.0);
}

TEST_F(EdgeParameterList, EdgeTypeListMapsValuesToTheirCodes) {
    auto* type = dynamic_cast<ListboxParameter*>(set.At(4));
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->enumerationType, Key("Edg "));
    const uint32_t codes[6] = {Key("edM0"), Key("edM1"), Key("edM3"), Key("edM5"), Key("edM4"), Key("edM6")};
    ASSERT_EQ(type->items.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(type->items[static_cast<std::size_t>(i)].id, i);
        EXPECT_EQ(type->items[static_cast<std::size_t>(i)].code, codes[i]);
    }
    // The pixelizer is value 4 but code edM4 after edM5: a recorded action
    // naming edM4 must come back as the pixelizer, not halftone lines.
    ASSERT_NE(type->FindByCode(Key("edM4")), nullptr);
    EXPECT_EQ(type->FindByCode(Key("edM4"))->id, 4);
    EXPECT_EQ(type->FindByCode(Key("edM5"))->id, 3);
}

TEST_F(EdgeParameterList, EveryLabelHintAndItemNameHasItsText) {
    for (std::size_t i = 0; i < set.Count(); ++i) {
        const FilterParameter& parameter = *set.At(i);
        EXPECT_FALSE(parameter.label.empty());
        EXPECT_NE(parameter.label, kLostString) << "label of parameter " << i;
        EXPECT_NE(parameter.hint, kLostString) << "hint of parameter " << i;
        EXPECT_FALSE(parameter.hint.empty());
        // The hint is help, not a second caption: Edges shows none.
        EXPECT_TRUE(parameter.secondaryText.empty()) << "second text of parameter " << i;
    }
    auto* type = dynamic_cast<ListboxParameter*>(set.At(4));
    ASSERT_NE(type, nullptr);
    for (const auto& item : type->items) EXPECT_NE(item.name, kLostString) << "item " << item.id;
    EXPECT_EQ(LoadResourceString(0x1069), set.At(0)->label);
    EXPECT_EQ(LoadResourceString(0x2B8F), set.At(7)->hint);
}

TEST_F(EdgeParameterList, ValidateBringsOutOfRangeValuesBack) {
    EdgeParameters& p = Record();
    p.width.Set(2.0, kLengthPixels);
    p.border.Set(1500.0, kLengthInches);
    p.scale = 0.0;
    p.direction = 400.0;
    p.edgeType = 9;
    for (std::size_t i = 0; i < set.Count(); ++i) set.At(i)->Validate();
    EXPECT_EQ(p.width.value, 10.0);
    EXPECT_EQ(p.border.value, 1000.0);
    EXPECT_EQ(p.border.unit, kLengthInches);
    EXPECT_EQ(p.scale, 1.0);
    EXPECT_EQ(p.direction, 360.0);
    EXPECT_EQ(p.edgeType, 0);
}

TEST_F(EdgeParameterList, DirectionAppliesToTheScreenTreatmentsOnly) {
    for (int32_t type = -1; type <= 7; ++type) {
        Record().edgeType = type;
        edge.UpdateControlStates(set, block);
        const bool screened = type == 2 || type == 3 || type == 4;
        EXPECT_EQ(set.At(3)->enabled, screened) << "edge type " << type;
        for (std::size_t i : {0u, 1u, 2u, 4u, 7u}) EXPECT_TRUE(set.At(i)->enabled) << "parameter " << i;
    }
}

TEST_F(EdgeParameterList, ColourAndTransparentFollowTheLayersTransparency) {
    struct Case {
        bool layerHasTransparency;
        unsigned char ticked;
        bool colourEnabled;
        bool transparentEnabled;
    };
    const Case cases[] = {
        {false, 0, true, false}, {false, 1, true, false}, {true, 0, true, true}, {true, 1, false, true}};
    for (const Case& c : cases) {
        edge.targetHasTransparency = c.layerHasTransparency;
        Record().transparent = c.ticked;
        // Start from the opposite state so that a control left alone shows.
        set.At(5)->enabled = !c.colourEnabled;
        set.At(6)->enabled = !c.transparentEnabled;
        edge.UpdateControlStates(set, block);
        EXPECT_EQ(set.At(5)->enabled, c.colourEnabled) << c.layerHasTransparency << int(c.ticked);
        EXPECT_EQ(set.At(6)->enabled, c.transparentEnabled) << c.layerHasTransparency << int(c.ticked);
    }
    // Greyed, its help says why.
    for (const bool transparency : {true, false}) {
        Edge effect;
        effect.targetHasTransparency = transparency;
        ParameterSet built;
        ASSERT_TRUE(effect.BuildParameters(built, block).IsSuccess());
        EXPECT_EQ(built.At(6)->hint, LoadResourceString(transparency ? 0x1082 : 4227));
    }
    EXPECT_NE(LoadResourceString(4227), kLostString);
}

}  // namespace
