// The picture of a picture tube or frame file that an effect's parameters
// name: resolved through the content folders, opened, and read whole as red,
// green, blue and alpha with its cell grid (the path comes from the content
// folders' resolve). Border Stamp, Fill Stamp and Frame all read their
// content this way.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "image/Image.h"

struct ContentPicture {
    std::unique_ptr<Image<unsigned char>> pixels;  // red, green, blue, alpha; top-left corner at (0, 0)
    int32_t columns = 0;
    int32_t rows = 0;
};

struct ContentPictureRead {
    // A grid other than columns × rows is refused (status -1 with
    // `wrongGridMessage`) before any pixel is read; 0 takes any grid.
    int32_t requiredColumns = 0;
    int32_t requiredRows = 0;
    uint16_t wrongGridMessage = 0;
    ProgressUpdateSink* progress = nullptr;
    double progressFrom = 0.0;
    double progressTo = 1.0;
};

// Opens and reads the file at `path`; it is closed again on every way out.
// A file that cannot be opened gives {-1, 10032}; a damaged or unsupported
// one the reader's {-1, 10033}; out of memory -108.
ResultCode ReadContentPicture(const std::string& path, const ContentPictureRead& request, ContentPicture& picture);
