// dapple apply EFFECT INPUT OUTPUT [--mask MASK] [--settings NAME] [--set KEY=VALUE]... [--quiet] [--plugin PATH]
//                                  [--dialog] [--threads N] [--png-compression fast|smallest] [--quality N]
//                                  [--format png|jpg|tif] [--timings]
//
// Everything the user gave is checked before the effect runs; the output
// file is written only after the effect succeeded, and atomically, so a
// failed run leaves no file behind. With --out-dir the command applies the
// effect to many files (cli/CommandApplyBatch.cpp). The images move from the
// input file to the host and on to the output file without copies; the
// input's colour profile, EXIF, XMP and resolution go with them, and the
// resolution is the host document's, which lengths in inches, centimetres,
// points and picas convert through. On a terminal one progress line covers
// reading, the effect and writing.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

#include "cli/ApplyFile.h"
#include "cli/Command.h"
#include "cli/CommandImages.h"
#include "cli/CommandOptions.h"
#include "cli/CommandPreview.h"
#include "cli/ProgressBar.h"
#include "filters/LengthValue.h"
#include "host/FilterFactory.h"
#include "image/Parallel.h"
#include "imagefiles/ImageFiles.h"
#include "inprocesshost/InProcessHost.h"
#include "platform/Interrupts.h"
#include "platform/Warning.h"

