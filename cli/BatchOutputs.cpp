#include "cli/BatchOutputs.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "platform/FileSystemPath.h"

namespace fs = std::filesystem;

namespace {

const char* ExtensionOf(ImageFileFormat format) {
    switch (format) {
        case ImageFileFormat::Png: return ".png";
        case ImageFileFormat::Jpeg: return ".jpg";
        default: return ".tif";
    }
}

// One spelling per file, so that "out/a.png" and "./out/a.png" are the same.
std::string Canonical(const std::string& path) {
    std::error_code error;
    const fs::path given = PathFromUtf8(path);
    const fs::path absolute = fs::absolute(given, error);
    return Utf8FromPath((error ? given : absolute).lexically_normal());
}

}  // namespace

std::string BatchOutputPath(const std::string& input, const BatchNaming& naming) {
    const fs::path source = PathFromUtf8(input);
    const std::string extension = naming.format ? ExtensionOf(*naming.format) : Utf8FromPath(source.extension());
    const std::string name = Utf8FromPath(source.stem()) + naming.suffix + extension;
    return Utf8FromPath(PathFromUtf8(naming.folder) / PathFromUtf8(name));
}

std::vector<BatchFile> PlanBatch(const std::vector<std::string>& inputs, const BatchNaming& naming, bool overwrite) {
    std::vector<BatchFile> files;
    std::map<std::string, std::size_t> firstWriter;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        BatchFile file;
        file.input = inputs[i];
        file.output = BatchOutputPath(inputs[i], naming);
        const auto [earlier, isNew] = firstWriter.emplace(Canonical(file.output), i);
        std::error_code error;
        if (!isNew) {
            file.state = BatchFileState::SameOutput;
            file.sameAs = earlier->second;
        } else if (!overwrite && fs::exists(PathFromUtf8(file.output), error)) {
            file.state = BatchFileState::Exists;
        }
        files.push_back(std::move(file));
    }
    return files;
}
