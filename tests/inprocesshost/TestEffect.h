// A small effect for driving the host and the command end to end: it adds
// `amount` to every colour plane (twice that in the "Double" mode) and
// optionally inverts, leaving transparency alone. It carries one parameter
// of each scripted class so that every script form can be exercised.
#pragma once

#include <algorithm>
#include <cmath>
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
#include "filters/RenderContext.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "image/RowImage.h"

namespace testeffect {

constexpr uint32_t kAmountKey = ps::FourCC("Amnt");
constexpr uint32_t kWidthKey = ps::FourCC("Wdth");
constexpr uint32_t kInvertKey = ps::FourCC("Invr");
constexpr uint32_t kSeedKey = ps::FourCC("Seed");
constexpr uint32_t kModeKey = ps::FourCC("Mode");
constexpr uint32_t kTintKey = ps::FourCC("Tint");
constexpr uint32_t kAngleKey = ps::FourCC("Angl");
constexpr uint32_t kPathKey = ps::FourCC("Path");
constexpr uint32_t kRelativeKey = ps::FourCC("Rltv");
constexpr uint32_t kFillColourKey = ps::FourCC("FilC");
constexpr uint32_t kFillBehaviourKey = ps::FourCC("FilB");
constexpr uint32_t kLightKeys[5] = {ps::FourCC("LDir"), ps::FourCC("LElv"), ps::FourCC("LBrt"), ps::FourCC("LShp"),
                                    ps::FourCC("LCol")};
constexpr int32_t kModePlain = 1;
constexpr int32_t kModeDouble = 2;

struct Record {
    FilterKind kind;
    double amount;
    LengthValue width;
    unsigned char invert;
    uint16_t seed;
    int32_t mode;
    ColorSpec tint;
    double angle;
    LightingValue light;
    unsigned char relative;
    char path[kContentPathCapacity];
    LayerFillValue fill;
};

class TestEffect : public Filter {
public:
    int32_t ParameterSize() const override { return sizeof(Record); }
    bool AllowsFlatImage() const override { return true; }
    std::string InternalName() const override { return "TestShift"; }

    void WriteDefaults(ParameterBlock& block) const override {
        Record& r = block.As<Record>();
        std::memset(static_cast<void*>(&r), 0, sizeof r);
        r.kind = kind;
        r.amount = 10.0;
        r.width.Set(4.0, kLengthPixels);
        r.seed = 5;
        r.mode = kModePlain;
        r.tint = ColorSpec::RGB(255, 128, 0);
        r.angle = 45.0;
        r.light = LightingValue{50.0, 50.0, 135.0, 30.0, ColorSpec::RGB(255, 255, 255)};
        r.relative = 1;
        std::strcpy(r.path, "Stars.tub");
        r.fill = LayerFillValue{kLayerFillKeep, ColorSpec::RGB(0, 0, 0)};
    }

    ResultCode BuildParameters(ParameterSet& set, ParameterBlock& block) const override {
        Record& r = block.As<Record>();
        Label(set.Emplace<SliderParameter>(kAmountKey, &r.amount, 0.0, 100.0), "Amount");
        Label(set.Emplace<LengthSliderParameter>(kWidthKey, &r.width, 0.0, 50.0), "Width");
        Label(set.Emplace<CheckboxParameter>(kInvertKey, &r.invert), "Invert");
        Label(set.Emplace<RandomSeedParameter>(kSeedKey, &r.seed), "Seed");
        auto* mode = set.Emplace<ListboxParameter>(kModeKey, ps::FourCC("TMod"), &r.mode);
        if (mode != nullptr) {
            mode->AddItem(kModePlain, "Plain", ps::FourCC("tmA1"));
            mode->AddItem(kModeDouble, "Double", ps::FourCC("tmA2"));
        }
        Label(mode, "Mode");
        Label(set.Emplace<ColorParameter>(kTintKey, &r.tint), "Tint");
        Label(set.Emplace<DirectionParameter>(kAngleKey, &r.angle), "Angle");
        Label(set.Emplace<LightingParameter>(kLightKeys[0], kLightKeys[1], kLightKeys[2], kLightKeys[3], kLightKeys[4],
                                             &r.light),
              "Light");
        Label(set.Emplace<TubeButtonParameter>(kPathKey, kRelativeKey, &r.relative, r.path), "Tube");
        Label(set.Emplace<LayerFillParameter>(kFillColourKey, kFillBehaviourKey, &r.fill), "Fill");
        return set.Count() == 10 ? ResultCode::Success() : ResultCode::OutOfMemory();
    }

    ResultCode Render(RenderContext& context) override {
        const Record& r = context.parameters->As<Record>();
        const int32_t planes = context.output->SamplesPerPixel();
        const int32_t colourPlanes = planes - (context.outputHasAlpha ? 1 : 0);
        const int step = static_cast<int>(std::lround(r.amount)) * (r.mode == kModeDouble ? 2 : 1);
        for (int32_t y = context.area.top; y < context.area.bottom; ++y) {
            for (int32_t x = context.area.left; x < context.area.right; ++x) {
                const unsigned char* in = context.input->PixelAddress(x, y);
                unsigned char* out = context.output->PixelAddress(x, y);
                for (int32_t p = 0; p < colourPlanes; ++p) {
                    const int shifted = std::min(255, in[p] + step);
                    out[p] = static_cast<unsigned char>(r.invert ? 255 - shifted : shifted);
                }
            }
        }
        if (context.progress != nullptr) context.progress->Update(1.0);
        return ResultCode::Success();
    }

private:
    static void Label(FilterParameter* parameter, const char* label) {
        if (parameter != nullptr) parameter->label = label;
    }
};

}  // namespace testeffect
