#include "filters/TransparencyNote.h"

#include "platform/ResourceStrings.h"
#include "platform/Warning.h"

void SayNothingToMakeTransparent(const RenderContext& context, int messageId) {
    if (context.renderMode != kRenderModeFullSize || context.outputHasAlpha) return;
    if (context.outputView != nullptr && context.outputView->layout.hasAlpha) return;
    ShowNote(LoadResourceString(messageId));
}
