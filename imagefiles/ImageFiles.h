// Reading and writing the PNG, JPEG and TIFF files that the command-line
// host takes as input, mask and output, with their colour profile, EXIF and
// XMP data and resolution (ImageMetadata.h).
//
// A file is read by its content, whatever its name says. Reading gives 8-bit
// pixels with 1 to 4 channels, turned upright as the EXIF (or TIFF)
// orientation says: PNG palettes are expanded to RGB, transparency chunks
// become an alpha channel, 16-bit samples keep their high byte (with a note)
// and low-bit grey is scaled to 0..255. JPEG gives grey or RGB; CMYK and
// YCCK JPEGs are converted to RGB (Adobe files store inverted inks, and are
// read as such). TIFF gives grey, RGB or RGBA; other TIFF kinds are read
// through libtiff's RGBA interface.
//
// Writing PNG keeps every channel, fast by default or as small as we can
// make it. JPEG holds no alpha, so an image with alpha is composited over
// white first. TIFF is written Deflate-compressed. A file is written beside
// its destination and moved over it only when complete: a failed write
// leaves any old file as it was and no partial file behind. The path "-"
// reads standard input or writes standard output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "imagefiles/ImageMetadata.h"
#include "imagefiles/RasterImage.h"

enum class ImageFileFormat { Png, Jpeg, Tiff };

constexpr int kDefaultJpegQuality = 92;

// Told the fraction done, from 0 to 1, as a file is read or written.
using ImageFileProgress = std::function<void(double fraction)>;

// Fast: within a few percent of zlib's level 6 on photographs, in a fraction
// of its time; smallest: zlib's level 9, for those who wait for every byte.
enum class PngCompression { Fast, Smallest };

struct ImageWriteOptions {
    PngCompression png = PngCompression::Fast;
    int jpegQuality = kDefaultJpegQuality;  // 1 to 100
    ImageFileProgress progress;
};

// The format PATH's extension names (.png, .jpg, .jpeg, .tif or .tiff, in any
// case), or nothing for any other extension.
std::optional<ImageFileFormat> ImageFileFormatForPath(const std::string& path);
// The format a name such as --format takes names (png, jpg, jpeg, tif, tiff).
std::optional<ImageFileFormat> ImageFileFormatForName(const std::string& name);

// The outcome of a read or write: success, or one line for the user that
// names the file and says what went wrong. Notes are lines about what a
// successful read changed or left out, each naming the file.
struct ImageFileStatus {
    std::string error;  // empty on success
    std::vector<std::string> notes;

    bool Ok() const { return error.empty(); }
};

struct ImageFile {
    RasterImage image;
    ImageMetadata metadata;
};

// Reads PATH ("-": standard input) into FILE. On failure FILE is left as it was.
[[nodiscard]] ImageFileStatus ReadImageFile(const std::string& path, ImageFile& file,
                                            const ImageFileProgress& progress = {});
// The pixels alone.
[[nodiscard]] ImageFileStatus ReadImageFile(const std::string& path, RasterImage& image);
// The same read from SIZE bytes in memory, the file's content; NAME names it
// in messages. A file of more than MAX_PIXELS pixels is refused.
[[nodiscard]] ImageFileStatus DecodeImageFile(const uint8_t* data, std::size_t size, const std::string& name,
                                              ImageFile& file, const ImageFileProgress& progress = {},
                                              uint64_t maxPixels = kMaxRasterPixels);

// Writes IMAGE with METADATA to PATH ("-": standard output) as FORMAT,
// replacing any file there only once the new one is complete.
[[nodiscard]] ImageFileStatus WriteImageFile(const std::string& path, ImageFileFormat format, const RasterImage& image,
                                             const ImageMetadata& metadata, const ImageWriteOptions& options = {});
// The pixels alone, in the format the extension names.
[[nodiscard]] ImageFileStatus WriteImageFile(const std::string& path, const RasterImage& image,
                                             const ImageWriteOptions& options = {});
