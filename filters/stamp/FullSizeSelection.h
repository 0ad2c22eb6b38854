// The document and selection at full size, as the stamp effects place their
// stamps by them at every render scale.
#pragma once

#include "base/Rect.h"
#include "base/ResultCode.h"
#include "filters/RenderContext.h"
#include "filters/RenderSelection.h"
#include "filters/stamp/StampCentres.h"

// The full-size selection's box: its mask's bounds, or the document when
// it names none; the render's own when it was not given the full-size fields.
Rect FullSizeSelectionBox(const RenderContext& context);

struct FullSizeSelection {
    Rect document;
    RenderSelection selection;

    // From the render's full-size fields; a render that was not given them
    // is taken to be at full size. -108 when memory runs out.
    ResultCode Prepare(const RenderContext& context);

    // Sets up `search` over this selection with the render's abort tester and
    // progress, over the range given.
    void Aim(CentreSearch& search, const RenderContext& context, double progressFrom, double progressTo) const;

    // The key of a search for centres in this selection.
    CentreSearchKey SearchKey(double length0, double length1, int32_t radius) const;

private:
    const SingleChannelImage<unsigned char>* given_ = nullptr;  // null: everything selected
};
