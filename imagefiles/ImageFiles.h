// Reading and writing the PNG and JPEG files that the command-line host
// takes as input, mask and output. The extension names the format.
//
// Reading gives 8-bit pixels with 1 to 4 channels: PNG palettes are expanded
// to RGB, transparency chunks become an alpha channel, 16-bit samples keep
// their high byte and low-bit grey is scaled to 0..255. JPEG gives grey or
// RGB; CMYK and YCCK JPEGs are converted to RGB (Adobe files store inverted
// inks, and are read as such).
//
// Writing PNG keeps every channel, fast by default or as small as we can
// make it. JPEG holds no alpha, so an image with alpha
// is composited over white first. A file is written beside its destination
// and moved over it only when complete: a failed write leaves any old file as
// it was and no partial file behind.
#pragma once

#include <optional>
#include <string>

#include "imagefiles/RasterImage.h"

enum class ImageFileFormat { Png, Jpeg };

constexpr int kJpegWriteQuality = 92;

// Fast: within a few percent of zlib's level 6 on photographs, in a fraction
// of its time; smallest: zlib's level 9, for those who wait for every byte.
enum class PngCompression { Fast, Smallest };

struct ImageWriteOptions {
    PngCompression png = PngCompression::Fast;
};

// The format PATH's extension names (.png, .jpg or .jpeg, in any case), or
// nothing for any other extension.
std::optional<ImageFileFormat> ImageFileFormatForPath(const std::string& path);

// The outcome of a read or write: success, or one line for the user that
// names the file and says what went wrong.
struct ImageFileStatus {
    std::string error;  // empty on success

    bool Ok() const { return error.empty(); }
};

// Reads PATH into IMAGE. On failure IMAGE is left as it was.
[[nodiscard]] ImageFileStatus ReadImageFile(const std::string& path, RasterImage& image);

// Writes IMAGE to PATH, replacing any file there only once the new one is complete.
[[nodiscard]] ImageFileStatus WriteImageFile(const std::string& path, const RasterImage& image,
                                             const ImageWriteOptions& options = {});
