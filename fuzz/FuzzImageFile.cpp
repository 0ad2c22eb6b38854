// Image files as the command reads them, whatever their content: PNG
// (our own inflate and unfilter, and libpng for the other layouts), JPEG
// with its metadata segments, TIFF with its EXIF directories, and the EXIF
// and ICC checks after every read.
#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzInputFile.h"
#include "imagefiles/ImageFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    ImageFile file;
    (void)DecodeImageFile(data, size, "fuzz", file, {}, kMaxFuzzDecodePixels);
    return 0;
}
