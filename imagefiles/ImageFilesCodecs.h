// The PNG, JPEG and TIFF coders behind ImageFiles.h. Decoders read a whole
// file held in memory; encoders write to an open stream. Each returns an
// empty string on success, or what went wrong in a few words (the caller
// adds the file name). They catch every codec library's error; only
// std::bad_alloc from allocating the pixels can leave them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "imagefiles/ImageFiles.h"
#include "imagefiles/ImageMetadata.h"
#include "imagefiles/RasterImage.h"

// A decoded file: its pixels as stored, what it says beside them, and lines
// for the user about what reading changed or left out.
struct DecodedImage {
    RasterImage image;
    ImageMetadata metadata;
    // The orientation the file's own fields give (TIFF); 0 to take EXIF's.
    int orientation = 0;
    std::vector<std::string> notes;
    // Set before decoding: files of more pixels are refused before anything is sized for them.
    uint64_t maxPixels = kMaxRasterPixels;
};

// Decoders fill DECODED only on success and report progress from 0 to 1.
std::string DecodePng(const uint8_t* data, size_t size, DecodedImage& decoded, const ImageFileProgress& progress);
std::string DecodeJpeg(const uint8_t* data, size_t size, DecodedImage& decoded, const ImageFileProgress& progress);
std::string DecodeTiff(const uint8_t* data, size_t size, DecodedImage& decoded, const ImageFileProgress& progress);

// Encoders need a consistent image (RasterImage::IsConsistent); what the
// format cannot hold is left out with a line in NOTES.
std::string EncodePng(std::FILE* file, const RasterImage& image, const ImageMetadata& metadata,
                      const ImageWriteOptions& options, std::vector<std::string>& notes);
std::string EncodeJpeg(std::FILE* file, const RasterImage& image, const ImageMetadata& metadata,
                       const ImageWriteOptions& options, std::vector<std::string>& notes);
std::string EncodeTiff(std::FILE* file, const RasterImage& image, const ImageMetadata& metadata,
                       const ImageWriteOptions& options, std::vector<std::string>& notes);

// A JPEG datastream without metadata at the stream's position, for files
// that embed JPEG data (tile libraries, Paint Shop Pro composites).
std::string EncodeJpeg(std::FILE* file, const RasterImage& image, int quality);

// One row of WIDTH pixels of CHANNELS samples (1 to 4) without its alpha:
// grey or RGB copied, or composited over white where there is alpha.
void FlattenRowOverWhite(const uint8_t* source, int channels, uint8_t* target, int32_t width);

// Why a file claiming WIDTH x HEIGHT pixels is refused, or nullptr when its size is acceptable.
const char* ImageSizeProblem(uint64_t width, uint64_t height, uint64_t maxPixels = kMaxRasterPixels);

// The note for a file whose samples had more than 8 bits.
inline const char* kReducedToEightBits = "its 16-bit samples are reduced to 8 bits (the effects work on 8 bits)";
