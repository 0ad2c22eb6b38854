// dapple apply EFFECT INPUT OUTPUT [--mask MASK] [--settings NAME] [--set KEY=VALUE]... [--quiet] [--plugin PATH]
//                                  [--dialog]
//
// Everything the user gave is checked before the effect runs; the output
// file is written only after the effect succeeded, and atomically, so a
// failed run leaves no file behind.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>

#include "cli/Command.h"
#include "cli/CommandEffects.h"
#include "cli/CommandImages.h"
#include "cli/CommandOptions.h"
#include "cli/CommandParameters.h"
#include "cli/CommandPreview.h"
#include "cli/ImageFiles.h"
#include "cli/ProgressBar.h"
#include "host/FilterFactory.h"
#include "inprocesshost/InProcessHost.h"
#include "inprocesshost/PluginModule.h"
#include "platform/Warning.h"

namespace {

struct ApplyRequest {
    std::string effect;
    std::string input;
    std::string output;
    std::string mask;  // empty: no mask
    ParameterChoices parameters;
    bool quiet = false;
    double previewScale = 0.0;  // above 0: write the reduced preview instead of the full-size result
    std::string plugin;         // empty: the effect linked into the command
    bool dialog = false;        // the effect's dialog is shown, as when a user picks it from a menu
};

// A preview scale is a finite number of at least 1 (image pixels per preview pixel).
bool ParsePreviewScale(const std::string& text, ApplyRequest& request, std::string& problem) {
    char* end = nullptr;
    const double scale = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(scale >= 1.0) || !std::isfinite(scale)) {
        problem = "--preview-scale needs a number of at least 1, got '" + text + "'";
        return false;
    }
    request.previewScale = scale;
    return true;
}

bool ParseArguments(const std::vector<std::string>& args, ApplyRequest& request, std::string& problem) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool matched = false;
        std::string value;
        if (arg == "--quiet" || arg == "-q") {
            request.quiet = true;
            continue;
        }
        if (arg == "--dialog") {
            request.dialog = true;
            continue;
        }
        if (!NonEmptyOptionValue(args, i, "--mask", "a file", value, matched, problem)) return false;
        if (matched) {
            request.mask = value;
            continue;
        }
        if (!OptionValue(args, i, "--preview-scale", value, matched, problem)) return false;
        if (matched) {
            if (!ParsePreviewScale(value, request, problem)) return false;
            continue;
        }
        if (!NonEmptyOptionValue(args, i, "--plugin", "a plug-in module", value, matched, problem)) return false;
        if (matched) {
            request.plugin = value;
            continue;
        }
        if (!ParseParameterOption(args, i, request.parameters, matched, problem)) return false;
        if (matched) continue;
        if (arg.size() > 1 && arg[0] == '-') {
            problem = "unknown option '" + arg + "'";
            return false;
        }
        positional.push_back(arg);
    }
    if (positional.size() != 3) {
        problem = "apply takes EFFECT INPUT OUTPUT";
        return false;
    }
    request.effect = positional[0];
    request.input = positional[1];
    request.output = positional[2];
    return true;
}

std::string SizeText(int32_t width, int32_t height) { return std::to_string(width) + "x" + std::to_string(height); }

bool ReadInput(const ApplyRequest& request, RasterImage& input, std::string& problem) {
    const ImageFileStatus status = ReadImageFile(request.input, input);
    if (!status.Ok()) {
        problem = status.error;
        return false;
    }
    if (input.width > INT16_MAX || input.height > INT16_MAX) {
        problem = request.input + " is " + SizeText(input.width, input.height) +
                  "; the largest image an effect takes is 32767 pixels on a side";
        return false;
    }
    return true;
}

bool ReadMask(const ApplyRequest& request, const RasterImage& input, RasterImage& mask, std::string& problem) {
    const ImageFileStatus status = ReadImageFile(request.mask, mask);
    if (!status.Ok()) {
        problem = status.error;
        return false;
    }
    if (mask.channels != 1) {
        problem = "mask " + request.mask + " must be a grey image without alpha";
        return false;
    }
    if (mask.width != input.width || mask.height != input.height) {
        problem = "mask " + request.mask + " is " + SizeText(mask.width, mask.height) + " but the input is " +
                  SizeText(input.width, input.height);
        return false;
    }
    if (std::all_of(mask.pixels.begin(), mask.pixels.end(), [](uint8_t v) { return v == 0; })) {
        problem = "mask " + request.mask + " selects no pixels";
        return false;
    }
    return true;
}

// Sends the core's warnings to the command's error stream while it lives,
// ending a progress bar's line first.
class WarningCapture {
public:
    WarningCapture(std::ostream& err, ProgressBar& bar) {
        previous_ = SetWarningSink([this, &err, &bar](const std::string& line) {
            bar.Finish();
            err << line << '\n';
            ++count_;
        });
    }
    ~WarningCapture() { SetWarningSink(previous_); }
    WarningCapture(const WarningCapture&) = delete;
    WarningCapture& operator=(const WarningCapture&) = delete;

