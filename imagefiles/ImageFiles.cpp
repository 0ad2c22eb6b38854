#include "imagefiles/ImageFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "imagefiles/ImageFilesCodecs.h"
#include "imagefiles/ImageFilesOutput.h"
#include "platform/FileStreams.h"
#include "platform/FileSystemPath.h"

namespace {

std::string Lowercase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

const char* FormatName(ImageFileFormat format) { return format == ImageFileFormat::Png ? "PNG" : "JPEG"; }

ImageFileStatus ReadFailure(const std::string& path, const std::string& detail) {
    return {"cannot read \"" + path + "\": " + detail};
}

ImageFileStatus WriteFailure(const std::string& path, const std::string& detail) {
    return {"cannot write \"" + path + "\": " + detail};
}

std::string UnknownExtension() { return "unknown image file type (use .png, .jpg or .jpeg)"; }

// The format the file's first bytes announce, or nothing.
std::optional<ImageFileFormat> SniffFormat(const unsigned char* head, size_t length) {
    static const unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    static const unsigned char kJpeg[3] = {0xff, 0xd8, 0xff};
    if (length >= sizeof kPng && std::memcmp(head, kPng, sizeof kPng) == 0) return ImageFileFormat::Png;
    if (length >= sizeof kJpeg && std::memcmp(head, kJpeg, sizeof kJpeg) == 0) return ImageFileFormat::Jpeg;
    return std::nullopt;
}

// Checks that the file starts as FORMAT says it should, and rewinds it.
std::string CheckSignature(std::FILE* file, ImageFileFormat format) {
    unsigned char head[8] = {};
    errno = 0;
    const size_t length = std::fread(head, 1, sizeof head, file);
    if (std::ferror(file)) return errno != 0 ? std::strerror(errno) : "read error";
    if (length == 0) return "the file is empty";
    const std::optional<ImageFileFormat> found = SniffFormat(head, length);
    if (found != format) {
        std::string detail = std::string("not a ") + FormatName(format) + " file";
        if (found) detail += std::string(" (it holds ") + FormatName(*found) + " data)";
        return detail;
    }
    if (std::fseek(file, 0, SEEK_SET) != 0) return "cannot rewind the file";
    return {};
}

std::string Decode(std::FILE* file, ImageFileFormat format, RasterImage& image) {
    if (std::string problem = CheckSignature(file, format); !problem.empty()) return problem;
    return format == ImageFileFormat::Png ? DecodePng(file, image) : DecodeJpeg(file, image);
}

std::string Encode(std::FILE* file, ImageFileFormat format, const RasterImage& image,
                   const ImageWriteOptions& options) {
    if (format == ImageFileFormat::Png) return EncodePng(file, image, options.png);
    return EncodeJpeg(file, image, kJpegWriteQuality);
}

}  // namespace

const char* ImageSizeProblem(uint64_t width, uint64_t height) {
    if (width == 0 || height == 0) return "the image has no pixels";
    if (width > INT32_MAX || height > INT32_MAX || width * height > kMaxRasterPixels)
        return "the image is too large (more than 268435456 pixels)";
    return nullptr;
}

std::optional<ImageFileFormat> ImageFileFormatForPath(const std::string& path) {
    const std::string extension = Lowercase(Utf8FromPath(PathFromUtf8(path).extension()));
    if (extension == ".png") return ImageFileFormat::Png;
    if (extension == ".jpg" || extension == ".jpeg") return ImageFileFormat::Jpeg;
    return std::nullopt;
}

ImageFileStatus ReadImageFile(const std::string& path, RasterImage& image) {
    const std::optional<ImageFileFormat> format = ImageFileFormatForPath(path);
    if (!format) return ReadFailure(path, UnknownExtension());
    errno = 0;
    FileStream file(OpenFileForReading(path));
    if (!file) return ReadFailure(path, errno != 0 ? std::strerror(errno) : "cannot open the file");
    try {
        if (std::string problem = Decode(file.get(), *format, image); !problem.empty())
            return ReadFailure(path, problem);
    } catch (const std::bad_alloc&) {
        return ReadFailure(path, "out of memory");
    }
    return {};
}

ImageFileStatus WriteImageFile(const std::string& path, const RasterImage& image, const ImageWriteOptions& options) {
    const std::optional<ImageFileFormat> format = ImageFileFormatForPath(path);
    if (!format) return WriteFailure(path, UnknownExtension());
    if (!image.IsConsistent()) return WriteFailure(path, "the image has no pixels or an inconsistent size");
    try {
        ReplacingOutputFile output(path);
        if (std::string problem = output.Open(); !problem.empty()) return WriteFailure(path, problem);
        if (std::string problem = Encode(output.Stream(), *format, image, options); !problem.empty())
            return WriteFailure(path, problem);
        if (std::string problem = output.Commit(); !problem.empty()) return WriteFailure(path, problem);
    } catch (const std::bad_alloc&) {
        return WriteFailure(path, "out of memory");
    }
    return {};
}
