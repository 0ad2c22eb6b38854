#include "tools/contentwriters/TileLibraryWriter.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "content/LittleEndian.h"
#include "content/TileLibraryFormat.h"
#include "imagefiles/ImageFiles.h"
#include "imagefiles/ImageFilesCodecs.h"
#include "imagefiles/ImageFilesOutput.h"
#include "platform/FileStreams.h"
#include "platform/FileSystemPath.h"
#include "tools/contentwriters/RasterPictures.h"
#include "tools/contentwriters/WriteFailure.h"

namespace {

// Little-endian values into a stream; `ok` turns false on a failed write.
class ValueWriter {
public:
    explicit ValueWriter(std::FILE* stream) : stream_(stream) {}
    void Int32(int32_t value) {
        uint8_t bytes[4];
        StoreLittleEndian(bytes, static_cast<uint32_t>(value), sizeof bytes);
        Bytes(bytes, sizeof bytes);
    }
    void Bytes(const void* data, size_t count) {
        if (count != 0 && std::fwrite(data, 1, count, stream_) != count) ok = false;
    }
    bool ok = true;

private:
    std::FILE* stream_;
};

struct Sizes {
    int32_t tileWidth, tileHeight, thumbnailWidth, thumbnailHeight;
};

std::string ChooseSizes(const RasterImage& first, const TileLibraryOptions& options, Sizes& sizes) {
    sizes.tileWidth = options.tileWidth > 0 ? options.tileWidth : first.width;
    sizes.tileHeight = options.tileHeight > 0 ? options.tileHeight : first.height;
    if (sizes.tileWidth < 1 || sizes.tileHeight < 1) return "the tile size must be at least 1 x 1";
    if (options.thumbnailWidth > 0 && options.thumbnailHeight > 0) {
        sizes.thumbnailWidth = options.thumbnailWidth;
        sizes.thumbnailHeight = options.thumbnailHeight;
        return {};
    }
    const int32_t longer = std::max(sizes.tileWidth, sizes.tileHeight);
    const int32_t side = std::min(kDefaultThumbnailSide, longer);
    sizes.thumbnailWidth = std::max(1, sizes.tileWidth * side / longer);
    sizes.thumbnailHeight = std::max(1, sizes.tileHeight * side / longer);
    return {};
}

// The tile as it is stored: cut, scaled and flattened.
RasterImage TilePicture(const RasterImage& picture, const Sizes& sizes) {
    const RasterImage rgba = ToRgba(picture);
    return OverWhite(Scaled(CentredCrop(rgba, sizes.tileWidth, sizes.tileHeight), sizes.tileWidth, sizes.tileHeight));
}

bool StreamEnd(std::FILE* stream, uint64_t& end) { return std::fflush(stream) == 0 && FileLength(stream, end); }

// Writes the header and a directory of `count` empty entries, then each
// tile's JPEG stream at the end of the file and its directory entry in place.
std::string WriteLibrary(std::FILE* stream, std::size_t count, const TilePictureSource& source,
                         const TileLibraryOptions& options) {
    if (count == 0) return "no pictures to make tiles of";
    if (count > static_cast<std::size_t>(INT32_MAX)) return "too many pictures";
    RasterImage picture;
    if (std::string problem = source(0, picture); !problem.empty()) return problem;
    Sizes sizes{};
    if (std::string problem = ChooseSizes(picture, options, sizes); !problem.empty()) return problem;

    ValueWriter out(stream);
    char signature[kTileLibrarySignatureField] = {};
    std::copy_n(kTileLibrarySignature, sizeof kTileLibrarySignature - 1, signature);
    out.Bytes(signature, sizeof signature);
    for (int32_t value : {kTileLibraryVersion, 0, static_cast<int32_t>(count), sizes.tileWidth, sizes.tileHeight,
                          sizes.thumbnailWidth, sizes.thumbnailHeight})
        out.Int32(value);
    const std::size_t thumbnailBytes = static_cast<std::size_t>(sizes.thumbnailWidth) *
                                       static_cast<std::size_t>(sizes.thumbnailHeight) * kTileThumbnailChannels;
    const uint64_t entryBytes = kTileDirectoryOffsetSize + thumbnailBytes;
    const std::vector<uint8_t> emptyEntry(static_cast<std::size_t>(entryBytes));
    for (std::size_t i = 0; i < count; ++i) out.Bytes(emptyEntry.data(), emptyEntry.size());
    const uint64_t dataAreaStart = kTileLibraryHeaderSize + entryBytes * count;

    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            if (std::string problem = source(i, picture); !problem.empty()) return problem;
        if (!picture.IsConsistent()) return "a picture has no pixels";
        const RasterImage tile = TilePicture(picture, sizes);
        uint64_t start = 0;
        if (!out.ok || !StreamEnd(stream, start)) return "write error";
        if (start - dataAreaStart > static_cast<uint64_t>(INT32_MAX)) return "the tiles take more than 2 GiB";
        if (std::string problem = EncodeJpeg(stream, tile, kDefaultJpegQuality); !problem.empty()) return problem;
        uint64_t end = 0;
        if (!StreamEnd(stream, end) || !SeekFile(stream, kTileLibraryHeaderSize + entryBytes * i)) return "write error";
        out.Int32(static_cast<int32_t>(start - dataAreaStart));
        const RasterImage thumbnail = Scaled(tile, sizes.thumbnailWidth, sizes.thumbnailHeight);
        out.Bytes(thumbnail.pixels.data(), thumbnail.pixels.size());
        if (!SeekFile(stream, end)) return "write error";
    }
    return out.ok ? std::string() : "write error";
}

}  // namespace

std::string WriteTileLibrary(const std::string& path, std::size_t count, const TilePictureSource& source,
                             const TileLibraryOptions& options) {
    ReplacingOutputFile output(path);
    std::string problem = output.Open();
    if (problem.empty()) problem = WriteLibrary(output.Stream(), count, source, options);
    if (problem.empty()) problem = output.Commit();
    return problem.empty() ? problem : WriteFailure(path, problem);
}

std::string WriteTileLibrary(const std::string& path, const std::vector<RasterImage>& pictures,
                             const TileLibraryOptions& options) {
    return WriteTileLibrary(
        path, pictures.size(),
        [&pictures](std::size_t index, RasterImage& picture) {
            picture = pictures[index];
            return std::string();
        },
        options);
}

std::string WriteTileLibraryFromFolder(const std::string& path, const std::string& folder,
                                       const TileLibraryOptions& options) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(folder), error)) {
        const std::string name = Utf8FromPath(entry.path());
        if (entry.is_regular_file(error) && ImageFileFormatForPath(name)) files.push_back(name);
    }
    if (error) return "cannot read the folder \"" + folder + "\": " + error.message();
    std::sort(files.begin(), files.end());
    if (files.empty()) return "no PNG or JPEG files in \"" + folder + "\"";
    return WriteTileLibrary(
        path, files.size(),
        [&files](std::size_t index, RasterImage& picture) { return ReadImageFile(files[index], picture).error; },
        options);
}
