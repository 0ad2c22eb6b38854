// dapple inspect FILE: what a content file holds, as the effects' readers see
// it. The reader is chosen by the file's extension (.tub and .rfr picture
// tubes and frames, .ptl tile libraries, .jpg and .jpeg textures), or by its
// first bytes for any other name. The whole file is read, every tile and
// layer included, so that a file the effects would refuse is refused here,
// with the reader's own message.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>

#include "cli/Command.h"
#include "content/ContentMessages.h"
#include "content/JpegLoader.h"
#include "content/PspFileReader.h"
#include "content/PspFormat.h"
#include "content/TileLibrary.h"
#include "content/TileLibraryFormat.h"
#include "content/TubeCellGrid.h"
#include "platform/FileStreams.h"
#include "platform/ResourceStrings.h"

namespace {

enum class ContentKind { Unknown, PictureTube, TileLibrary, Jpeg };

std::string LowercaseExtension(const std::string& path) {
    const size_t dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.') return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

ContentKind KindOfFirstBytes(const std::string& path) {
    char head[32] = {};
    FileStream file(OpenFileForReading(path));
    const size_t length = file ? std::fread(head, 1, sizeof head, file.get()) : 0;
    if (length >= 3 && static_cast<unsigned char>(head[0]) == 0xFF && static_cast<unsigned char>(head[1]) == 0xD8 &&
        static_cast<unsigned char>(head[2]) == 0xFF)
        return ContentKind::Jpeg;
    if (length == 32 && std::memcmp(head, psp::kSignature, sizeof psp::kSignature) == 0)
        return ContentKind::PictureTube;
    const size_t signatureLength = sizeof kTileLibrarySignature - 1;
    if (length > signatureLength && std::memcmp(head, kTileLibrarySignature, signatureLength) == 0)
        return ContentKind::TileLibrary;
    return ContentKind::Unknown;
}

ContentKind KindOf(const std::string& path) {
    const std::string extension = LowercaseExtension(path);
    if (extension == ".tub" || extension == ".rfr") return ContentKind::PictureTube;
    if (extension == ".ptl") return ContentKind::TileLibrary;
    if (extension == ".jpg" || extension == ".jpeg") return ContentKind::Jpeg;
    return KindOfFirstBytes(path);
}

// The reader's refusal as the user would see it.
int Refused(const ResultCode& result, const CommandStreams& streams) {
    if (result.messageId != 0)
        streams.err << LoadResourceString(result.messageId) << "\n";
    else if (result.status == ResultCode::kOutOfMemory)
        streams.err << "dapple: out of memory\n";
    else
        streams.err << LoadResourceString(kContentFileDamaged) << "\n";
    return kExitFailed;
}

std::unique_ptr<Image<unsigned char>> NewImage(const ChannelLayout& layout, int32_t width, int32_t height,
                                               ResultCode& result) {
    auto image = std::make_unique<Image<unsigned char>>(layout, Rect(0, 0, height, width), result);
    if (result.IsFailure()) image.reset();
    return image;
}

int InspectPictureTube(const std::string& path, const CommandStreams& streams) {
    VtFile file;
    if (!file.Open(path)) return Refused(ResultCode::Failure(kContentFileUnopenable), streams);
    PspFileReader reader(file);
    ResultCode result = reader.open();
    if (result.IsFailure()) return Refused(result, streams);
    std::unique_ptr<Image<unsigned char>> image =
        NewImage(ChannelLayout(kColourModelRGB, 3, true), reader.width(), reader.height(), result);
    if (image) result = reader.readImage(*image, nullptr, 0.0, 1.0);
    if (result.IsFailure()) return Refused(result, streams);

    const TubeCellGrid grid(reader.columns(), reader.rows(), reader.width(), reader.height());
    const Image<unsigned char>* preview = reader.previewComposite();
    streams.out << "kind: picture tube (Paint Shop Pro file)\n"
                << "format version: " << (reader.isVersion5() ? 5 : 3) << "\n"
                << "width: " << reader.width() << "\n"
                << "height: " << reader.height() << "\n"
                << "columns: " << reader.columns() << "\n"
                << "rows: " << reader.rows() << "\n"
                << "cell size: " << grid.CellWidth() << " x " << grid.CellHeight() << "\n"
                << "preview composite: ";
    if (preview != nullptr)
        streams.out << "yes, " << preview->Width() << " x " << preview->Height() << "\n";
    else
        streams.out << "no\n";
    return kExitSuccess;
}

int InspectTileLibrary(const std::string& path, const CommandStreams& streams) {
    TileLibrary library(path);
    ResultCode result = library.open();
    if (result.IsFailure()) return Refused(result, streams);
    std::unique_ptr<Image<unsigned char>> tile =
        NewImage(ChannelLayout(kColourModelRGB, 3, false), library.tileWidth(), library.tileHeight(), result);
    for (size_t i = 0; tile && i < library.directory().size() && result.IsSuccess(); ++i)
        result = library.readTile(library.directory()[i].dataOffset, *tile, nullptr, nullptr, 0.0, 1.0);
    if (result.IsFailure()) return Refused(result, streams);
    streams.out << "kind: tile library\n"
                << "tile count: " << library.tileCount() << "\n"
                << "tile size: " << library.tileWidth() << " x " << library.tileHeight() << "\n"
                << "thumbnail size: " << library.thumbnailWidth() << " x " << library.thumbnailHeight() << "\n";
    return kExitSuccess;
}

const char* ColourSpaceName(int32_t model) {
    switch (model) {
        case kColourModelGrey: return "grey";
        case kColourModelRGB: return "RGB";
        case kColourModelCMYK: return "CMYK";
        default: return "other";
    }
}

int InspectJpeg(const std::string& path, const CommandStreams& streams) {
    if (!FileStream(OpenFileForReading(path))) return Refused(ResultCode::Failure(kContentFileUnopenable), streams);
    std::unique_ptr<Image<unsigned char>> image;
    const ResultCode result = LoadJpegFile(path, image, nullptr, 0.0, 1.0);
    if (result.IsFailure()) return Refused(result, streams);
    streams.out << "kind: JPEG image\n"
                << "colour space: " << ColourSpaceName(image->layout.colourModel) << "\n"
                << "components: " << image->layout.channelCount << "\n"
                << "size: " << image->Width() << " x " << image->Height() << "\n"
                << "texture content: " << (CheckJpegContent(path).IsSuccess() ? "yes" : "no, not one-channel grey")
                << "\n";
    return kExitSuccess;
}

}  // namespace

int RunInspectCommand(const std::string& path, const CommandStreams& streams) {
    switch (KindOf(path)) {
        case ContentKind::PictureTube: return InspectPictureTube(path, streams);
        case ContentKind::TileLibrary: return InspectTileLibrary(path, streams);
        case ContentKind::Jpeg: return InspectJpeg(path, streams);
        case ContentKind::Unknown: break;
    }
    streams.err << "dapple: \"" << path
                << "\" is no content file (picture tube .tub, frame .rfr, tile library .ptl or JPEG texture .jpg)\n";
    return kExitUsage;
}
