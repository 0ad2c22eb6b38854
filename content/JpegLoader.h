// JPEG content through libjpeg's version 62 interface: textures are loaded
// from files, preview composites from memory, tiles from an open stream.
//
// Decoded images have the decoder's output colour space (grey, RGB, CMYK, or
// no colour model for any other) with one channel per component of the file,
// and never alpha. Decoder errors, and damage that libjpeg would otherwise
// paper over with invented pixels (a stream that ends early, corrupt entropy
// data), come back as {-1, 10033}; a file that cannot be opened as -1 without
// a message; out of memory as -108. A picture larger than its stream could
// plausibly hold (content/ContentLimits.h) is refused with 10033 before any
// pixel memory is taken.
//
// Progress goes to `sink` before each scan line, as
// from + (to − from) × line / height, so the last report for h lines is
// from + (to − from) × (h − 1) / h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "base/Progress.h"
#include "base/ResultCode.h"
#include "content/ContentMessages.h"
#include "image/Image.h"

// What the decoder's fatal-error hook raises; the loaders catch it.
class Vt_JPEG_Error {};

// Decodes the JPEG file at `path` (UTF-8) into a new image in `image`. On
// any failure `image` is left empty.
ResultCode LoadJpegFile(const std::string& path, std::unique_ptr<Image<unsigned char>>& image, ProgressUpdateSink* sink,
                        double from, double to);

// The same for a datastream of `length` bytes in memory.
ResultCode LoadJpegMemory(const unsigned char* buffer, std::size_t length, std::unique_ptr<Image<unsigned char>>& image,
                          ProgressUpdateSink* sink, double from, double to);

// Decodes the datastream that starts at `stream`'s position into
// `destination`, whose size and channel layout must be what the stream
// decodes to (else {-1, 10033}); the caller checks the size it allocates.
// The destination may be partly written on failure.
ResultCode DecodeJpegStream(std::FILE* stream, Image<unsigned char>& destination, ProgressUpdateSink* sink, double from,
                            double to);

// The same for a datastream in memory.
ResultCode DecodeJpegMemory(const unsigned char* buffer, std::size_t length, Image<unsigned char>& destination,
                            ProgressUpdateSink* sink, double from, double to);

// 0 when the file is acceptable texture content: a grey-scale JPEG with
// exactly one component. {-1, 10033} for a readable JPEG of another kind;
// -1 without a message when the file cannot be opened or its header read.
ResultCode CheckJpegContent(const std::string& path);
