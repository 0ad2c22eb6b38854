#include "cli/ApplyFile.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "cli/CommandOptions.h"
#include "cli/FamilyModuleCheck.h"
#include "host/FilterFactory.h"
#include "image/Parallel.h"
#include "imagefiles/ImageFiles.h"
#include "parametertext/ContentPaths.h"
#include "parametertext/ParameterDescriptions.h"
#include "platform/DataFolder.h"
#include "platform/FileSystemPath.h"

namespace {

std::string SizeText(int32_t width, int32_t height) { return std::to_string(width) + "x" + std::to_string(height); }

// Reads an image file; its error is the problem when it cannot.
bool ReadImage(const std::string& path, RasterImage& image, std::string& problem) {
    const ImageFileStatus status = ReadImageFile(path, image);
    if (!status.Ok()) problem = status.error;
    return status.Ok();
}

// Without a data folder (a program copied away from its data) the content
// files the chosen values name are looked for before the run, so that the
// message says where the data was looked for instead of the reader's
// "could not be opened".
bool ContentFilesPresent(const Filter& effect, const ApplyOptions& options, const CommandStreams& streams,
                         std::string& problem) {
    if (!FindDataFolder().found.empty()) return true;
    auto block = std::make_unique<ParameterBlock>();
    ParameterSet set;
    ChosenValues chosen;
    std::string unused;
    // Values the record cannot keep (lengths in per cent) are the run's to judge.
    if (!ChosenRecord(effect, options.parameters, SettingsFoldersOf(streams), *block, set, chosen, unused)) return true;
    for (const ParameterDescription& description : DescribeParameters(set)) {
        std::string fullPath;
        if (description.shape.kind != KeyKind::ContentPath || description.value.empty() ||
            FindContentFile(description.value, fullPath, unused))
            continue;
        problem = "no content file " + description.value + " for " + effect.InternalName() +
                  ": no folder with Content or Settings in " + DataFolderPlaces();
        return false;
    }
    return true;
}

}  // namespace

bool ParseApplyOption(const std::vector<std::string>& args, std::size_t& i, ApplyOptions& options, bool& matched,
                      std::string& problem) {
    matched = args[i] == "--quiet" || args[i] == "-q";
    if (matched) {
        options.quiet = true;
        return true;
    }
    std::string value;
    if (!NonEmptyOptionValue(args, i, "--mask", "a file", value, matched, problem)) return false;
    if (matched) {
        options.mask = value;
        return true;
    }
    if (!NonEmptyOptionValue(args, i, "--plugin", "a plug-in module", value, matched, problem)) return false;
    if (matched) {
        options.plugin = value;
        return true;
    }
    matched = args[i] == "--timings";
    if (matched) {
        options.timings = true;
        return true;
    }
    if (!OptionValue(args, i, "--threads", value, matched, problem)) return false;
    if (matched) return ParseThreadCount(value, options.threads, problem);
    if (!OptionValue(args, i, "--png-compression", value, matched, problem)) return false;
    if (matched) return ParsePngCompression(value, options.writeOptions.png, problem);
    if (!OptionValue(args, i, "--quality", value, matched, problem)) return false;
    if (matched) return ParseJpegQuality(value, options.writeOptions.jpegQuality, problem);
    if (!OptionValue(args, i, "--format", value, matched, problem)) return false;
    if (matched) {
        options.format = ImageFileFormatForName(value);
        if (!options.format) problem = "--format needs png, jpg or tif, got '" + value + "'";
        return options.format.has_value();
    }
    return ParseParameterOption(args, i, options.parameters, matched, problem);
}

bool ParseThreadCount(const std::string& text, int32_t& threads, std::string& problem) {
    char* end = nullptr;
    const long count = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end != text.c_str() + text.size() || count < 1 || count > kMostParallelThreads) {
        problem =
            "--threads needs a whole number from 1 to " + std::to_string(kMostParallelThreads) + ", got '" + text + "'";
        return false;
    }
    threads = static_cast<int32_t>(count);
    return true;
}

bool ParsePngCompression(const std::string& text, PngCompression& compression, std::string& problem) {
    if (text == "fast") {
        compression = PngCompression::Fast;
    } else if (text == "smallest") {
        compression = PngCompression::Smallest;
    } else {
        problem = "--png-compression needs fast or smallest, got '" + text + "'";
        return false;
    }
    return true;
}

bool ParseJpegQuality(const std::string& text, int& quality, std::string& problem) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end != text.c_str() + text.size() || value < 1 || value > 100) {
        problem = "--quality needs a whole number from 1 to 100, got '" + text + "'";
        return false;
    }
    quality = static_cast<int>(value);
    return true;
}

