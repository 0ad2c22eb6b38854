// The Border Stamp effect's dialog parameters and which of them apply.
#include "filters/LengthSliderParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/borderstamp/BorderStamp.h"
#include "platform/ResourceStrings.h"

namespace {

LengthSliderParameter* AddLength(ParameterSet& set, uint32_t key, LengthValue* value, double minimum, double maximum,
                                 stamp::StringPair strings) {
    auto* parameter = set.Emplace<LengthSliderParameter>(key, value, minimum, maximum);
    if (parameter != nullptr) stamp::LoadStrings(*parameter, strings);
    return parameter;
}

// The slider shape of the stamp and strip sizes.
void ShapeTrack(LengthSliderParameter& parameter) {
    parameter.trackLow = 0.8;
    parameter.trackHigh = 80.0;
}

}  // namespace

ResultCode BorderStamp::BuildParameters(ParameterSet& set, ParameterBlock& block) const {
    using namespace borderstamp;
    BorderStampParameters& p = block.As<BorderStampParameters>();
    set.AddGroup(LoadResourceString(kPageTitle));

    auto* tube = set.Emplace<TubeButtonParameter>(stamp::kKeyTubeFile, stamp::kKeyTubeRelative, p.tubeFile);
    if (tube == nullptr) return ResultCode::OutOfMemory();
    tube->label = LoadResourceString(stamp::kChooserLabel);
    tube->name = "tube";

    auto* size = AddLength(set, kKeyTubeSize, &p.tubeSize, 5.0, 1000.0, kTubeSizeStrings);
    if (size == nullptr) return ResultCode::OutOfMemory();
    ShapeTrack(*size);
    if (AddLength(set, kKeyBorderOffset, &p.borderOffset, -100.0, 100.0, kBorderOffsetStrings) == nullptr)
        return ResultCode::OutOfMemory();
    auto* width = AddLength(set, kKeyBorderWidth, &p.borderWidth, 10.0, 1000.0, kBorderWidthStrings);
    if (width == nullptr) return ResultCode::OutOfMemory();
    ShapeTrack(*width);

    auto* density = set.Emplace<SliderParameter>(stamp::kKeyDensity, &p.density, 1.0, 100.0);
    if (density == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*density, kDensityStrings);
    auto* seed = set.Emplace<RandomSeedParameter>(stamp::kKeyRandomSeed, &p.randomSeed);
    if (seed == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*seed, {stamp::kRandomSeedLabel, stamp::kRandomSeedHint});

    return stamp::AddShadowParameters(set, &p.shadowOn, p.shadow, kShadowStrings);
}

void BorderStamp::UpdateControlStates(ParameterSet& set, const ParameterBlock& block) const {
    stamp::EnableShadowControls(set, block.As<BorderStampParameters>().shadowOn != 0);
}
