// A small effect with one parameter of every class the settings archiver
// writes, the picture tube button included, over a record of its own.
#pragma once

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
#include "filters/ParameterSet.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/TypeOnlyParameters.h"

namespace everyparameter {

constexpr uint32_t kSliderKey = ps::FourCC("Sldr");
constexpr uint32_t kDirectionKey = ps::FourCC("Drct");
constexpr uint32_t kCheckboxKey = ps::FourCC("Chck");
constexpr uint32_t kSeedKey = ps::FourCC("RndS");
constexpr uint32_t kListKey = ps::FourCC("List");
constexpr uint32_t kColourKey = ps::FourCC("Clr ");
constexpr uint32_t kLengthKey = ps::FourCC("Lnth");
constexpr uint32_t kLightKeys[5] = {ps::FourCC("LDir"), ps::FourCC("LElv"), ps::FourCC("LBrt"), ps::FourCC("LShp"),
                                    ps::FourCC("LCol")};
constexpr uint32_t kFillColourKey = ps::FourCC("FilC");
constexpr uint32_t kFillBehaviourKey = ps::FourCC("FilB");
constexpr uint32_t kGradientKey = ps::FourCC("Grad");
constexpr uint32_t kCurveKey = ps::FourCC("Crve");
constexpr uint32_t kBevelTypeKey = 0xA9427654u;  // high bit set: written as a negative number
constexpr uint32_t kReflectionKey = ps::FourCC("Refl");
constexpr uint32_t kPathKey = ps::FourCC("Path");  // 1348564072
constexpr uint32_t kRelativeKey = ps::FourCC("Rltv");
constexpr int kBevelTypeTexts[4] = {1, 2, 3, 4};

struct Record {
    FilterKind kind;
    double slider;
    double direction;
    unsigned char checkbox;
    uint16_t seed;
    int32_t list;
    ColorSpec colour;
    LengthValue length;
    LightingValue light;
    LayerFillValue fill;
    alignas(8) unsigned char gradient[ColorGradientParameter::kRecordSize];
    alignas(8) unsigned char curve[ComplexCurveParameter::kRecordSize];
    int32_t bevelType;
    char reflection[64];
    unsigned char relative;
    char path[kContentPathCapacity];
};

class Effect : public Filter {
public:
    explicit Effect(std::string name = "EveryParameter") : name_(std::move(name)) {}

    int32_t ParameterSize() const override { return sizeof(Record); }
    std::string InternalName() const override { return name_; }
    ResultCode Render(RenderContext&) override { return ResultCode::Success(); }

    void WriteDefaults(ParameterBlock& block) const override {
        Record& r = block.As<Record>();
        std::memset(static_cast<void*>(&r), 0, sizeof r);
        r.kind = kind;
        r.slider = 25.0;
        r.direction = 90.0;
        r.seed = 7;
        r.list = 10;
        r.colour = ColorSpec::RGB(10, 20, 30);
        r.length.Set(4.0, kLengthPixels);
        r.light = LightingValue{50.0, 50.0, 135.0, 30.0, ColorSpec::RGB(255, 255, 255)};
        r.fill = LayerFillValue{kLayerFillKeep, ColorSpec::RGB(0, 0, 0)};
        r.bevelType = 1;
        std::strcpy(r.reflection, "Chrome.jpg");
        r.relative = 1;
        std::strcpy(r.path, "Stars.tub");
    }

    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override {
        Record& r = block.As<Record>();
        set.Emplace<SliderParameter>(kSliderKey, &r.slider, 1.0, 100.0);
        set.Emplace<DirectionParameter>(kDirectionKey, &r.direction);
        set.Emplace<CheckboxParameter>(kCheckboxKey, &r.checkbox);
        set.Emplace<RandomSeedParameter>(kSeedKey, &r.seed);
        auto* list = set.Emplace<ListboxParameter>(kListKey, ps::FourCC("Lst "), &r.list);
        if (list != nullptr) {
            list->AddItem(10, "Ten", ps::FourCC("lsA0"));
            list->AddItem(20, "Twenty", ps::FourCC("lsA1"));
            list->AddItem(-5, "Minus five", ps::FourCC("lsA2"));
        }
        set.Emplace<ColorParameter>(kColourKey, &r.colour);
        set.Emplace<LengthSliderParameter>(kLengthKey, &r.length, 0.0, 500.0);
        set.Emplace<LightingParameter>(kLightKeys[0], kLightKeys[1], kLightKeys[2], kLightKeys[3], kLightKeys[4],
                                       &r.light);
        set.Emplace<LayerFillParameter>(kFillColourKey, kFillBehaviourKey, &r.fill);
        set.Emplace<ColorGradientParameter>(kGradientKey, r.gradient);
        set.Emplace<ComplexCurveParameter>(kCurveKey, r.curve);
        set.Emplace<BevelTypeParameter>(kBevelTypeKey, &r.bevelType, kBevelTypeTexts);
        set.Emplace<ReflectionMapParameter>(kReflectionKey, r.reflection, sizeof r.reflection);
        set.Emplace<TubeButtonParameter>(kPathKey, kRelativeKey, &r.relative, r.path);
        return set.Count() == 14 ? ResultCode::Success() : ResultCode::OutOfMemory();
    }

private:
    std::string name_;
};

}  // namespace everyparameter
