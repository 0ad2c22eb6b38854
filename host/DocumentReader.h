// Reads the whole of the host's layer (every colour plane and its
// transparency) into memory, for the dialog's preview, which renders it
// again and again without asking the host each time.
#pragma once

#include "base/ResultCode.h"
#include "image/ChannelLayout.h"
#include "image/RowImage.h"
#include "pluginapi/PluginInterface.h"

// Owned pixels over DocumentBounds, interleaved as the full-size render
// reads them, and the channel layout they have. Read in bands of rows
// through advance-state requests on the host thread; the request fields
// are cleared on every way out. -1 when the host refuses a band or delivers
// less than asked, 1 when the user aborts, -108 out of memory.
ResultCode ReadDocumentPixels(ps::FilterRecord& record, RowImage& pixels, ChannelLayout& layout);
