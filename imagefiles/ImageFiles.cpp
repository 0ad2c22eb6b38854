#include "imagefiles/ImageFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "base/AsciiCase.h"
#include "imagefiles/ExifData.h"
#include "imagefiles/ImageFilesCodecs.h"
#include "imagefiles/ImageFilesOutput.h"
#include "imagefiles/ImageOrientation.h"
#include "platform/FileStreams.h"
#include "platform/FileSystemPath.h"

namespace {

constexpr char kStandardStream[] = "-";
// An ICC profile starts with a 128-byte header and a tag count.
constexpr std::size_t kProfileHeaderBytes = 132;

std::string ShownName(const std::string& path) { return path == kStandardStream ? "standard input" : path; }

ImageFileStatus ReadFailure(const std::string& path, const std::string& detail) {
    return {"cannot read \"" + ShownName(path) + "\": " + detail, {}};
}

ImageFileStatus WriteFailure(const std::string& path, const std::string& detail) {
    const std::string name = path == kStandardStream ? "standard output" : path;
    return {"cannot write \"" + name + "\": " + detail, {}};
}

// The format the file's first bytes announce, or nothing.
std::optional<ImageFileFormat> SniffFormat(const uint8_t* head, std::size_t length) {
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    static const uint8_t kJpeg[3] = {0xff, 0xd8, 0xff};
    static const uint8_t kTiffLittle[4] = {'I', 'I', 42, 0};
    static const uint8_t kTiffBig[4] = {'M', 'M', 0, 42};
    auto starts = [head, length](const uint8_t* signature, std::size_t size) {
        return length >= size && std::memcmp(head, signature, size) == 0;
    };
    if (starts(kPng, sizeof kPng)) return ImageFileFormat::Png;
    if (starts(kJpeg, sizeof kJpeg)) return ImageFileFormat::Jpeg;
    if (starts(kTiffLittle, sizeof kTiffLittle) || starts(kTiffBig, sizeof kTiffBig)) return ImageFileFormat::Tiff;
    return std::nullopt;
}

// The whole stream, or what went wrong.
std::string ReadAll(std::FILE* stream, std::vector<uint8_t>& bytes) {
    constexpr std::size_t kPiece = std::size_t(1) << 20;
    uint64_t length = 0;
    if (FileLength(stream, length) && length > 0 && length < (uint64_t(1) << 40)) bytes.reserve(length);
    for (;;) {
        const std::size_t old = bytes.size();
        bytes.resize(old + kPiece);
        errno = 0;
        const std::size_t got = std::fread(bytes.data() + old, 1, kPiece, stream);
        bytes.resize(old + got);
        if (got < kPiece) break;
    }
    if (std::ferror(stream)) return errno != 0 ? std::strerror(errno) : "read error";
    return {};
}

// A profile whose header states its own length and carries the profile signature.
bool ProfileIsSound(const std::vector<uint8_t>& profile) {
    if (profile.size() < kProfileHeaderBytes) return false;
    const uint32_t stated =
        uint32_t(profile[0]) << 24 | uint32_t(profile[1]) << 16 | uint32_t(profile[2]) << 8 | uint32_t(profile[3]);
    return stated == profile.size() && std::memcmp(profile.data() + 36, "acsp", 4) == 0;
}

// Damaged metadata left out with a note; the picture turned upright and its
// EXIF made to say so; the resolution EXIF gives when the file's own fields give none.
void SettleMetadata(DecodedImage& decoded) {
    ImageMetadata& metadata = decoded.metadata;
    if (!metadata.iccProfile.empty() && !ProfileIsSound(metadata.iccProfile)) {
        metadata.iccProfile.clear();
        decoded.notes.push_back("its colour profile is damaged and is left out");
    }
    if (!metadata.exif.empty() && !ExifIsReadable(metadata.exif)) {
        metadata.exif.clear();
        decoded.notes.push_back("its EXIF data is damaged and is left out");
    }
    const int orientation = decoded.orientation != 0 ? decoded.orientation : ExifOrientation(metadata.exif);
    if (orientation != 1) decoded.image = OrientedAsShown(decoded.image, orientation);
    ClearExifOrientation(metadata.exif);
    if (metadata.pixelsPerInch <= 0.0) metadata.pixelsPerInch = ExifPixelsPerInch(metadata.exif);
}

std::string Decode(const uint8_t* data, std::size_t size, DecodedImage& decoded, const ImageFileProgress& progress) {
    if (size == 0) return "the file is empty";
    const std::optional<ImageFileFormat> format = SniffFormat(data, size);
    if (!format) return "not a PNG, JPEG or TIFF file";
    switch (*format) {
        case ImageFileFormat::Png: return DecodePng(data, size, decoded, progress);
        case ImageFileFormat::Jpeg: return DecodeJpeg(data, size, decoded, progress);
        default: return DecodeTiff(data, size, decoded, progress);
    }
}

std::string Encode(std::FILE* file, ImageFileFormat format, const RasterImage& image, const ImageMetadata& metadata,
                   const ImageWriteOptions& options, std::vector<std::string>& notes) {
    switch (format) {
        case ImageFileFormat::Png: return EncodePng(file, image, metadata, options, notes);
        case ImageFileFormat::Jpeg: return EncodeJpeg(file, image, metadata, options, notes);
        default: return EncodeTiff(file, image, metadata, options, notes);
    }
}

std::vector<std::string> NotesNaming(const std::string& name, const std::vector<std::string>& notes) {
    std::vector<std::string> lines;
    for (const std::string& note : notes) lines.push_back(name + ": " + note);
    return lines;
}

}  // namespace

