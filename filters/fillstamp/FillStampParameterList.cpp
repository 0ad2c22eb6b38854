// The Fill Stamp effect's dialog parameters and which of them apply.
#include "filters/CheckboxParameter.h"
#include "filters/LayerFillParameter.h"
#include "filters/LengthSliderParameter.h"
#include "filters/ParameterBlock.h"
#include "filters/ParameterSet.h"
#include "filters/RandomSeedParameter.h"
#include "filters/SliderParameter.h"
#include "filters/TubeButtonParameter.h"
#include "filters/fillstamp/FillStamp.h"
#include "platform/ResourceStrings.h"

ResultCode FillStamp::BuildParameters(ParameterSet& set, ParameterBlock& block) const {
    using namespace fillstamp;
    FillStampParameters& p = block.As<FillStampParameters>();
    set.AddGroup(LoadResourceString(kPageTitle));

    auto* tube = set.Emplace<TubeButtonParameter>(stamp::kKeyTubeFile, stamp::kKeyTubeRelative, p.tubeFile);
    if (tube == nullptr) return ResultCode::OutOfMemory();
    tube->label = LoadResourceString(stamp::kChooserLabel);
    tube->name = "tube";

    auto* size = set.Emplace<LengthSliderParameter>(kKeyStampSize, &p.stampSize, 5.0, 1000.0);
    if (size == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*size, kStampSizeStrings);
    size->trackLow = 0.8;
    size->trackHigh = 80.0;
    auto* offset = set.Emplace<LengthSliderParameter>(kKeyEdgeOffset, &p.edgeOffset, -100.0, 100.0);
    if (offset == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*offset, kEdgeOffsetStrings);
    auto* density = set.Emplace<SliderParameter>(stamp::kKeyDensity, &p.density, 1.0, 100.0);
    if (density == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*density, kDensityStrings);

    // The fill behaviour control shows its own texts (11200 to 11207).
    auto* fill = set.Emplace<LayerFillParameter>(kKeyFillColour, kKeyFillBehaviour, &p.layerFill);
    if (fill == nullptr) return ResultCode::OutOfMemory();
    fill->hint = LoadResourceString(kLayerFillLastTextId);
    fill->name = "fill";
    fill->transparentUnavailableHint = LoadResourceString(kNothingToMakeTransparentId);
    fill->transparentAvailable = targetHasTransparency;
    auto* tile = set.Emplace<CheckboxParameter>(kKeyTileMode, &p.tileMode);
    if (tile == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*tile, kTileModeStrings);
    auto* colorize = set.Emplace<CheckboxParameter>(kKeyColorize, &p.colorize);
    if (colorize == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*colorize, kColorizeStrings);
    auto* seed = set.Emplace<RandomSeedParameter>(stamp::kKeyRandomSeed, &p.randomSeed);
    if (seed == nullptr) return ResultCode::OutOfMemory();
    stamp::LoadStrings(*seed, {stamp::kRandomSeedLabel, stamp::kRandomSeedHint});

    return stamp::AddShadowParameters(set, &p.shadowOn, p.shadow, kShadowStrings);
}

void FillStamp::UpdateControlStates(ParameterSet& set, const ParameterBlock& block) const {
    stamp::EnableShadowControls(set, block.As<FillStampParameters>().shadowOn != 0);
    for (std::size_t i = 0; i < set.Count(); ++i)
        if (auto* fill = dynamic_cast<LayerFillParameter*>(set.At(i)))
            fill->transparentAvailable = targetHasTransparency;
}
