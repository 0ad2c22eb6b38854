// What a photograph's file says beside its pixels, kept from reading to
// writing: the colour profile, the EXIF and XMP data and the resolution.
// The blocks are carried as the file held them; none is interpreted beyond
// what reading needs (the EXIF orientation, applied to the pixels, and the
// resolution).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ImageMetadata {
    // A whole ICC profile; empty when the file has none.
    std::vector<uint8_t> iccProfile;
    // EXIF as TIFF-structured data: the byte-order mark ("II" or "MM"), 42 and
    // the directories. Its orientation, once applied to the pixels, reads 1.
    std::vector<uint8_t> exif;
    // The XMP packet, as UTF-8 text.
    std::string xmp;
    // Pixels per inch; 0 when the file states none.
    double pixelsPerInch = 0.0;
};
