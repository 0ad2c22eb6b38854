// dapple apply ... --preview-scale F: instead of the full-size run through
// the plug-in entry, the effect is rendered the way the dialog's preview
// renders it, on the input reduced by picking every f-th pixel (f the whole
// part of F, at least 1), and the reduced picture is written.
#pragma once

#include <string>

#include "cli/Command.h"
#include "cli/RasterImage.h"
#include "filters/Filter.h"
#include "inprocesshost/DescriptorStore.h"

// `settings` holds the --set values as the scripting descriptor a full run
// would be handed; `mask` may be null. Returns an exit code; a failure is
// one line on `streams.err` and writes nothing.
int RunPreviewRender(Filter& filter, const DescriptorStore& settings, const RasterImage& input, const RasterImage* mask,
                     double previewScale, const std::string& output, const CommandStreams& streams);
