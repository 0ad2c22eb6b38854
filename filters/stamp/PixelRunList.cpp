#include "filters/stamp/PixelRunList.h"

#include <algorithm>

Point PixelRunList::At(int64_t index) const {
    // The last run that starts at or before `index`.
    const auto after =
        std::upper_bound(runs_.begin(), runs_.end(), index, [](int64_t i, const Run& run) { return i < run.first; });
    const Run& run = *(after - 1);
    return Point{static_cast<int32_t>(run.x + (index - run.first)), run.y};
}