const char* ImageSizeProblem(uint64_t width, uint64_t height, uint64_t maxPixels) {
    if (width == 0 || height == 0) return "the image has no pixels";
    if (width > INT32_MAX || height > INT32_MAX || width * height > maxPixels)
        return maxPixels == kMaxRasterPixels ? "the image is too large (more than 268435456 pixels)"
                                             : "the image is too large";
    return nullptr;
}

std::optional<ImageFileFormat> ImageFileFormatForName(const std::string& name) {
    const std::string lower = LowerCase(name);
    if (lower == "png") return ImageFileFormat::Png;
    if (lower == "jpg" || lower == "jpeg") return ImageFileFormat::Jpeg;
    if (lower == "tif" || lower == "tiff") return ImageFileFormat::Tiff;
    return std::nullopt;
}

std::optional<ImageFileFormat> ImageFileFormatForPath(const std::string& path) {
    const std::string extension = Utf8FromPath(PathFromUtf8(path).extension());
    if (extension.size() < 2) return std::nullopt;
    return ImageFileFormatForName(extension.substr(1));
}

ImageFileStatus DecodeImageFile(const uint8_t* data, std::size_t size, const std::string& name, ImageFile& file,
                                const ImageFileProgress& progress, uint64_t maxPixels) {
    try {
        DecodedImage decoded;
        decoded.maxPixels = maxPixels;
        if (std::string problem = Decode(data, size, decoded, progress); !problem.empty())
            return ReadFailure(name, problem);
        SettleMetadata(decoded);
        file.image = std::move(decoded.image);
        file.metadata = std::move(decoded.metadata);
        return {{}, NotesNaming(ShownName(name), decoded.notes)};
    } catch (const std::bad_alloc&) {
        return ReadFailure(name, "out of memory");
    }
}

ImageFileStatus ReadImageFile(const std::string& path, ImageFile& file, const ImageFileProgress& progress) {
    std::vector<uint8_t> bytes;
    try {
        errno = 0;
        FileStream opened(path == kStandardStream ? nullptr : OpenFileForReading(path));
        std::FILE* stream = path == kStandardStream ? BinaryStandardInput() : opened.get();
        if (stream == nullptr) return ReadFailure(path, errno != 0 ? std::strerror(errno) : "cannot open the file");
        if (std::string problem = ReadAll(stream, bytes); !problem.empty()) return ReadFailure(path, problem);
    } catch (const std::bad_alloc&) {
        return ReadFailure(path, "out of memory");
    }
    return DecodeImageFile(bytes.data(), bytes.size(), path, file, progress);
}

ImageFileStatus ReadImageFile(const std::string& path, RasterImage& image) {
    ImageFile file;
    ImageFileStatus status = ReadImageFile(path, file);
    if (status.Ok()) image = std::move(file.image);
    return status;
}

ImageFileStatus WriteImageFile(const std::string& path, ImageFileFormat format, const RasterImage& image,
                               const ImageMetadata& metadata, const ImageWriteOptions& options) {
    if (!image.IsConsistent()) return WriteFailure(path, "the image has no pixels or an inconsistent size");
    std::vector<std::string> notes;
    try {
        if (path == kStandardStream) {
            std::FILE* out = BinaryStandardOutput();
            if (std::string problem = Encode(out, format, image, metadata, options, notes); !problem.empty())
                return WriteFailure(path, problem);
            if (std::fflush(out) != 0 || std::ferror(out)) return WriteFailure(path, "write error");
        } else {
            ReplacingOutputFile output(path);
            if (std::string problem = output.Open(); !problem.empty()) return WriteFailure(path, problem);
            if (std::string problem = Encode(output.Stream(), format, image, metadata, options, notes);
                !problem.empty())
                return WriteFailure(path, problem);
            if (std::string problem = output.Commit(); !problem.empty()) return WriteFailure(path, problem);
        }
    } catch (const std::bad_alloc&) {
        return WriteFailure(path, "out of memory");
    }
    return {{}, NotesNaming(path == kStandardStream ? "standard output" : path, notes)};
}

ImageFileStatus WriteImageFile(const std::string& path, const RasterImage& image, const ImageWriteOptions& options) {
    const std::optional<ImageFileFormat> format = ImageFileFormatForPath(path);
    if (!format) return WriteFailure(path, "unknown image file type (use .png, .jpg, .jpeg, .tif or .tiff)");
    return WriteImageFile(path, *format, image, ImageMetadata(), options);
}
