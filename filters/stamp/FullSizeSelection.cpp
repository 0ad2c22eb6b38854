#include "filters/stamp/FullSizeSelection.h"

Rect FullSizeSelectionBox(const RenderContext& context) {
    if (context.fullSizeDocumentBounds.IsEmpty())
        return context.maskBounds.IsEmpty() ? context.documentBounds : context.maskBounds;
    return context.fullSizeMaskBounds.IsEmpty() ? context.fullSizeDocumentBounds : context.fullSizeMaskBounds;
}

ResultCode FullSizeSelection::Prepare(const RenderContext& context) {
    const bool given = !context.fullSizeDocumentBounds.IsEmpty();
    document = given ? context.fullSizeDocumentBounds : context.documentBounds;
    given_ = given ? context.fullSizeMask : context.maskView;
    return selection.Prepare(given_, FullSizeSelectionBox(context));
}

CentreSearchKey FullSizeSelection::SearchKey(double length0, double length1, int32_t radius) const {
    CentreSearchKey key;
    key.mask = given_ != nullptr ? given_->data : nullptr;
    key.maskBounds = selection.Mask().bounds;
    key.document = document;
    key.lengths[0] = length0;
    key.lengths[1] = length1;
    key.radius = radius;
    return key;
}

void FullSizeSelection::Aim(CentreSearch& search, const RenderContext& context, double progressFrom,
                            double progressTo) const {
    search.mask = &selection.Mask();
    search.image = document;
    search.abort = context.abort;
    search.progress = context.progress;
    search.progressFrom = progressFrom;
    search.progressTo = progressTo;
}
