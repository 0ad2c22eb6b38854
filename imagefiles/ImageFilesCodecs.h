// The PNG and JPEG coders behind ImageFiles.h, working on open streams.
// Each returns an empty string on success, or what went wrong in a few words
// (the caller adds the file name). They catch every libpng and libjpeg error;
// only std::bad_alloc from allocating the pixels can leave them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "imagefiles/ImageFiles.h"
#include "imagefiles/RasterImage.h"

// Decoders fill IMAGE only on success.
std::string DecodePng(std::FILE* file, RasterImage& image);
std::string DecodeJpeg(std::FILE* file, RasterImage& image);

// Encoders need a consistent image (RasterImage::IsConsistent).
std::string EncodePng(std::FILE* file, const RasterImage& image, PngCompression compression);
std::string EncodeJpeg(std::FILE* file, const RasterImage& image, int quality);

// One row of WIDTH pixels of CHANNELS samples (1 to 4) without its alpha:
// grey or RGB copied, or composited over white where there is alpha.
void FlattenRowOverWhite(const uint8_t* source, int channels, uint8_t* target, int32_t width);

// Why a file claiming WIDTH x HEIGHT pixels is refused, or nullptr when its size is acceptable.
const char* ImageSizeProblem(uint64_t width, uint64_t height);
