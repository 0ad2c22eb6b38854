#include "host/DocumentValidation.h"

#include "filters/Filter.h"
#include "host/HostMessages.h"
#include "host/ImageFacts.h"

namespace {

bool Refuse(const ps::FilterRecord& record, bool quiet, int message, std::initializer_list<int> values = {}) {
    if (!quiet) ShowHostWarning(&record, message, values);
    return false;
}

}  // namespace

bool ValidateDocument(const Filter& filter, const ps::FilterRecord& record, const Rect& maskBounds, bool quiet) {
    const FilterSize minimum = filter.MinimumSize();
    if (maskBounds.Width() < minimum.width || maskBounds.Height() < minimum.height) {
        return Refuse(record, quiet, kMessageSelectionTooSmall, {minimum.width, minimum.height});
    }
    if (record.imageMode == ps::plugInModeCMYKColor && !filter.SupportsCMYK()) return false;
    const bool needsLayer = (filter.UsesWholeCanvas() && !filter.AllowsFlatImage()) || filter.RequiresLayer();
    if (needsLayer && record.filterCase == ps::filterCaseFlatImageNoSelection) {
        return Refuse(record, quiet, kMessageNeedsLayerOrSelection);
    }
    if (record.filterCase == ps::filterCaseProtectedTransparencyNoSelection ||
        record.filterCase == ps::filterCaseProtectedTransparencyWithSelection) {
        return Refuse(record, quiet, kMessageTransparencyConflict);
    }
    if (InputHasTransparency(record) != OutputHasTransparency(record)) {
        return Refuse(record, quiet, kMessageTransparencyConflict);
    }
    if (record.isFloating || record.filterCase == ps::filterCaseFloatingSelection)
        return Refuse(record, quiet, kMessageFloatingSelection);
    return true;
}
