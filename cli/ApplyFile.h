// What both forms of `dapple apply` share: their options, the effect with its
// parameters and plug-in module, the checks of the input and the mask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/CommandEffects.h"
#include "cli/CommandParameters.h"
#include "imagefiles/ImageFiles.h"
#include "imagefiles/RasterImage.h"
#include "inprocesshost/DescriptorStore.h"
#include "inprocesshost/PluginModule.h"

// The options every form of apply takes.
struct ApplyOptions {
    std::string mask;  // empty: no mask
    ParameterChoices parameters;
    bool quiet = false;
    std::string plugin;                     // empty: the effect linked into the command
    int32_t threads = 0;                    // --threads; 0: the default (DAPPLE_THREADS, else every core)
    ImageWriteOptions writeOptions;         // --png-compression, --quality
    std::optional<ImageFileFormat> format;  // --format; nothing: the output's extension says
    bool timings = false;                   // report the time of each stage on the error stream
};

// Takes args[i] when it is one of the shared options (with its value, which
// `i` then moves to); `matched` says whether it was. False, with `problem`,
// for a malformed one.
bool ParseApplyOption(const std::vector<std::string>& args, std::size_t& i, ApplyOptions& options, bool& matched,
                      std::string& problem);

// A thread count of --threads: a whole number from 1 to kMostParallelThreads.
bool ParseThreadCount(const std::string& text, int32_t& threads, std::string& problem);
// fast or smallest.
bool ParsePngCompression(const std::string& text, PngCompression& compression, std::string& problem);
// A JPEG quality of --quality: a whole number from 1 to 100.
bool ParseJpegQuality(const std::string& text, int& quality, std::string& problem);

// What stays the same for every file of a run.
struct ApplySetup {
    EffectChoice choice;
    // The parameters as read before any picture: lengths in per cent are
    // only checked (ParametersForPicture reads them for a picture).
    DescriptorStore descriptor;
    ChosenValues chosen;
    std::unique_ptr<PluginModule> plugin;  // null: the effect linked into the command
};

// Finds the effect, reads the parameters and loads the plug-in module.
// False, with `problem` for the user, when any of them cannot be used.
bool PrepareApply(const std::string& effect, const ApplyOptions& options, const CommandStreams& streams,
                  ApplySetup& setup, std::string& problem);

// The parameters for a picture whose shorter side is `shorterSide`, into
// `setup`; their warnings, one line each, go to the error stream.
bool ParametersForPicture(const ApplyOptions& options, int32_t shorterSide, const CommandStreams& streams,
                          ApplySetup& setup, std::string& problem);

// "dapple: warning: TEXT" for each line.
void PrintWarnings(const std::vector<std::string>& warnings, const CommandStreams& streams);

// The files the command reads besides its pictures: the mask, the settings
// file and the content files named (full paths).
std::vector<std::string> OtherInputs(const ApplyOptions& options, const ApplySetup& setup);

// When `output` is the same file as one of `inputs`, false with `problem`;
// an output that does not exist is none of them.
bool OutputIsNoInput(const std::string& output, const std::vector<std::string>& inputs, std::string& problem);

// The input ("-": standard input) with what its file says beside the pixels,
// refused with `problem` when it cannot be read or is larger than an effect
// takes. What reading changed or left out goes to `err`, a line each.
bool ReadApplyInput(const std::string& path, ImageFile& input, std::ostream& err, std::string& problem,
                    const ImageFileProgress& progress = {});

// The mask file on its own: a grey image without alpha that selects something.
bool ReadApplyMask(const std::string& path, RasterImage& mask, std::string& problem);
// Whether the mask at `maskPath` has the input's size.
bool MaskFitsInput(const std::string& maskPath, const RasterImage& mask, const RasterImage& input,
                   std::string& problem);
