// dapple apply EFFECT INPUT... --out-dir DIR [--suffix TEXT] [--format png|jpg|tif] [--overwrite]
//                              [--mask MASK] [--settings NAME] [--set KEY=VALUE]... [--quiet] [--plugin PATH]
//
// Each input is one run of the single-file form, `dapple apply EFFECT INPUT
// OUTPUT` with the batch's options, in a process of its own: the plug-in
// interface keeps one run per process (its callbacks carry no context), so
// processes are what lets several files be in the effect at once, and a
// file that crashes the effect takes only its own run down. The run writes
// a temporary file beside the output, which is moved into place when the
// run succeeded; so each output has exactly the single-file run's bytes.
//
// An interrupt stops the batch: no more runs start, the runs going on are
// interrupted too, and nothing more is moved into place; every temporary
// file is removed.
#include <atomic>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <thread>

#include "cli/ApplyFile.h"
#include "cli/BatchOutputs.h"
#include "cli/BatchReport.h"
#include "cli/Command.h"
#include "cli/CommandOptions.h"
#include "cli/CoreSplit.h"
#include "host/FilterFactory.h"
#include "image/Parallel.h"
#include "imagefiles/ImageFilesOutput.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystemEntries.h"
#include "platform/FileSystemPath.h"
#include "platform/HostIdentity.h"
#include "platform/Interrupts.h"
#include "platform/Warning.h"

namespace fs = std::filesystem;

namespace {

struct BatchRequest {
    std::string effect;
    std::vector<std::string> inputs;
    BatchNaming naming;
    bool overwrite = false;
    ApplyOptions options;
    std::vector<std::string> runOptions;  // the shared options as given, for each file's run
};

// Takes args[i] when it is one of the batch's own options.
bool ParseBatchOption(const std::vector<std::string>& args, std::size_t& i, BatchRequest& request, bool& matched,
                      std::string& problem) {
    matched = args[i] == "--overwrite";
    if (matched) {
        request.overwrite = true;
        return true;
    }
    std::string value;
    if (!NonEmptyOptionValue(args, i, "--out-dir", "a folder", value, matched, problem)) return false;
    if (matched) {
        request.naming.folder = value;
        return true;
    }
    if (!OptionValue(args, i, "--suffix", value, matched, problem)) return false;
    if (matched) request.naming.suffix = value;
    return true;
}

bool ParseArguments(const std::vector<std::string>& args, BatchRequest& request, std::string& problem) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        bool matched = false;
        if (!ParseBatchOption(args, i, request, matched, problem)) return false;
        if (matched) continue;
        const std::size_t first = i;
        if (!ParseApplyOption(args, i, request.options, matched, problem)) return false;
        if (matched) {
            // Every run is quiet: the batch reports for it. It also gives
            // each run its share of the threads and times nothing.
            const std::string& option = args[first];
            if (option != "--quiet" && option != "-q" && option != "--timings" && option.rfind("--threads", 0) != 0)
                request.runOptions.insert(request.runOptions.end(), args.begin() + first, args.begin() + i + 1);
            continue;
        }
        if (args[i].size() > 1 && args[i][0] == '-') {
            problem = "unknown option '" + args[i] + "' (with --out-dir)";
            return false;
        }
        positional.push_back(args[i]);
    }
    if (positional.size() < 2) {
        problem = "apply --out-dir takes EFFECT INPUT...";
        return false;
    }
    if (request.naming.suffix.find_first_of("/\\") != std::string::npos) {
        problem = "--suffix cannot hold a folder separator";
        return false;
    }
    request.effect = positional[0];
    request.inputs.assign(positional.begin() + 1, positional.end());
    request.naming.format = request.options.format;
    return true;
}

