#include "filters/stamp/FullSizeSelection.h"

ResultCode FullSizeSelection::Prepare(const RenderContext& context) {
    if (context.fullSizeDocumentBounds.IsEmpty()) {
        document = context.documentBounds;
        given_ = context.maskView;
        return selection.Prepare(context.maskView, context.maskBounds.IsEmpty() ? document : context.maskBounds);
    }
    document = context.fullSizeDocumentBounds;
    given_ = context.fullSizeMask;
    const Rect& maskBounds = context.fullSizeMaskBounds.IsEmpty() ? document : context.fullSizeMaskBounds;
    return selection.Prepare(context.fullSizeMask, maskBounds);
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
