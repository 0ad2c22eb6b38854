// dapple apply ... --preview-scale F: instead of the full-size run through
// the plug-in entry, the effect is rendered the way the dialog's preview
// renders it, on the input reduced by picking every f-th pixel (f the whole
// part of F, at least 1), giving the reduced picture to write.
#pragma once

#include "cli/Command.h"
#include "filters/Filter.h"
#include "imagefiles/RasterImage.h"
#include "inprocesshost/DescriptorStore.h"

// `settings` holds the --set values as the scripting descriptor a full run
// would be handed; lengths convert at the input's `pixelsPerInch`; `mask`
// may be null. Returns an exit code and, on success, the picture in
// `preview`; a failure is one line on `streams.err`.
int RunPreviewRender(Filter& filter, const DescriptorStore& settings, const RasterImage& input, double pixelsPerInch,
                     const RasterImage* mask, double previewScale, RasterImage& preview, const CommandStreams& streams);