bool PrepareApply(const std::string& effect, const ApplyOptions& options, const CommandStreams& streams,
                  ApplySetup& setup, std::string& problem) {
    if (!FindEffect(effect, setup.choice)) {
        problem = "unknown effect '" + effect + "' (see dapple effects)";
        return false;
    }
    if (!ChosenDescriptor(*setup.choice.filter, options.parameters, SettingsFoldersOf(streams), setup.descriptor,
                          setup.chosen, problem))
        return false;
    if (!ContentFilesPresent(*setup.choice.filter, options, streams, problem)) return false;
    if (options.plugin.empty()) return true;
    setup.plugin = LoadPluginModule(options.plugin, problem);
    if (setup.plugin == nullptr) return false;
    if (!PluginModuleRunsEffect(setup.plugin->Properties(), setup.choice.kind, setup.choice.filter->InternalName(),
                                problem)) {
        problem = "cannot run " + options.plugin + ": " + problem;
        return false;
    }
    return true;
}

bool ReadApplyInput(const std::string& path, ImageFile& input, std::ostream& err, std::string& problem,
                    const ImageFileProgress& progress) {
    std::error_code error;
    if (path != "-" && std::filesystem::is_directory(PathFromUtf8(path), error)) {
        problem = path + ": is a folder, not a picture";
        return false;
    }
    const ImageFileStatus status = ReadImageFile(path, input, progress);
    if (!status.Ok()) {
        problem = status.error;
        return false;
    }
    for (const std::string& note : status.notes) err << "dapple: " << note << '\n';
    const RasterImage& image = input.image;
    if (image.width > INT16_MAX || image.height > INT16_MAX) {
        problem = path + " is " + SizeText(image.width, image.height) +
                  "; the largest image an effect takes is 32767 pixels on a side";
        return false;
    }
    return true;
}

bool ReadApplyMask(const std::string& path, RasterImage& mask, std::string& problem) {
    if (!ReadImage(path, mask, problem)) return false;
    if (mask.channels != 1) {
        problem = "mask " + path + " must be a grey image without alpha";
        return false;
    }
    if (std::all_of(mask.pixels.begin(), mask.pixels.end(), [](uint8_t v) { return v == 0; })) {
        problem = "mask " + path + " selects no pixels";
        return false;
    }
    return true;
}

bool MaskFitsInput(const std::string& maskPath, const RasterImage& mask, const RasterImage& input,
                   std::string& problem) {
    if (mask.width == input.width && mask.height == input.height) return true;
    problem = "mask " + maskPath + " is " + SizeText(mask.width, mask.height) + " but the input is " +
              SizeText(input.width, input.height);
    return false;
}

bool ParametersForPicture(const ApplyOptions& options, int32_t shorterSide, const CommandStreams& streams,
                          ApplySetup& setup, std::string& problem) {
    // Only a length in per cent reads differently once the picture is known.
    if (!setup.chosen.ofPicture) {
        PrintWarnings(setup.chosen.warnings, streams);
        return true;
    }
    DescriptorStore descriptor;
    ChosenValues chosen;
    chosen.shorterSide = shorterSide;
    if (!ChosenDescriptor(*setup.choice.filter, options.parameters, SettingsFoldersOf(streams), descriptor, chosen,
                          problem))
        return false;
    PrintWarnings(chosen.warnings, streams);
    setup.descriptor = std::move(descriptor);
    setup.chosen = std::move(chosen);
    return true;
}

void PrintWarnings(const std::vector<std::string>& warnings, const CommandStreams& streams) {
    for (const std::string& warning : warnings) streams.err << "dapple: warning: " << warning << '\n';
}

std::vector<std::string> OtherInputs(const ApplyOptions& options, const ApplySetup& setup) {
    std::vector<std::string> inputs = setup.chosen.files;
    if (!options.mask.empty()) inputs.push_back(options.mask);
    if (!options.parameters.settings.empty()) inputs.push_back(options.parameters.settings);
    return inputs;
}

bool OutputIsNoInput(const std::string& output, const std::vector<std::string>& inputs, std::string& problem) {
    namespace fs = std::filesystem;
    for (const std::string& input : inputs) {
        std::error_code error;
        if (!fs::equivalent(PathFromUtf8(output), PathFromUtf8(input), error)) continue;
        problem = "the output " + output + " is also an input of the command (" + input +
                  "); it is kept as it is: write the result to another file";
        return false;
    }
    return true;
}
