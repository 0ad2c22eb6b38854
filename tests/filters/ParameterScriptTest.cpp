// Every parameter kind through the host's scripting descriptors: the forms
// written, the round trip, and the walks' handling of refusals and of keys
// nobody claims.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "filters/CheckboxParameter.h"
#include "filters/ColorParameter.h"
#include "filters/DirectionParameter.h"
#include "filters/Filter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/LightingParameter.h"
#include "filters/ListboxParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterScript.h"
#include "filters/ParameterSet.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "tests/filters/FakeDescriptor.h"

namespace {

using ps::FourCC;

struct EveryKindRecord {
    FilterKind kind;
    double density;
    LengthValue width;
    unsigned char shadowOn;
    uint16_t seed;
    ColorSpec colour;
    double direction;
    LightingValue light;
    int32_t edgeType;
    unsigned char relative;
    char path[64];
    LayerFillValue fill;
};

// An effect whose parameters cover every scripted kind.
class EveryKindFilter : public Filter {
public:
    int32_t ParameterSize() const override { return sizeof(EveryKindRecord); }
    void WriteDefaults(ParameterBlock& block) const override {
        std::memset(&block, 0, sizeof(block));
        EveryKindRecord& r = block.As<EveryKindRecord>();
        r.kind = 7;
        r.density = 50.0;
        r.width = LengthValue{40.0, kLengthPixels};
        r.seed = 1;
        r.colour = ColorSpec::RGB(255, 255, 255);
        r.light = LightingValue{50.0, 50.0, 135.0, 30.0, ColorSpec::RGB(255, 255, 255)};
        r.edgeType = 0;
        r.fill = LayerFillValue{kLayerFillTransparent, ColorSpec::RGB(255, 255, 255)};
    }
    ResultCode Render(RenderContext&) override { return ResultCode::Success(); }
    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override {
        EveryKindRecord& r = block.As<EveryKindRecord>();
        if (!set.Emplace<SliderParameter>(FourCC("Dnst"), &r.density, 1.0, 100.0)) return ResultCode::OutOfMemory();
        if (!set.Emplace<LengthSliderParameter>(FourCC("Wdth"), &r.width, 0.0, 100.0)) return ResultCode::OutOfMemory();
        if (!set.Emplace<CheckboxParameter>(FourCC("sdwM"), &r.shadowOn)) return ResultCode::OutOfMemory();
        if (!set.Emplace<RandomSeedParameter>(FourCC("RndS"), &r.seed)) return ResultCode::OutOfMemory();
        if (!set.Emplace<ColorParameter>(FourCC("Clr "), &r.colour)) return ResultCode::OutOfMemory();
        if (!set.Emplace<DirectionParameter>(FourCC("Drct"), &r.direction)) return ResultCode::OutOfMemory();
        if (!set.Emplace<LightingParameter>(FourCC("LDir"), FourCC("LElv"), FourCC("LBrt"), FourCC("LShp"),
                                            FourCC("LClr"), &r.light)) {
            return ResultCode::OutOfMemory();
        }
        auto* list = set.Emplace<ListboxParameter>(FourCC("Edmo"), FourCC("Edg "), &r.edgeType);
        if (!list) return ResultCode::OutOfMemory();
        list->AddItem(0, "Distress", FourCC("edM0"));
        list->AddItem(1, "Dots", FourCC("edM3"));
        list->AddItem(2, "Lines", FourCC("edM5"));
        list->AddItem(9, "Unrecordable", 0);
        if (!set.Emplace<TubeButtonParameter>(FourCC("Path"), FourCC("Rltv"), &r.relative, r.path, sizeof r.path)) {
            return ResultCode::OutOfMemory();
        }
        if (!set.Emplace<LayerFillParameter>(FourCC("FlCl"), FourCC("Fl  "), &r.fill)) return ResultCode::OutOfMemory();
        return ResultCode::Success();
    }
    std::string InternalName() const override { return "EveryKind"; }
};

class ParameterScript : public ::testing::Test {
protected:
    void SetUp() override {
        fake::live = 0;
        filter.WriteDefaults(block);
    }
    void TearDown() override { EXPECT_EQ(fake::live, 0) << "host handles left undisposed"; }

