// The few EXIF fields reading needs, found in the first image directory of
// TIFF-structured EXIF data: the orientation and the resolution. Every
// offset is checked against the data, so damaged EXIF gives "unreadable",
// never a read outside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Whether the data holds a TIFF header and a first directory whose entries
// lie within it.
bool ExifIsReadable(const std::vector<uint8_t>& exif);

// The orientation tag (1 to 8), or 1 when the data has none or an invalid one.
int ExifOrientation(const std::vector<uint8_t>& exif);

// Rewrites the orientation tag, where there is one, to 1 (as shown).
void ClearExifOrientation(std::vector<uint8_t>& exif);

// The horizontal resolution in pixels per inch, or 0 when the data states none.
double ExifPixelsPerInch(const std::vector<uint8_t>& exif);
