#include "host/DocumentFacts.h"

#include "filters/Filter.h"
#include "host/ImageFacts.h"

void ApplyDocumentFacts(Filter& filter, const ps::FilterRecord& record) {
    filter.pixelsPerInch = PixelsPerInch(record);
    filter.targetHasTransparency = InputHasTransparency(record);
}
