// TIFF-structured EXIF data from a file: its orientation and resolution
// read, its orientation rewritten, and its directories moved into a TIFF
// file and out of one.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagefiles/ExifData.h"
#include "imagefiles/TiffExif.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::vector<uint8_t> exif(data, data + size);
    if (ExifIsReadable(exif)) {
        (void)ExifOrientation(exif);
        (void)ExifPixelsPerInch(exif);
        ClearExifOrientation(exif);
    }
    const std::vector<uint8_t> fromTiff = ExifFromTiffFile(data, size);
    std::vector<uint8_t> file(data, data + size);
    (void)AddExifToTiffFile(file, fromTiff);
    (void)AddExifToTiffFile(file, exif);
    return 0;
}