    EveryKindRecord& Record() { return block.As<EveryKindRecord>(); }

    void SetNonDefaults() {
        EveryKindRecord& r = Record();
        r.density = 37.5;
        r.width = LengthValue{12.5, kLengthMillimeters};
        r.shadowOn = 1;
        r.seed = 4242;
        r.colour = ColorSpec::RGB(255, 128, 0);
        r.direction = 200.0;
        r.light = LightingValue{80.0, 20.0, 30.0, 45.0, ColorSpec::RGB(0, 0, 255)};
        r.edgeType = 1;
        r.relative = 1;
        std::strcpy(r.path, "Stamps/Stars.tub");
        r.fill = LayerFillValue{kLayerFillKeep, ColorSpec::RGB(0, 255, 0)};
    }

    ResultCode WriteAll(fake::Descriptor& d) {
        const ScriptWriter writer{writeProcs, reinterpret_cast<ps::PIWriteDescriptor>(&d), &handles};
        return WriteAllParameters(filter, block, writer);
    }
    ResultCode ReadAll(fake::Descriptor& d) {
        const ScriptReader reader{readProcs, reinterpret_cast<ps::PIReadDescriptor>(&d), &handles};
        return ReadAllParameters(filter, block, reader);
    }

    EveryKindFilter filter;
    ParameterBlock block{};
    ps::HandleProcs handles = fake::HandleSuite();
    ps::WriteDescriptorProcs writeProcs = fake::WriteSuite();
    ps::ReadDescriptorProcs readProcs = fake::ReadSuite();
};

TEST_F(ParameterScript, WritesEveryKeyInParameterOrderWithItsForm) {
    SetNonDefaults();
    fake::Descriptor d;
    ASSERT_EQ(WriteAll(d).status, 0);

    const uint32_t expectedOrder[] = {FourCC("Dnst"), FourCC("Wdth"), FourCC("sdwM"), FourCC("RndS"),
                                      FourCC("Clr "), FourCC("Drct"), FourCC("LDir"), FourCC("LElv"),
                                      FourCC("LBrt"), FourCC("LShp"), FourCC("LClr"), FourCC("Edmo"),
                                      FourCC("Path"), FourCC("Rltv"), FourCC("FlCl"), FourCC("Fl  ")};
    ASSERT_EQ(d.entries.size(), 16u);
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(d.entries[i].first, expectedOrder[i]) << i;

    EXPECT_EQ(d.Find(FourCC("Dnst"))->type, ps::typeFloat);
    EXPECT_EQ(d.Find(FourCC("Dnst"))->number, 37.5);
    EXPECT_EQ(d.Find(FourCC("Wdth"))->text, "12.50 millimeters");
    EXPECT_EQ(d.Find(FourCC("sdwM"))->type, ps::typeBoolean);
    EXPECT_TRUE(d.Find(FourCC("sdwM"))->flag);
    EXPECT_EQ(d.Find(FourCC("RndS"))->type, ps::typeInteger);
    EXPECT_EQ(d.Find(FourCC("RndS"))->integer, 4242);
    EXPECT_EQ(d.Find(FourCC("Clr "))->text, "RGB: 100.0% 50.2% 0.0% (255 128 0)");
    EXPECT_EQ(d.Find(FourCC("Drct"))->number, 200.0);
    EXPECT_EQ(d.Find(FourCC("LDir"))->number, 30.0);
    EXPECT_EQ(d.Find(FourCC("LElv"))->number, 45.0);
    EXPECT_EQ(d.Find(FourCC("LBrt"))->number, 80.0);
    EXPECT_EQ(d.Find(FourCC("LShp"))->number, 20.0);
    EXPECT_EQ(d.Find(FourCC("LClr"))->type, ps::typeChar);
    EXPECT_EQ(d.Find(FourCC("Edmo"))->enumType, FourCC("Edg "));
    EXPECT_EQ(d.Find(FourCC("Edmo"))->enumValue, FourCC("edM3"));
    EXPECT_EQ(d.Find(FourCC("Path"))->text, "Stamps/Stars.tub");
    EXPECT_TRUE(d.Find(FourCC("Rltv"))->flag);
    EXPECT_EQ(d.Find(FourCC("Fl  "))->enumType, FourCC("Fibe"));
    EXPECT_EQ(d.Find(FourCC("Fl  "))->enumValue, FourCC("fiB2"));
}

TEST_F(ParameterScript, ReadingWhatWasWrittenRestoresEveryValue) {
    SetNonDefaults();
    fake::Descriptor d;
    ASSERT_EQ(WriteAll(d).status, 0);

    filter.WriteDefaults(block);
    ASSERT_EQ(ReadAll(d).status, 0);
    const EveryKindRecord& r = Record();
    EXPECT_EQ(r.density, 37.5);
    EXPECT_EQ(r.width.value, 12.5);
    EXPECT_EQ(r.width.unit, kLengthMillimeters);
    EXPECT_EQ(r.shadowOn, 1);
    EXPECT_EQ(r.seed, 4242);
    EXPECT_EQ(r.colour, ColorSpec::RGB(255, 128, 0));
    EXPECT_EQ(r.direction, 200.0);
    EXPECT_EQ(r.light.brightness, 80.0);
    EXPECT_EQ(r.light.sharpness, 20.0);
    EXPECT_EQ(r.light.direction, 30.0);
    EXPECT_EQ(r.light.elevation, 45.0);
    EXPECT_EQ(r.light.colour, ColorSpec::RGB(0, 0, 255));
    EXPECT_EQ(r.edgeType, 1);
    EXPECT_EQ(r.relative, 1);
    EXPECT_STREQ(r.path, "Stamps/Stars.tub");
    EXPECT_EQ(r.fill.behaviour, kLayerFillKeep);
    EXPECT_EQ(r.fill.colour, ColorSpec::RGB(0, 255, 0));
}

TEST_F(ParameterScript, UnclaimedKeysAreSkippedAndClaimedOnesRead) {
    fake::Descriptor d;
    d.Add(FourCC("Zzzz"), fake::Float(3.0));
    d.Add(FourCC("Drct"), fake::Float(90.0));
    d.Add(FourCC("Nope"), fake::Text("ignored"));
    d.Add(FourCC("RndS"), fake::Integer(0x12345));  // only the low 16 bits are kept
    d.Add(FourCC("sdwM"), fake::Flag(true));
    ASSERT_EQ(ReadAll(d).status, 0);
    EXPECT_EQ(Record().direction, 90.0);
    EXPECT_EQ(Record().seed, 0x2345);
    EXPECT_EQ(Record().shadowOn, 1);
}

TEST_F(ParameterScript, ReadValuesAreValidatedOrPinned) {
    fake::Descriptor d;
    d.Add(FourCC("Dnst"), fake::Float(150.0));  // pinned by the host: still a successful read
    d.Add(FourCC("Drct"), fake::Float(-10.0));
    d.Add(FourCC("LElv"), fake::Float(120.0));
    d.Add(FourCC("Wdth"), fake::Text("250.00 points"));
    d.Add(FourCC("Fl  "), fake::Enumerated(FourCC("Fibe"), FourCC("fiB9")));
    ASSERT_EQ(ReadAll(d).status, 0);
    EXPECT_EQ(Record().density, 100.0);
    EXPECT_EQ(Record().direction, 0.0);
    EXPECT_EQ(Record().light.elevation, 90.0);
    EXPECT_EQ(Record().width.value, 100.0);
    EXPECT_EQ(Record().width.unit, kLengthPoints);
    EXPECT_EQ(Record().fill.behaviour, kLayerFillWithColour);
}

TEST_F(ParameterScript, UnknownListCodeEndsTheReadAndLeavesLaterValues) {
    fake::Descriptor d;
    d.Add(FourCC("Drct"), fake::Float(45.0));
    d.Add(FourCC("Edmo"), fake::Enumerated(FourCC("Edg "), FourCC("edM7")));
    d.Add(FourCC("RndS"), fake::Integer(99));
    EXPECT_EQ(ReadAll(d).status, -1);
    EXPECT_EQ(Record().direction, 45.0);
    EXPECT_EQ(Record().edgeType, 0);
    EXPECT_EQ(Record().seed, 1);
}

TEST_F(ParameterScript, HostRefusalsAndWrongTypesFailTheWalk) {
    SetNonDefaults();
    fake::Descriptor refusing;
    refusing.refusedKey = FourCC("Clr ");
    EXPECT_EQ(WriteAll(refusing).status, -1);
    EXPECT_EQ(refusing.entries.size(), 4u);  // the walk stopped at the refused key

    fake::Descriptor wrongType;
    wrongType.Add(FourCC("sdwM"), fake::Text("yes"));
    EXPECT_EQ(ReadAll(wrongType).status, -1);

    fake::Descriptor emptyText;
    emptyText.Add(FourCC("Path"), fake::Text(""));
    EXPECT_EQ(ReadAll(emptyText).status, -1);
    EXPECT_STREQ(Record().path, "Stamps/Stars.tub");
}

TEST_F(ParameterScript, UnrecordableListItemCannotBeWritten) {
    Record().edgeType = 9;
    fake::Descriptor d;
    EXPECT_EQ(WriteAll(d).status, -1);
    EXPECT_EQ(d.Find(FourCC("Edmo")), nullptr);
}

TEST_F(ParameterScript, TextsWithATerminatorOrTooLongForTheRecord) {
    fake::Descriptor d;
    d.terminateTexts = true;
    d.Add(FourCC("Path"), fake::Text("Frames/Gold.rfr"));
    d.Add(FourCC("Wdth"), fake::Text("2.5 inches"));
    ASSERT_EQ(ReadAll(d).status, 0);
    EXPECT_STREQ(Record().path, "Frames/Gold.rfr");
    EXPECT_EQ(Record().width.value, 2.5);
    EXPECT_EQ(Record().width.unit, kLengthInches);

    fake::Descriptor tooLong;
    tooLong.Add(FourCC("Path"), fake::Text(std::string(64, 'x')));  // no room for the terminator
    EXPECT_EQ(ReadAll(tooLong).status, -1);
    EXPECT_STREQ(Record().path, "Frames/Gold.rfr");
}

TEST_F(ParameterScript, MissingHostProceduresAreRefusals) {
    ps::ReadDescriptorProcs noKeys = readProcs;
    noKeys.getKeyProc = nullptr;
    fake::Descriptor d;
    d.Add(FourCC("Drct"), fake::Float(10.0));
    const ScriptReader reader{noKeys, reinterpret_cast<ps::PIReadDescriptor>(&d), &handles};
    EXPECT_EQ(ReadAllParameters(filter, block, reader).status, -1);

    ps::HandleProcs noHandles = handles;
    noHandles.newProc = nullptr;
    fake::Descriptor out;
    const ScriptWriter writer{writeProcs, reinterpret_cast<ps::PIWriteDescriptor>(&out), &noHandles};
    EXPECT_EQ(WriteAllParameters(filter, block, writer).status, -1);
    EXPECT_EQ(out.entries.size(), 1u);  // the slider went through, the length text could not
}

TEST_F(ParameterScript, KeyArrayOfTheEffect) {
    ParameterSet set;
    ASSERT_EQ(filter.BuildParameters(set, block).status, 0);
    const std::vector<uint32_t> keys = KeyArray(set);
    ASSERT_EQ(keys.size(), 17u);
    EXPECT_EQ(keys[6], FourCC("LDir"));
    EXPECT_EQ(keys[10], FourCC("LClr"));
    EXPECT_EQ(keys[12], FourCC("Path"));
    EXPECT_EQ(keys[13], FourCC("Rltv"));
    EXPECT_EQ(keys[16], 0u);
}

}  // namespace
