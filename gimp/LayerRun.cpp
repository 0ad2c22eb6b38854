#include "gimp/LayerRun.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <utility>

#include "cli/CommandParameters.h"
#include "host/FilterFactory.h"
#include "inprocesshost/InProcessHost.h"
#include "platform/Warning.h"
#include "settings/SettingsFolders.h"

namespace {

// The core's warnings, which would otherwise go to stderr, become the
// run's message.
class WarningCollector {
public:
    WarningCollector() {
        previous_ = SetWarningSink([this](const std::string& line) {
            const std::string caption = std::string(kWarningCaption) + ": ";
            lines_.push_back(line.compare(0, caption.size(), caption) == 0 ? line.substr(caption.size()) : line);
        });
    }
    ~WarningCollector() { SetWarningSink(previous_); }
    WarningCollector(const WarningCollector&) = delete;
    WarningCollector& operator=(const WarningCollector&) = delete;

    const std::vector<std::string>& Lines() const { return lines_; }

    std::string Text() const {
        std::string text;
        for (const std::string& line : lines_) text += (text.empty() ? "" : "\n") + line;
        return text;
    }

private:
    WarningSink previous_;
    std::vector<std::string> lines_;
};

std::string FailureText(const std::string& name, const RunOutcome& outcome) {
    if (!outcome.errorText.empty()) return name + " failed: " + outcome.errorText;
    switch (outcome.result) {
        case 1: return name + " does not work on this layer";
        case ps::memFullErr: return name + " ran out of memory";
        default: return name + " failed (error " + std::to_string(outcome.result) + ")";
    }
}

// The command's reading of the values words its problems for its own
// options ("--set NAME=VALUE: why (see dapple params Edge)"); a procedure's
// caller passed arguments, so the option and the pointer go.
std::string ArgumentProblem(std::string problem) {
    const std::string option = "--set ";
    if (problem.compare(0, option.size(), option) == 0) problem.erase(0, option.size());
    const std::size_t pointer = problem.rfind(" (see dapple params ");
    if (pointer != std::string::npos && problem.back() == ')') problem.erase(pointer);
    return problem;
}

bool SelectsNothing(const std::vector<uint8_t>& selection) {
    return !selection.empty() && std::all_of(selection.begin(), selection.end(), [](uint8_t v) { return v == 0; });
}

}  // namespace

LayerRunResult RunEffectOnLayer(LayerRunRequest request) {
    LayerRunResult result;
    std::unique_ptr<Filter> filter;
    if (CreateFilter(request.kind, filter).IsFailure()) {
        result.message = "This effect is not part of this build";
        return result;
    }
    const std::string name = EffectDisplayName(request.kind);
    if (request.layer.IsEmpty()) {
        result.message = name + ": the layer is empty";
        return result;
    }
    // The interface's rectangles hold 16-bit coordinates.
    if (request.layer.width > INT16_MAX || request.layer.height > INT16_MAX) {
        result.message = name + ": the layer is " + std::to_string(request.layer.width) + " x " +
                         std::to_string(request.layer.height) +
                         " pixels; the largest layer an effect takes is 32767 pixels on a side";
        return result;
    }
    if (SelectsNothing(request.selection)) {
        result.message = name + ": the selection does not touch the active layer; select a part of it, or nothing";
        return result;
    }
    ParameterChoices choices;
    choices.settings = request.values.settings;
    // A named setting stands for the whole set of values.
    if (choices.settings.empty()) choices.values = request.values.values;
    ChosenValues chosen;
    chosen.shorterSide = std::min(request.layer.width, request.layer.height);
    DescriptorStore descriptor;
    std::string problem;
    const RunningSettingsFolders folders{};
    if (!ChosenDescriptor(*filter, choices, folders, descriptor, chosen, problem)) {
        result.message = name + ": " + ArgumentProblem(problem);
        return result;
    }
    result.warnings = chosen.warnings;

    InProcessHost host;
    host.SetImage(std::move(request.layer))
        .SetResolution(request.pixelsPerInch)
        .SetColours(request.foreground, request.background);
    if (!request.selection.empty()) host.SetSelection(std::move(request.selection));
    if (!descriptor.Empty()) host.SetPlayDescriptor(descriptor);
    bool cancelled = false;
    host.SetAbortQuestion([&request, &cancelled] {
        if (!cancelled && request.cancelled) cancelled = request.cancelled();
        return cancelled;
    });
    if (request.progress) {
        host.SetProgressObserver([&request](int32_t done, int32_t total) {
            if (total > 0) request.progress(static_cast<double>(done) / total);
        });
    }
    RunOptions options;
    options.revertOnFailure = false;  // the caller keeps the layer it gave
    RunOutcome outcome;
    WarningCollector warnings;
    outcome = host.RunFilter(request.kind, options);
    if (!outcome.Succeeded()) {
        result.cancelled = cancelled;
        const std::string said = warnings.Text();
        result.message = cancelled ? name + " was cancelled" : !said.empty() ? said : FailureText(name, outcome);
        return result;
    }
    result.succeeded = true;
    // What the run noted (an option with nothing to act on) is told as the
    // command tells it.
    result.warnings.insert(result.warnings.end(), warnings.Lines().begin(), warnings.Lines().end());
    result.layer = host.TakeImage();
    return result;
}