    int Count() const { return count_; }

private:
    WarningSink previous_;
    int count_ = 0;
};

std::string FailureText(const std::string& name, const RunOutcome& outcome) {
    if (outcome.selector == kNoSelector) return "cannot run " + name + ": " + outcome.errorText;
    if (!outcome.errorText.empty()) return name + " failed: " + outcome.errorText;
    switch (outcome.result) {
        case 1: return name + " refused the image";
        case ps::memFullErr: return name + " ran out of memory";
        case -1: return name + " failed";
        default: return name + " failed (error " + std::to_string(outcome.result) + ")";
    }
}

int RunEffect(const ApplyRequest& request, const EffectChoice& choice, const DescriptorStore& descriptor,
              const RasterImage& input, const RasterImage* mask, const PluginModule* plugin,
              const CommandStreams& streams) {
    InProcessHost host;
    if (plugin != nullptr) host.SetEntry(plugin->Entry());
    host.SetImage(HostImageFromRaster(input))
        .SetPlayMode(request.dialog ? ps::plugInDialogDisplay : ps::plugInDialogDontDisplay);
    if (mask != nullptr) host.SetSelection(mask->pixels);
    if (!descriptor.Empty()) host.SetPlayDescriptor(descriptor);
    ProgressBar bar(streams.err, EffectDisplayName(choice.kind));
    if (streams.errIsTerminal && !request.quiet) {
        host.SetProgressObserver([&bar](int32_t done, int32_t total) { bar.Update(done, total); });
    }
    RunOutcome outcome;
    int warnings = 0;
    {
        WarningCapture capture(streams.err, bar);
        RunOptions options;
        options.parametersSelector = request.dialog;
        outcome = host.RunFilter(choice.kind, options);
        warnings = capture.Count();
    }
    bar.Finish();
    if (request.dialog && outcome.result == ResultCode::kCancelled && warnings == 0) {
        streams.err << "dapple: the dialog was cancelled; nothing was written\n";
        return kExitFailed;
    }
    if (!outcome.Succeeded()) {
        // A warning already said why, on its own line.
        if (warnings == 0) streams.err << "dapple: " << FailureText(choice.filter->InternalName(), outcome) << '\n';
        return kExitFailed;
    }
    const ImageFileStatus written = WriteImageFile(request.output, RasterFromHostImage(host.Image()));
    if (!written.Ok()) {
        streams.err << "dapple: " << written.error << '\n';
        return kExitFailed;
    }
    return kExitSuccess;
}

}  // namespace

int RunApplyCommand(const std::vector<std::string>& args, const CommandStreams& streams) {
    auto usage = [&streams](const std::string& problem) {
        streams.err << "dapple: " << problem << '\n';
        return kExitUsage;
    };
    ApplyRequest request;
    std::string problem;
    if (!ParseArguments(args, request, problem)) return usage(problem + " (see dapple --help)");

    EffectChoice choice;
    if (!FindEffect(request.effect, choice)) {
        return usage("unknown effect '" + request.effect + "' (see dapple effects)");
    }
    DescriptorStore descriptor;
    if (!ChosenDescriptor(*choice.filter, request.parameters, SettingsFoldersOf(streams), descriptor, problem))
        return usage(problem);
    if (!ImageFileFormatForPath(request.output)) {
        return usage("cannot tell the format of " + request.output + " from its extension (use .png, .jpg or .jpeg)");
    }
    if (request.dialog && request.previewScale > 0.0) {
        return usage("--preview-scale renders without the dialog; it cannot be used with --dialog");
    }
    if (!request.plugin.empty() && request.previewScale > 0.0) {
        return usage("--preview-scale renders with the effect linked into dapple; it cannot be used with --plugin");
    }
    std::unique_ptr<PluginModule> plugin;
    if (!request.plugin.empty()) {
        plugin = LoadPluginModule(request.plugin, problem);
        if (plugin == nullptr) return usage(problem);
        if (!PluginModuleRunsEffect(plugin->Properties(), choice.kind, choice.filter->InternalName(), problem)) {
            return usage("cannot run " + request.plugin + ": " + problem);
        }
    }
    RasterImage input;
    if (!ReadInput(request, input, problem)) return usage(problem);
    RasterImage mask;
    if (!request.mask.empty() && !ReadMask(request, input, mask, problem)) return usage(problem);
    const RasterImage* selection = request.mask.empty() ? nullptr : &mask;
    if (request.previewScale > 0.0) {
        return RunPreviewRender(*choice.filter, descriptor, input, selection, request.previewScale, request.output,
                                streams);
    }
    return RunEffect(request, choice, descriptor, input, selection, plugin.get(), streams);
}