// A folder to write into: there already, or made now (its parent must exist).
bool UsableFolder(const std::string& folder, std::string& problem) {
    const fs::path path = PathFromUtf8(folder);
    std::error_code error;
    if (fs::is_directory(path, error)) return true;
    if (fs::exists(path, error)) {
        problem = "--out-dir " + folder + " is not a folder";
        return false;
    }
    if (!fs::create_directory(path, error)) {
        problem = "cannot make the folder " + folder + ": " + error.message();
        return false;
    }
    return true;
}

constexpr char kWarningPrefix[] = "dapple: warning: ";

// A run's error text as lines, without line ends (a Windows run's too).
std::vector<std::string> ErrorLines(const std::string& errorText) {
    std::vector<std::string> lines;
    std::istringstream text(errorText);
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool StartsWith(const std::string& line, const std::string& prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

// The warnings among a run's error lines, without their prefix.
std::vector<std::string> WarningLines(const std::string& errorText) {
    std::vector<std::string> warnings;
    const std::string prefix = kWarningPrefix;
    for (const std::string& line : ErrorLines(errorText)) {
        if (StartsWith(line, prefix)) warnings.push_back(line.substr(prefix.size()));
    }
    return warnings;
}

// A run's error lines without the program's prefix (and the input's name
// after it) or the core's: the batch gives each again after its own and the
// file's name.
std::vector<std::string> ProblemLines(const std::string& errorText, const std::string& input) {
    std::vector<std::string> problems;
    const std::string prefixes[] = {"dapple: " + input + ": ", "dapple: ", std::string(kWarningCaption) + ": "};
    for (std::string line : ErrorLines(errorText)) {
        if (line.empty()) continue;
        for (const std::string& prefix : prefixes) {
            if (StartsWith(line, prefix)) {
                line.erase(0, prefix.size());
                break;
            }
        }
        problems.push_back(line);
    }
    return problems;
}

class BatchRun {
public:
    BatchRun(const BatchRequest& request, std::string program, std::vector<std::string> inputs, BatchReport& report)
        : request_(request), program_(std::move(program)), inputs_(std::move(inputs)), report_(report) {}

    void Run(const std::vector<BatchFile>& files, int32_t filesAtOnce) {
        files_ = &files;
        std::vector<std::thread> workers;
        for (int32_t i = 1; i < filesAtOnce; ++i) workers.emplace_back([this] { Work(); });
        Work();
        for (std::thread& worker : workers) worker.join();
    }

private:
    void Work() {
        for (std::size_t i = next_++; i < files_->size() && !InterruptRequested(); i = next_++) {
            const BatchFile& file = (*files_)[i];
            if (file.state == BatchFileState::Pending) Apply(file);
        }
    }

    void Apply(const BatchFile& file) {
        std::error_code notFolder;
        if (fs::is_directory(PathFromUtf8(file.input), notFolder))
            return report_.Failed(file.input, "is a folder, not a picture");
        std::string problem;
        if (!OutputIsNoInput(file.output, inputs_, problem)) return report_.Failed(file.input, problem);
        // Beside the output, with its extension, which names the format to write.
        const std::string staged =
            TemporaryPathBeside(file.output, Utf8FromPath(PathFromUtf8(file.output).extension()));
        if (staged.empty()) return report_.Failed(file.input, "no free temporary file name in the output folder");
        const TemporaryFileRegistration registration(staged);
        std::vector<std::string> args = {"apply", request_.effect, file.input, staged, "--quiet"};
        args.insert(args.end(), request_.runOptions.begin(), request_.runOptions.end());
        const ChildOutcome run = RunChildProcess(program_, args, [] { return InterruptRequested(); });
        const std::string moved = run.started && !run.killed && run.exitCode == 0 ? MoveIntoPlace(staged, file) : "";
        std::error_code ignored;
        fs::remove(PathFromUtf8(staged), ignored);
        if (InterruptRequested()) return;
        if (!run.started) return report_.Failed(file.input, run.problem);
        const std::vector<std::string> problems = ProblemLines(run.errorText, file.input);
        if (run.killed) {
            const std::string how = run.signal != 0 ? " (signal " + std::to_string(run.signal) + ")" : "";
            return report_.Failed(file.input, "the run ended abnormally" + how);
        }
        if (run.exitCode != 0) {
            for (const std::string& problem : problems) report_.Failed(file.input, problem);
            if (problems.empty())
                report_.Failed(file.input, "failed (exit status " + std::to_string(run.exitCode) + ")");
            return;
        }
        if (!moved.empty()) return report_.Failed(file.input, moved);
        for (const std::string& warning : WarningLines(run.errorText)) report_.Warned(warning);
        report_.Written();
    }

    // Empty on success, else why the output is not there.
    std::string MoveIntoPlace(const std::string& staged, const BatchFile& file) const {
        if (InterruptRequested()) return "interrupted";
        if (!request_.overwrite) {
            if (RenameFile(staged, file.output)) return std::string();
            return PathExists(file.output) ? file.output + " appeared meanwhile and is kept"
                                           : "cannot move the result to " + file.output;
        }
        std::error_code error;
        fs::rename(PathFromUtf8(staged), PathFromUtf8(file.output), error);
        return error ? "cannot replace " + file.output + ": " + error.message() : std::string();
    }

    const BatchRequest& request_;
    const std::string program_;
    const std::vector<std::string> inputs_;  // every file the batch reads
    BatchReport& report_;
    const std::vector<BatchFile>* files_ = nullptr;
    std::atomic<std::size_t> next_{0};
};

}  // namespace

int RunBatchApplyCommand(const std::vector<std::string>& args, const CommandStreams& streams) {
    auto usage = [&streams](const std::string& problem) {
        streams.err << "dapple: " << problem << '\n';
        return kExitUsage;
    };
    BatchRequest request;
    std::string problem;
    if (!ParseArguments(args, request, problem)) return usage(problem + " (see dapple help apply)");
    // What every run would refuse is refused once, here.
    ApplySetup setup;
    if (!PrepareApply(request.effect, request.options, streams, setup, problem)) return usage(problem);
    RasterImage mask;
    if (!request.options.mask.empty() && !ReadApplyMask(request.options.mask, mask, problem)) return usage(problem);
    if (!UsableFolder(request.naming.folder, problem)) return usage(problem);
    const std::string program = streams.program.empty() ? HostExecutablePath() : streams.program;
    if (program.empty()) return usage("cannot tell where the dapple program is");

    const std::vector<BatchFile> files = PlanBatch(request.inputs, request.naming, request.overwrite);
    std::vector<std::string> kept;
    for (const BatchFile& file : files) {
        if (file.state == BatchFileState::Exists) kept.push_back(file.output);
    }
    const std::size_t toDo = files.size() - kept.size();
    BatchReport report(streams.err, EffectDisplayName(setup.choice.kind), toDo, streams.errIsTerminal,
                       request.options.quiet);
    report.Kept(kept);
    for (const std::string& warning : setup.chosen.warnings) report.Warned(warning);
    for (const BatchFile& file : files) {
        if (file.state == BatchFileState::SameOutput) {
            report.Failed(file.input, "writes " + file.output + " as " + files[file.sameAs].input + " does");
        }
    }
    CatchInterrupts();
    SetParallelThreads(request.options.threads);
    const CoreSplit split = SplitThreads(CommandThreads(), toDo);
    SetParallelThreads(0);
    request.runOptions.insert(request.runOptions.end(), {"--threads", std::to_string(split.threadsPerFile)});
    std::vector<std::string> inputs = OtherInputs(request.options, setup);
    inputs.insert(inputs.end(), request.inputs.begin(), request.inputs.end());
    BatchRun(request, program, std::move(inputs), report).Run(files, split.filesAtOnce);
    const bool interrupted = InterruptRequested();
    report.Finish(interrupted);
    return interrupted || report.FailedCount() > 0 ? kExitFailed : kExitSuccess;
}
