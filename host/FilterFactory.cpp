#include "host/FilterFactory.h"

#include <array>
#include <new>
#include <utility>

#include "filters/borderstamp/BorderStamp.h"
#include "filters/edge/Edge.h"
#include "filters/fillstamp/FillStamp.h"
#include "filters/frame/Frame.h"
#include "filters/patchwork/Patchwork.h"
#include "filters/resurface/Resurface.h"
#include "platform/ResourceStrings.h"

namespace {

template <typename Effect>
std::unique_ptr<Filter> Make() {
    return std::make_unique<Effect>();
}

// The effects of this build. Each effect adds its case when it is built.
FilterCreator BuiltInCreator(FilterKind kind) {
    switch (kind) {
        case FilterKinds::BorderStamp: return &Make<BorderStamp>;
        case FilterKinds::Edge: return &Make<Edge>;
        case FilterKinds::FillStamp: return &Make<FillStamp>;
        case FilterKinds::Frame: return &Make<Frame>;
        case FilterKinds::Patchwork: return &Make<Patchwork>;
        case FilterKinds::Resurface: return &Make<Resurface>;
        default: return nullptr;
    }
}

std::array<FilterCreator, FilterKinds::Count>& Overrides() {
    static std::array<FilterCreator, FilterKinds::Count> overrides;
    return overrides;
}

FilterCreator CreatorFor(FilterKind kind) {
    if (!FilterKinds::IsValid(kind)) return nullptr;
    const FilterCreator& overridden = Overrides()[static_cast<std::size_t>(kind)];
    if (overridden) return overridden;
    return BuiltInCreator(kind);
}

}  // namespace

ResultCode CreateFilter(FilterKind kind, std::unique_ptr<Filter>& filter) {
    filter.reset();
    const FilterCreator creator = CreatorFor(kind);
    if (!creator) return ResultCode::Failure();
    try {
        filter = creator();
    } catch (const std::bad_alloc&) {
        filter.reset();
        return ResultCode::OutOfMemory();
    }
    if (!filter) return ResultCode::Failure();
    filter->kind = kind;
    return ResultCode::Success();
}

std::vector<FilterKind> BuiltEffectKinds() {
    std::vector<FilterKind> kinds;
    for (FilterKind kind = 0; kind < FilterKinds::Count; ++kind) {
        if (CreatorFor(kind)) kinds.push_back(kind);
    }
    return kinds;
}

int EffectDisplayNameId(FilterKind kind) {
    switch (kind) {
        case FilterKinds::BorderStamp: return 4150;
        case FilterKinds::Edge: return 4200;
        case FilterKinds::FillStamp: return 4500;
        case FilterKinds::Frame: return 4300;
        case FilterKinds::Patchwork: return 4700;
        case FilterKinds::Resurface: return 4900;
        default: return 0;
    }
}

std::string EffectDisplayName(FilterKind kind) {
    const int id = EffectDisplayNameId(kind);
    if (id == 0) return "Some Dapple! Filter";
    return LoadResourceString(id);
}

ScopedFilterOverride::ScopedFilterOverride(FilterKind kind, FilterCreator creator) : kind_(kind) {
    if (!FilterKinds::IsValid(kind_)) return;
    FilterCreator& slot = Overrides()[static_cast<std::size_t>(kind_)];
    previous_ = std::exchange(slot, std::move(creator));
}

ScopedFilterOverride::~ScopedFilterOverride() {
    if (!FilterKinds::IsValid(kind_)) return;
    Overrides()[static_cast<std::size_t>(kind_)] = std::move(previous_);
}
