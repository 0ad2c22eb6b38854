#include "filters/stamp/FullSizeSelection.h"

ResultCode FullSizeSelection::Prepare(const RenderContext& context) {
    if (context.fullSizeDocumentBounds.IsEmpty()) {
        document = context.documentBounds;
        return selection.Prepare(context.maskView, context.maskBounds.IsEmpty() ? document : context.maskBounds);
    }
    document = context.fullSizeDocumentBounds;
    const Rect& maskBounds = context.fullSizeMaskBounds.IsEmpty() ? document : context.fullSizeMaskBounds;
    return selection.Prepare(context.fullSizeMask, maskBounds);
}
