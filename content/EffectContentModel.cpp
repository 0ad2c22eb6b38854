#include "content/EffectContentModel.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "content/ContentKind.h"
#include "content/ContentValidation.h"
#include "content/JpegLoader.h"
#include "content/PspFileReader.h"
#include "content/TileLibrary.h"
#include "content/VtFile.h"
#include "platform/FileSystemEntries.h"

static_assert(sizeof(ContentRecord) == sizeof(ContentReference), "the chooser's record is a content reference");

namespace {

ContentReference ReferenceOf(const ContentRecord& record) {
    ContentReference reference;
    std::memcpy(&reference, record.data(), sizeof reference);
    return reference;
}

// A copy of `source` (three channels) in `picture`.
bool CopyPicture(const Image<unsigned char>& source, int32_t width, int32_t height, Image<unsigned char>& picture) {
    ResultCode result;
    Image<unsigned char> copy(ChannelLayout(kColourModelRGB, 3, false), Rect(0, 0, height, width), result);
    if (result.IsFailure()) return false;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const unsigned char* from = source.PixelAddress(Point{x, y});
            unsigned char* to = copy.PixelAddress(Point{x, y});
            const bool grey = source.layout.channelCount < 3;
            for (int c = 0; c < 3; ++c) to[c] = grey ? from[0] : from[c];
        }
    }
    picture = std::move(copy);
    return true;
}

bool TubePreview(const std::string& path, Image<unsigned char>& picture) {
    VtFile file;
    if (!file.Open(path)) return false;
    PspFileReader reader(file);
    if (reader.open().IsFailure() || reader.previewComposite() == nullptr) return false;
    const Image<unsigned char>& composite = *reader.previewComposite();
    return CopyPicture(composite, composite.Width(), composite.Height(), picture);
}

bool TileLibraryPreview(const std::string& path, Image<unsigned char>& picture) {
    TileLibrary library(path);
    if (library.open().IsFailure() || library.preview() == nullptr) return false;
    const Image<unsigned char>& preview = *library.preview();
    return CopyPicture(preview, preview.Width(), preview.Height(), picture);
}

bool TexturePreview(const std::string& path, Image<unsigned char>& picture) {
    std::unique_ptr<Image<unsigned char>> texture;
    if (LoadJpegFile(path, texture, nullptr, 0.0, 1.0).IsFailure()) return false;
    constexpr int32_t kMostPreview = 100;
    return CopyPicture(*texture, std::min(texture->Width(), kMostPreview), std::min(texture->Height(), kMostPreview),
                       picture);
}

}  // namespace

ContentChooserKind EffectContentModel::Kind() {
    ContentChooserKind chooser;
    const ContentKind* content = FindContentKind(kind_);
    if (content == nullptr) return chooser;
    chooser.pattern = content->pattern;
    chooser.defaultExtension = content->defaultExtension;
    chooser.captionId = content->captionId;
    chooser.filterNameId = content->filterNameId;
    chooser.chooserHelpId = content->chooserHelpId;
    chooser.nameHelpId = content->nameHelpId;
    return chooser;
}

ResultCode EffectContentModel::Resolve(const ContentRecord& record, std::string& fullPath) {
    if (!folders_) return ResultCode::Failure();
    fullPath = folders_->resolve(ReferenceOf(record));
    return ResultCode::Success();
}

ResultCode EffectContentModel::Store(const std::string& fullPath, ContentRecord& record) {
    if (!folders_) return ResultCode::Failure();
    ContentReference reference = ReferenceOf(record);
    const ResultCode stored = folders_->store(fullPath, reference);
    if (stored.IsSuccess()) std::memcpy(record.data(), &reference, sizeof reference);
    return stored;
}

ResultCode EffectContentModel::Validate(const std::string& fullPath) { return validate(fullPath, kind_); }

ResultCode EffectContentModel::ContentFolder(std::string& folder) {
    if (!folders_) return ResultCode::Failure();
    folder = folders_->contentFolder();
    return ResultCode::Success();
}

ResultCode EffectContentModel::PluginFolder(std::string& folder) {
    if (!folders_) return ResultCode::Failure();
    folder = folders_->pluginFolder();
    return ResultCode::Success();
}

bool EffectContentModel::FolderExists(const std::string& folder) { return PathExists(folder); }

bool EffectContentModel::Preview(const std::string& fullPath, Image<unsigned char>& picture) {
    switch (kind_) {
        case FilterKinds::BorderStamp:
        case FilterKinds::FillStamp:
        case FilterKinds::Frame: return TubePreview(fullPath, picture);
        case FilterKinds::Patchwork: return TileLibraryPreview(fullPath, picture);
        case FilterKinds::Resurface: return TexturePreview(fullPath, picture);
        default: return false;
    }
}
