// EXIF in TIFF files. A TIFF file carries EXIF as its own: the descriptive
// tags of its first directory (artist, camera, dates, copyright) and the
// EXIF and GPS directories it points to. These move between a TIFF file
// and TIFF-structured EXIF data (ImageMetadata::exif) as raw directory
// entries, relocated with the values they point to, in the byte order both
// share; every offset is checked against the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The EXIF data of the TIFF file in `file`: a header in the file's byte
// order, a first directory with the file's descriptive tags and copies of
// its EXIF and GPS directories. Empty when the file has none of them or they
// cannot be read.
std::vector<uint8_t> ExifFromTiffFile(const uint8_t* file, std::size_t size);

// Whether `exif` is big-endian ("MM"), the byte order the TIFF file that
// takes it must be written in.
bool ExifIsBigEndian(const std::vector<uint8_t>& exif);

// Adds to the TIFF file in `file` (written in the byte order of `exif`) the
// descriptive tags its first directory lacks and the EXIF and GPS
// directories of `exif`: a new first directory with them is appended and the
// header pointed at it. False, with `file` unchanged, when either cannot be read.
bool AddExifToTiffFile(std::vector<uint8_t>& file, const std::vector<uint8_t>& exif);
