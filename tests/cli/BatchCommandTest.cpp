// dapple apply EFFECT INPUT... --out-dir DIR, with the dapple program this
// build made running each file: every input written under its name with the
// bytes the single-file run writes, failures reported one line each while
// the others go on, existing files kept, and an interrupted run leaving
// nothing half-written (tests/cli/batch-interrupt.py sends a real Ctrl+C).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/BatchReport.h"
#include "cli/CoreSplit.h"
#include "platform/Interrupts.h"
#include "platform/Warning.h"
#include "tests/cli/CommandHarness.h"

namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

class BatchCommand : public ScratchFolderTest {
protected:
    void TearDown() override {
        SetInterruptRequested(false);
        ScratchFolderTest::TearDown();
    }

    CommandResult RunBatch(const std::vector<std::string>& args, const std::string& program = DAPPLE_PROGRAM) {
        std::ostringstream out;
        std::ostringstream err;
        CommandStreams streams{out, err, false, nullptr};
        streams.program = program;
        CommandResult result;
        result.code = RunDappleCommand(args, streams);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    // A picture with a ramp, so that every pixel differs.
    std::string WriteImage(const std::string& name, int32_t width, int32_t height, int32_t channels) {
        RasterImage image(width, height, channels);
        for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 7 % 251);
        const std::string path = PathOf(name);
        EXPECT_TRUE(WriteImageFile(path, image).Ok());
        return path;
    }

    // What the single-file form writes for `input`, with the same options.
    std::string SingleRun(const std::string& input, const std::string& name, std::vector<std::string> options = {}) {
        fs::create_directories(folder_ / "single");
        const std::string output = (folder_ / "single" / name).string();
        std::vector<std::string> args = {"apply", "edge", input, output, "--quiet"};
        args.insert(args.end(), options.begin(), options.end());
        const CommandResult result = RunCommand(args);
        EXPECT_EQ(result.code, kExitSuccess) << result.err;
        return Bytes(output);
    }

    std::vector<std::string> TemporaryFiles(const fs::path& folder) const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(folder)) {
            if (entry.path().filename().string().rfind(".dapple-", 0) == 0) found.push_back(entry.path().string());
        }
        return found;
    }

    std::string Out(const std::string& name) const { return (folder_ / "out" / name).string(); }
};

TEST_F(BatchCommand, WritesEveryInputUnderItsNameWithTheSingleRunsBytes) {
    const std::string a = WriteImage("a.png", 40, 30, 3);
    const std::string b = WriteImage("b.jpg", 33, 24, 1);
    const std::string c = WriteImage("c.PNG", 25, 37, 4);
    const std::vector<std::string> set = {"--set", "edge-type=torn paper", "--set", "Wdth=12 pixels"};
    std::vector<std::string> args = {"apply", "edge", a, b, c, "--out-dir", PathOf("out")};
    args.insert(args.end(), set.begin(), set.end());
    const CommandResult result = RunBatch(args);
    ASSERT_EQ(result.code, kExitSuccess) << result.err;
    EXPECT_EQ(result.err, "3 written, 0 failed\n");
    EXPECT_EQ(Bytes(Out("a.png")), SingleRun(a, "a.png", set));
    EXPECT_EQ(Bytes(Out("b.jpg")), SingleRun(b, "b.jpg", set));
    EXPECT_EQ(Bytes(Out("c.PNG")), SingleRun(c, "c.png", set));
    EXPECT_TRUE(TemporaryFiles(folder_ / "out").empty());

    // Another format and a suffix: the name with the suffix and the format's extension.
    const CommandResult converted =
        RunBatch({"apply", "edge", a, b, "--out-dir", PathOf("out"), "--suffix", "-e", "--format", "png", "-q"});
    ASSERT_EQ(converted.code, kExitSuccess) << converted.err;
    EXPECT_EQ(converted.err, "");
    EXPECT_EQ(Bytes(Out("a-e.png")), SingleRun(a, "a.png"));
    EXPECT_EQ(Bytes(Out("b-e.png")), SingleRun(b, "b.png"));
}

