// dapple inspect FILE [--json]: what a content file holds, as the effects'
// readers see it. FILE is found as the effects' content files are
// (parametertext/ContentPaths.h). The reader is chosen by the file's
// extension (.tub and .rfr picture tubes and frames, .ptl tile libraries,
// .jpg and .jpeg textures), or by its first bytes for any other name. The
// whole file is read, every tile and layer included, so that a file the
// effects would refuse is refused here, with the reader's own message.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/AsciiCase.h"
#include "cli/Command.h"
#include "cli/JsonText.h"
#include "content/ContentMessages.h"
#include "content/JpegLoader.h"
#include "content/PspFileReader.h"
#include "content/PspFormat.h"
#include "content/TileLibrary.h"
#include "content/TileLibraryFormat.h"
#include "content/TubeCellGrid.h"
#include "parametertext/ContentPaths.h"
#include "platform/FileStreams.h"
#include "platform/LocalPath.h"
#include "platform/ResourceStrings.h"

namespace {

enum class ContentKind { Unknown, PictureTube, TileLibrary, Jpeg };

std::string LowercaseExtension(const std::string& path) {
    const size_t dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.') return {};
    return LowerCase(path.substr(dot));
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

// What a reader found: its fields in order, each a name and a text, and
// whether the text is a number (for JSON).
struct Field {
    std::string name;
    std::string text;
    bool number = false;
};
using Fields = std::vector<Field>;

Field Text(std::string name, std::string text) { return Field{std::move(name), std::move(text), false}; }
Field Number(std::string name, int64_t value) { return Field{std::move(name), std::to_string(value), true}; }

// The reader's refusal as the user would see it, naming the file.
int Refused(const std::string& path, const ResultCode& result, const CommandStreams& streams) {
    streams.err << "dapple: " << LocalPath(path) << ": ";
    if (result.messageId != 0)
        streams.err << LoadResourceString(result.messageId) << "\n";
    else if (result.status == ResultCode::kOutOfMemory)
        streams.err << "out of memory\n";
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

int InspectPictureTube(const std::string& path, Fields& fields, const CommandStreams& streams) {
    VtFile file;
    if (!file.Open(path)) return Refused(path, ResultCode::Failure(kContentFileUnopenable), streams);
    PspFileReader reader(file);
    ResultCode result = reader.open();
    if (result.IsFailure()) return Refused(path, result, streams);
    std::unique_ptr<Image<unsigned char>> image =
        NewImage(ChannelLayout(kColourModelRGB, 3, true), reader.width(), reader.height(), result);
    if (image) result = reader.readImage(*image, nullptr, 0.0, 1.0);
    if (result.IsFailure()) return Refused(path, result, streams);

    const TubeCellGrid grid(reader.columns(), reader.rows(), reader.width(), reader.height());
    const Image<unsigned char>* preview = reader.previewComposite();
    fields = {Text("kind", "picture tube (Paint Shop Pro file)"),
              Number("format version", reader.isVersion5() ? 5 : 3),
              Number("width", reader.width()),
              Number("height", reader.height()),
              Number("columns", reader.columns()),
              Number("rows", reader.rows()),
              Text("cell size", std::to_string(grid.CellWidth()) + " x " + std::to_string(grid.CellHeight())),
              Text("preview composite", preview != nullptr ? "yes, " + std::to_string(preview->Width()) + " x " +
                                                                 std::to_string(preview->Height())
                                                           : "no")};
    return kExitSuccess;
}

int InspectTileLibrary(const std::string& path, Fields& fields, const CommandStreams& streams) {
    TileLibrary library(path);
    ResultCode result = library.open();
    if (result.IsFailure()) return Refused(path, result, streams);
    std::unique_ptr<Image<unsigned char>> tile =
        NewImage(ChannelLayout(kColourModelRGB, 3, false), library.tileWidth(), library.tileHeight(), result);
    for (size_t i = 0; tile && i < library.directory().size() && result.IsSuccess(); ++i)
        result = library.readTile(library.directory()[i].dataOffset, *tile, nullptr, nullptr, 0.0, 1.0);
    if (result.IsFailure()) return Refused(path, result, streams);
    fields = {Text("kind", "tile library"), Number("tile count", library.tileCount()),
              Text("tile size", std::to_string(library.tileWidth()) + " x " + std::to_string(library.tileHeight())),
              Text("thumbnail size",
                   std::to_string(library.thumbnailWidth()) + " x " + std::to_string(library.thumbnailHeight()))};
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

int InspectJpeg(const std::string& path, Fields& fields, const CommandStreams& streams) {
    if (!FileStream(OpenFileForReading(path)))
        return Refused(path, ResultCode::Failure(kContentFileUnopenable), streams);
    std::unique_ptr<Image<unsigned char>> image;
    const ResultCode result = LoadJpegFile(path, image, nullptr, 0.0, 1.0);
    if (result.IsFailure()) return Refused(path, result, streams);
    fields = {Text("kind", "JPEG image"), Text("colour space", ColourSpaceName(image->layout.colourModel)),
              Number("components", image->layout.channelCount),
              Text("size", std::to_string(image->Width()) + " x " + std::to_string(image->Height())),
              Text("texture content", CheckJpegContent(path).IsSuccess() ? "yes" : "no, not one-channel grey")};
    return kExitSuccess;
}

void Print(const std::string& path, const Fields& fields, OutputStyle style, std::ostream& out) {
    if (style == OutputStyle::Lines) {
        for (const Field& field : fields) out << field.name << ": " << field.text << '\n';
        return;
    }
    out << "{\"file\": " << JsonString(LocalPath(path));
    for (const Field& field : fields) {
        std::string key = field.name;
        for (std::size_t space = key.find(' '); space != std::string::npos; space = key.find(' ')) {
            key.erase(space, 1);
            if (space < key.size())
                key[space] = static_cast<char>(std::toupper(static_cast<unsigned char>(key[space])));
        }
        out << ", " << JsonString(key) << ": " << (field.number ? field.text : JsonString(field.text));
    }
    out << "}\n";
}

}  // namespace

int RunInspectCommand(const std::string& file, OutputStyle style, const CommandStreams& streams) {
    std::string path;
    std::string problem;
    if (!FindContentFile(file, path, problem)) {
        streams.err << "dapple: " << problem << "\n";
        return kExitUsage;
    }
    Fields fields;
    int code = kExitUsage;
    switch (KindOf(path)) {
        case ContentKind::PictureTube: code = InspectPictureTube(path, fields, streams); break;
        case ContentKind::TileLibrary: code = InspectTileLibrary(path, fields, streams); break;
        case ContentKind::Jpeg: code = InspectJpeg(path, fields, streams); break;
        case ContentKind::Unknown:
            streams.err
                << "dapple: " << LocalPath(path)
                << ": no content file (picture tube .tub, frame .rfr, tile library .ptl or JPEG texture .jpg)\n";
            return kExitUsage;
    }
    if (code == kExitSuccess) Print(path, fields, style, streams.out);
    return code;
}
