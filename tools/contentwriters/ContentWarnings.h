// What a picture made into content lacks, though the file can still be
// written: each a line of its own, for the maker to read as a warning.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "imagefiles/RasterImage.h"

// A sheet of `columns` x `rows` cells (a tube or frame): when its width or
// height leaves pixels over, and when it has no transparency to outline
// the cells.
std::vector<std::string> SheetWarnings(const RasterImage& picture, int32_t columns, int32_t rows);

// A texture, which Resurface repeats: when its opposite edges differ much
// more than neighbouring pixels inside it, so that the repeats show a seam.
// Empty when it repeats without one.
std::string SeamWarning(const RasterImage& picture);
