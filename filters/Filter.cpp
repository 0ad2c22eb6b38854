#include "filters/Filter.h"

#include "filters/ParameterSet.h"
#include "filters/RenderContext.h"

Filter::~Filter() = default;

int32_t Filter::SourceMode() const {
    if (!UsesTransparencyAsShape()) return 1;
    return UsesWholeCanvas() ? 0 : 1;
}

Rect Filter::AffectedRect(const Rect& in, const ParameterBlock& /*block*/, double /*scale*/) const { return in; }

Rect Filter::NeededInputRect(const Rect& area, const ParameterBlock& /*block*/, double /*scale*/) const {
    return MapRect(area);
}

ResultCode Filter::BeginRender(RenderContext& /*context*/) { return ResultCode::Success(); }

void Filter::EndRender(const ParameterBlock& /*block*/) {}

void Filter::UpdateControlStates(ParameterSet& set, const ParameterBlock& /*block*/) const {
    for (std::size_t i = 0; i < set.Count(); ++i) set.At(i)->enabled = true;
}