namespace {

struct ApplyRequest {
    std::string effect;
    std::string input;
    std::string output;
    ApplyOptions options;
    double previewScale = 0.0;  // above 0: write the reduced preview instead of the full-size result
    bool dialog = false;        // the effect's dialog is shown, as when a user picks it from a menu
};

// The stages of a run and their wall-clock times.
class StageTimes {
public:
    // Seconds since construction or the last Lap.
    double Lap() {
        const Clock::time_point now = Clock::now();
        const double seconds = std::chrono::duration<double>(now - start_).count();
        start_ = now;
        return seconds;
    }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point start_ = Clock::now();
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
        if (!ParseApplyOption(args, i, request.options, matched, problem)) return false;
        if (matched) continue;
        if (arg == "--dialog") {
            request.dialog = true;
            continue;
        }
        std::string value;
        if (!OptionValue(args, i, "--preview-scale", value, matched, problem)) return false;
        if (matched) {
            if (!ParsePreviewScale(value, request, problem)) return false;
            continue;
        }
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

// Sends the core's warnings to the command's error stream while it lives,
// ending a progress bar's line first, in the command's voice: "dapple:
// INPUT: " before the core's text, in place of the core's caption.
class WarningCapture {
public:
    WarningCapture(std::ostream& err, ProgressBar& bar, const std::string& input) {
        previous_ = SetWarningSink([this, &err, &bar, input](const std::string& line) {
            bar.Finish();
            const std::string caption = std::string(kWarningCaption) + ": ";
            const bool captioned = line.compare(0, caption.size(), caption) == 0;
            err << "dapple: " << input << ": " << (captioned ? line.substr(caption.size()) : line) << '\n';
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
        case 1: return InterruptRequested() ? name + " was interrupted" : name + " refused the image";
        case ps::memFullErr: return name + " ran out of memory";
        case -1: return name + " failed";
        default: return name + " failed (error " + std::to_string(outcome.result) + ")";
    }
}

// The share of the progress line each stage fills: reading, the effect, writing.
constexpr double kReadShare = 0.15;
constexpr double kWriteShare = 0.25;

// The progress line of a whole run, or nothing when it is not shown.
class RunProgress {
public:
    RunProgress(ProgressBar& bar, bool shown) : bar_(bar), shown_(shown) {}

    ImageFileProgress Reading() { return Stage(0.0, kReadShare); }
    ImageFileProgress Writing() { return Stage(1.0 - kWriteShare, 1.0); }
    // The effect's progress, `done` of `total`.
    void Effect(int32_t done, int32_t total) {
        const double fraction = total > 0 ? static_cast<double>(done) / total : 0.0;
        Show(kReadShare + fraction * (1.0 - kReadShare - kWriteShare));
    }
    bool Shown() const { return shown_; }

private:
    static constexpr int32_t kSteps = 1000;

    ImageFileProgress Stage(double from, double to) {
        if (!shown_) return {};
        return [this, from, to](double fraction) { Show(from + fraction * (to - from)); };
    }
    void Show(double fraction) { bar_.Update(static_cast<int32_t>(fraction * kSteps), kSteps); }

    ProgressBar& bar_;
    bool shown_;
};

// Runs the effect on `input` (taken over) and leaves the result in `result`.
int RunEffect(const ApplyRequest& request, const EffectChoice& choice, const DescriptorStore& descriptor,
              RasterImage input, double pixelsPerInch, RasterImage* mask, const PluginModule* plugin,
              const CommandStreams& streams, RunProgress& progress, ProgressBar& bar, RasterImage& result) {
    InProcessHost host;
    host.SetAbortQuestion([] { return InterruptRequested(); });
    if (plugin != nullptr) host.SetEntry(plugin->Entry());
    host.SetImage(HostImageFromRaster(std::move(input)))
        .SetResolution(pixelsPerInch)
        .SetPlayMode(request.dialog ? ps::plugInDialogDisplay : ps::plugInDialogDontDisplay);
    if (mask != nullptr) host.SetSelection(std::move(mask->pixels));
    if (!descriptor.Empty()) host.SetPlayDescriptor(descriptor);
    if (progress.Shown()) {
        host.SetProgressObserver([&progress](int32_t done, int32_t total) { progress.Effect(done, total); });
    }
    RunOutcome outcome;
    int warnings = 0;
    {
        WarningCapture capture(streams.err, bar, request.input);
        RunOptions options;
        options.parametersSelector = request.dialog;
        // A failed run writes nothing, so the host keeps no copy to revert to.
        options.revertOnFailure = false;
        outcome = host.RunFilter(choice.kind, options);
        warnings = capture.Count();
    }
    if (!outcome.Succeeded()) bar.Finish();
    if (request.dialog && outcome.result == ResultCode::kCancelled && warnings == 0) {
        streams.err << "dapple: the dialog was cancelled; nothing was written\n";
        return kExitFailed;
    }
    if (!outcome.Succeeded()) {
        // A warning already said why, on its own line.
        if (warnings == 0) streams.err << "dapple: " << FailureText(choice.filter->InternalName(), outcome) << '\n';
        return kExitFailed;
    }
    result = RasterFromHostImage(host.TakeImage());
    return kExitSuccess;
}

int WriteOutput(const ApplyRequest& request, ImageFileFormat format, const RasterImage& result,
                const ImageMetadata& metadata, RunProgress& progress, ProgressBar& bar, const CommandStreams& streams) {
    ImageWriteOptions options = request.options.writeOptions;
    options.progress = progress.Writing();
    const ImageFileStatus written = WriteImageFile(request.output, format, result, metadata, options);
    bar.Finish();
    for (const std::string& note : written.notes) streams.err << "dapple: " << note << '\n';
    if (!written.Ok()) {
        streams.err << "dapple: " << written.error << '\n';
        return kExitFailed;
    }
    return kExitSuccess;
}

void ReportTimes(const CommandStreams& streams, double read, double effect, double write) {
    char line[120];
    std::snprintf(line, sizeof line, "dapple: read %.3f s, effect %.3f s, write %.3f s\n", read, effect, write);
    streams.err << line;
}

// Sets the thread count for the command and restores the default after it.
class ThreadCountForCommand {
public:
    explicit ThreadCountForCommand(int32_t threads) { SetParallelThreads(threads); }
    ~ThreadCountForCommand() { SetParallelThreads(0); }
    ThreadCountForCommand(const ThreadCountForCommand&) = delete;
    ThreadCountForCommand& operator=(const ThreadCountForCommand&) = delete;
};

bool IsBatch(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(),
                       [](const std::string& arg) { return arg == "--out-dir" || arg.rfind("--out-dir=", 0) == 0; });
}

}  // namespace

int RunApplyCommand(const std::vector<std::string>& args, const CommandStreams& streams) {
    if (IsBatch(args)) return RunBatchApplyCommand(args, streams);
    auto usage = [&streams](const std::string& problem) {
        streams.err << "dapple: " << problem << '\n';
        return kExitUsage;
    };
    ApplyRequest request;
    std::string problem;
    if (!ParseArguments(args, request, problem)) return usage(problem + " (see dapple help apply)");
    if (request.dialog && request.previewScale > 0.0) {
        return usage("--preview-scale renders without the dialog; it cannot be used with --dialog");
    }
    if (!request.options.plugin.empty() && request.previewScale > 0.0) {
        return usage("--preview-scale renders with the effect linked into dapple; it cannot be used with --plugin");
    }
    ApplySetup setup;
    if (!PrepareApply(request.effect, request.options, streams, setup, problem)) return usage(problem);
    const std::optional<ImageFileFormat> format =
        request.options.format ? request.options.format : ImageFileFormatForPath(request.output);
    if (!format && request.output == "-") return usage("writing to standard output needs --format png, jpg or tif");
    if (!format) {
        return usage("cannot tell the format of " + request.output +
                     " from its extension (use .png, .jpg, .jpeg, .tif or .tiff, or --format)");
    }
    std::vector<std::string> inputs = OtherInputs(request.options, setup);
    inputs.push_back(request.input);
    if (!OutputIsNoInput(request.output, inputs, problem)) return usage(problem);
    ThreadCountForCommand threads(request.options.threads);
    // The bar shows nothing unless it is drawn on a terminal.
    ProgressBar bar(streams.err, EffectDisplayName(setup.choice.kind));
    RunProgress progress(bar, streams.errIsTerminal && !request.options.quiet && request.previewScale <= 0.0);
    StageTimes times;
    ImageFile input;
    if (!ReadApplyInput(request.input, input, streams.err, problem, progress.Reading())) {
        bar.Finish();
        return usage(problem);
    }
    if (!ParametersForPicture(request.options, std::min(input.image.width, input.image.height), streams, setup,
                              problem)) {
        bar.Finish();
        return usage(problem);
    }
    ImageMetadata metadata = std::move(input.metadata);
    const double pixelsPerInch = metadata.pixelsPerInch > 0.0 ? metadata.pixelsPerInch : kDefaultPixelsPerInch;
    RasterImage mask;
    const std::string& maskPath = request.options.mask;
    if (!maskPath.empty() &&
        (!ReadApplyMask(maskPath, mask, problem) || !MaskFitsInput(maskPath, mask, input.image, problem))) {
        bar.Finish();
        return usage(problem);
    }
    RasterImage* selection = maskPath.empty() ? nullptr : &mask;
    const double read = times.Lap();
    RasterImage result;
    if (request.previewScale <= 0.0) CatchInterrupts();
    const int rendered = request.previewScale > 0.0
                             ? RunPreviewRender(*setup.choice.filter, setup.descriptor, input.image, pixelsPerInch,
                                                selection, request.previewScale, result, streams)
                             : RunEffect(request, setup.choice, setup.descriptor, std::move(input.image), pixelsPerInch,
                                         selection, setup.plugin.get(), streams, progress, bar, result);
    if (rendered != kExitSuccess) return rendered;
    // The preview keeps every f-th pixel, f the scale's whole part: a coarser resolution.
    if (request.previewScale > 0.0) metadata.pixelsPerInch /= std::floor(request.previewScale);
    const double effect = times.Lap();
    const int written = WriteOutput(request, *format, result, metadata, progress, bar, streams);
    if (written == kExitSuccess && request.options.timings) ReportTimes(streams, read, effect, times.Lap());
    return written;
}