TEST_F(BatchCommand, ABrokenInputIsOneLineAndTheOthersAreWritten) {
    const std::string a = WriteImage("a.png", 20, 30, 3);
    std::ofstream(PathOf("broken.png")) << "not a picture";
    const std::string c = WriteImage("c.png", 26, 12, 1);
    const CommandResult result =
        RunBatch({"apply", "edge", a, PathOf("broken.png"), PathOf("missing.png"), c, "--out-dir", PathOf("out")});
    EXPECT_EQ(result.code, kExitFailed);
    EXPECT_EQ(Lines(result.err), 3) << result.err;
    EXPECT_NE(result.err.find("dapple: " + PathOf("broken.png") + ": cannot read"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("dapple: " + PathOf("missing.png") + ": cannot read"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("\n2 written, 2 failed\n"), std::string::npos) << result.err;
    EXPECT_EQ(Bytes(Out("a.png")), SingleRun(a, "a.png"));
    EXPECT_EQ(Bytes(Out("c.png")), SingleRun(c, "c.png"));
    EXPECT_FALSE(fs::exists(Out("broken.png")));
    EXPECT_FALSE(fs::exists(Out("missing.png")));
    EXPECT_TRUE(TemporaryFiles(folder_ / "out").empty());
}

TEST_F(BatchCommand, AnEffectRefusalAndAMaskOfAnotherSizeFailOnlyTheirFile) {
    const std::string fits = WriteImage("fits.png", 24, 20, 3);
    const std::string other = WriteImage("other.png", 25, 20, 3);
    RasterImage mask(24, 20, 1);
    std::fill(mask.pixels.begin(), mask.pixels.end(), 255);
    ASSERT_TRUE(WriteImageFile(PathOf("mask.png"), mask).Ok());
    const CommandResult masked =
        RunBatch({"apply", "edge", fits, other, "--out-dir", PathOf("out"), "--mask", PathOf("mask.png"), "-q"});
    EXPECT_EQ(masked.code, kExitFailed);
    EXPECT_NE(
        masked.err.find("dapple: " + other + ": mask " + PathOf("mask.png") + " is 24x20 but the input is 25x20\n"),
        std::string::npos)
        << masked.err;
    EXPECT_NE(masked.err.find("1 written, 1 failed"), std::string::npos) << masked.err;
    EXPECT_EQ(Bytes(Out("fits.png")), SingleRun(fits, "fits.png", {"--mask", PathOf("mask.png")}));

    // Frame needs at least 9 x 9 pixels: the core's own message, without its caption.
    const std::string tiny = WriteImage("tiny.png", 4, 4, 3);
    const CommandResult refused = RunBatch({"apply", "frame", tiny, "--out-dir", PathOf("framed"), "-q"});
    EXPECT_EQ(refused.code, kExitFailed);
    EXPECT_EQ(Lines(refused.err), 2) << "the refusal and the summary: " << refused.err;
    EXPECT_EQ(refused.err.rfind("dapple: " + tiny + ": ", 0), 0u) << refused.err;
    EXPECT_EQ(refused.err.find(kWarningCaption), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("9"), std::string::npos) << "the size it needs: " << refused.err;
    EXPECT_NE(refused.err.find("\n0 written, 1 failed\n"), std::string::npos) << refused.err;
    EXPECT_TRUE(fs::is_empty(folder_ / "framed"));
}

TEST_F(BatchCommand, KeepsExistingFilesUnlessToldToOverwrite) {
    const std::string a = WriteImage("a.png", 20, 13, 3);
    const std::string b = WriteImage("b.png", 13, 13, 3);
    fs::create_directories(folder_ / "out");
    std::ofstream(Out("a.png")) << "the user's own file";
    const CommandResult kept = RunBatch({"apply", "edge", a, b, "--out-dir", PathOf("out")});
    EXPECT_EQ(kept.code, kExitSuccess) << kept.err;
    EXPECT_NE(kept.err.find("kept 1 file that exists (--overwrite replaces them): " + Out("a.png") + "\n"),
              std::string::npos)
        << kept.err;
    EXPECT_NE(kept.err.find("1 written, 0 failed, 1 kept as they were\n"), std::string::npos) << kept.err;
    EXPECT_EQ(Bytes(Out("a.png")), "the user's own file");
    EXPECT_EQ(Bytes(Out("b.png")), SingleRun(b, "b.png"));

    const CommandResult replaced = RunBatch({"apply", "edge", a, b, "--out-dir", PathOf("out"), "--overwrite"});
    EXPECT_EQ(replaced.code, kExitSuccess) << replaced.err;
    EXPECT_EQ(replaced.err, "2 written, 0 failed\n");
    EXPECT_EQ(Bytes(Out("a.png")), SingleRun(a, "a.png"));
}

TEST_F(BatchCommand, TwoInputsOfOneOutputNameWriteItOnce) {
    fs::create_directories(folder_ / "one");
    fs::create_directories(folder_ / "two");
    const std::string first = WriteImage("one/x.png", 14, 13, 3);
    const std::string second = WriteImage("two/x.png", 15, 13, 3);
    const CommandResult result = RunBatch({"apply", "edge", first, second, "--out-dir", PathOf("out"), "-q"});
    EXPECT_EQ(result.code, kExitFailed);
    EXPECT_NE(result.err.find("dapple: " + second + ": writes " + Out("x.png") + " as " + first + " does"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(Bytes(Out("x.png")), SingleRun(first, "x.png"));
}

TEST_F(BatchCommand, AProgramThatCannotRunFailsEachFileWithWhy) {
    const std::string a = WriteImage("a.png", 10, 10, 3);
    const CommandResult result =
        RunBatch({"apply", "edge", a, "--out-dir", PathOf("out"), "-q"}, PathOf("no-such-program"));
    EXPECT_EQ(result.code, kExitFailed);
    EXPECT_EQ(result.err.rfind("dapple: " + a + ": cannot start " + PathOf("no-such-program"), 0), 0u) << result.err;
    EXPECT_TRUE(fs::is_empty(folder_ / "out"));
}

TEST_F(BatchCommand, AfterAnInterruptNothingMoreIsStartedOrWritten) {
    const std::string a = WriteImage("a.png", 10, 10, 3);
    const std::string b = WriteImage("b.png", 10, 10, 3);
    SetInterruptRequested(true);
    const CommandResult result = RunBatch({"apply", "edge", a, b, "--out-dir", PathOf("out")});
    SetInterruptRequested(false);
    EXPECT_EQ(result.code, kExitFailed);
    EXPECT_EQ(result.err, "0 written, 0 failed; interrupted, 2 not done\n");
    EXPECT_TRUE(fs::is_empty(folder_ / "out"));
}

TEST_F(BatchCommand, AWriteAfterAnInterruptLeavesNoFile) {
    const RasterImage image(4, 4, 3);
    SetInterruptRequested(true);
    const ImageFileStatus status = WriteImageFile(PathOf("late.png"), image);
    SetInterruptRequested(false);
    EXPECT_FALSE(status.Ok());
    EXPECT_FALSE(fs::exists(PathOf("late.png")));
    EXPECT_TRUE(TemporaryFiles(folder_).empty());
}

TEST_F(BatchCommand, UsageErrors) {
    const std::string a = WriteImage("a.png", 4, 3, 3);
    std::ofstream(PathOf("file")) << "x";
    const std::vector<std::vector<std::string>> runs = {
        {"apply", "edge", "--out-dir", PathOf("out")},
        {"apply", "edge", a, "--out-dir", PathOf("out"), "--format", "bmp"},
        {"apply", "edge", a, "--out-dir", PathOf("file")},
        {"apply", "edge", a, "--out-dir", PathOf("no/such/folder")},
        {"apply", "edge", a, "--out-dir", PathOf("out"), "--suffix", "/x"},
        {"apply", "edge", a, "--out-dir", PathOf("out"), "--preview-scale", "2"},
        {"apply", "edge", a, "--out-dir", PathOf("out"), "--set", "Nope=1"},
        {"apply", "edge", a, "--out-dir", PathOf("out"), "--mask", PathOf("a.png")},
        {"apply", "NoSuchEffect", a, "--out-dir", PathOf("out")},
    };
    for (const auto& args : runs) {
        const CommandResult result = RunBatch(args);
        EXPECT_EQ(result.code, kExitUsage) << args[args.size() - 1];
        EXPECT_EQ(Lines(result.err), 1) << result.err;
    }
    EXPECT_FALSE(fs::exists(Out("a.png")));
}

TEST(CoreSplit, FilesTimesThreadsPerFileStayWithinTheThreads) {
    struct Case {
        int32_t threads;
        std::size_t files;
        int32_t filesAtOnce;
        int32_t threadsPerFile;
    };
    const Case cases[] = {{2, 40, 2, 1}, {8, 3, 3, 2}, {2, 1, 1, 2}, {1, 5, 1, 1}, {4, 0, 1, 4}, {0, 3, 1, 1}};
    for (const Case& c : cases) {
        const CoreSplit split = SplitThreads(c.threads, c.files);
        EXPECT_EQ(split.filesAtOnce, c.filesAtOnce) << c.threads << " threads, " << c.files << " files";
        EXPECT_EQ(split.threadsPerFile, c.threadsPerFile) << c.threads << " threads, " << c.files << " files";
    }
}

TEST(BatchReportTest, OneProgressLineOnATerminalThatFailuresInterrupt) {
    std::ostringstream err;
    BatchReport report(err, "Edges", 3, true, false);
    report.Written();
    report.Failed("b.png", "broken");
    report.Written();
    report.Finish(false);
    const std::string text = err.str();
    // Lines end only for the failure, the end of the progress line and the summary.
    EXPECT_EQ(Lines(text), 3) << text;
    EXPECT_NE(text.find("\rEdges: 1 of 3 files"), std::string::npos) << text;
    EXPECT_NE(text.find("\rdapple: b.png: broken\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Edges: 3 of 3 files, 1 failed"), std::string::npos) << text;
    const std::string summary = "\n2 written, 1 failed\n";
    EXPECT_EQ(text.substr(text.size() - summary.size()), summary) << text;
}

}  // namespace
