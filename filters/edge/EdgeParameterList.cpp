// The Edges effect's dialog parameters and which of them apply.
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

// A length slider from 10 (or 0) to 1000 in the length's own unit.
LengthSliderParameter* AddLength(ParameterSet& set, uint32_t key, LengthValue* value, double minimum,
                                 edge::StringPair strings) {
    auto* parameter = set.Emplace<LengthSliderParameter>(key, value, minimum, 1000.0);
    if (parameter == nullptr) return nullptr;
    parameter->trackLow = 0.8;
    parameter->trackHigh = 80.0;
    LoadParameterStrings(*parameter, strings);
    return parameter;
}

}  // namespace

ResultCode Edge::BuildParameters(ParameterSet& set, ParameterBlock& block) const {
    using namespace edge;
    EdgeParameters& p = block.As<EdgeParameters>();

    if (AddLength(set, kKeyWidth, &p.width, 10.0, kWidthStrings) == nullptr) return ResultCode::OutOfMemory();
    if (AddLength(set, kKeyBorder, &p.border, 0.0, kBorderStrings) == nullptr) return ResultCode::OutOfMemory();

    auto* scale = set.Emplace<SliderParameter>(kKeyScale, &p.scale, 1.0, 100.0);
    if (scale == nullptr) return ResultCode::OutOfMemory();
    LoadParameterStrings(*scale, kScaleStrings);

    auto* direction = set.Emplace<DirectionParameter>(kKeyDirection, &p.direction);
    if (direction == nullptr) return ResultCode::OutOfMemory();
    LoadParameterStrings(*direction, kDirectionStrings);

    auto* type = set.Emplace<ListboxParameter>(kKeyEdgeType, kEdgeTypeEnumeration, &p.edgeType);
    if (type == nullptr) return ResultCode::OutOfMemory();
    LoadParameterStrings(*type, kEdgeTypeStrings);
    for (const EdgeTypeItem& item : kEdgeTypeItems)
        type->AddItem(item.value, LoadResourceString(item.nameId), item.code);

    auto* colour = set.Emplace<ColorParameter>(kKeyColour, &p.colour);
    if (colour == nullptr) return ResultCode::OutOfMemory();
    LoadParameterStrings(*colour, kColourStrings);

    auto* transparent = set.Emplace<CheckboxParameter>(kKeyTransparent, &p.transparent);
    if (transparent == nullptr) return ResultCode::OutOfMemory();
    LoadParameterStrings(*transparent, kTransparentStrings);
    // Greyed where there is no transparency; its help then says why.
    if (!targetHasTransparency) transparent->hint = LoadResourceString(kNothingToMakeTransparentId);

    auto* seed = set.Emplace<RandomSeedParameter>(kKeyRandomSeed, &p.randomSeed);
    if (seed == nullptr) return ResultCode::OutOfMemory();
    LoadParameterStrings(*seed, kRandomSeedStrings);
    return ResultCode::Success();
}

void Edge::UpdateControlStates(ParameterSet& set, const ParameterBlock& block) const {
    using namespace edge;
    const EdgeParameters& p = block.As<EdgeParameters>();
    const bool screened =
        p.edgeType == kEdgeHalftoneDots || p.edgeType == kEdgeHalftoneLines || p.edgeType == kEdgePixelizer;
    for (std::size_t i = 0; i < set.Count(); ++i) {
        FilterParameter& parameter = *set.At(i);
        bool enabled = true;
        if (parameter.HasKey(kKeyDirection)) enabled = screened;
        if (parameter.HasKey(kKeyColour)) enabled = !(targetHasTransparency && p.transparent != 0);
        if (parameter.HasKey(kKeyTransparent)) enabled = targetHasTransparency;
        parameter.enabled = enabled;
    }
}
