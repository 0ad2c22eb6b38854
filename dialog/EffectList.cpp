#include "dialog/EffectList.h"

#include "host/FilterFactory.h"

std::vector<EffectEntry> BuiltEffectList() {
    std::vector<EffectEntry> list;
    for (FilterKind kind : BuiltEffectKinds()) list.push_back(EffectEntry{EffectDisplayName(kind), kind});
    return list;
}

FilterKind SteppedEffect(const std::vector<EffectEntry>& list, FilterKind current, int step,
                         const std::function<bool(FilterKind)>& accepts) {
    const int count = static_cast<int>(list.size());
    int at = -1;
    for (int i = 0; i < count; ++i) {
        if (list[static_cast<std::size_t>(i)].kind == current) at = i;
    }
    if (at < 0) return current;
    for (int i = 1; i < count; ++i) {
        const int index = ((at + step * i) % count + count) % count;
        const FilterKind kind = list[static_cast<std::size_t>(index)].kind;
        if (accepts(kind)) return kind;
    }
    return current;
}
