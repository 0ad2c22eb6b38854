// File names beyond ASCII, given to the dapple program as a process. Windows
// hands a program its arguments, and the C library its file names, in the
// ANSI code page, which holds none of these names whole: the program must
// take and open them as UTF-8 everywhere (input, mask, settings file, output
// with its temporary file, and a batch's folder with each file's run).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/ChildProcess.h"
#include "tests/cli/CommandHarness.h"

namespace {

namespace fs = std::filesystem;

const std::string kName = "Caf\xC3\xA9 \xE2\x80\x93 \xE5\x86\x99\xE7\x9C\x9F";  // "Café – 写真"
// Width 12 pixels, in Edge's settings-file form.
const std::string kEdgeSettings = "Edge\r\n1466201192 12.00 pixels\r\n";

std::string Bytes(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ChildOutcome RunProgram(const std::vector<std::string>& args) {
    return RunChildProcess(DAPPLE_PROGRAM, args, [] { return false; });
}

class NonAsciiPaths : public ScratchFolderTest {
protected:
    // A picture, a mask and a settings file whose names begin with `stem`;
    // the options that use the mask and the settings.
    std::vector<std::string> WriteInputs(const std::string& stem) {
        RasterImage picture(36, 28, 3);
        RasterImage mask(36, 28, 1);
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = static_cast<uint8_t>(i * 7 % 251);
        for (std::size_t i = 0; i < mask.pixels.size(); ++i) mask.pixels[i] = static_cast<uint8_t>(i % 3 * 120);
        EXPECT_TRUE(WriteImageFile(PathOf(stem + ".png"), picture).Ok());
        EXPECT_TRUE(WriteImageFile(PathOf(stem + " mask.png"), mask).Ok());
        std::ofstream(PathFromUtf8(PathOf(stem + " settings")), std::ios::binary) << kEdgeSettings;
        return {"--mask", PathOf(stem + " mask.png"), "--settings", PathOf(stem + " settings"), "--quiet"};
    }

    static std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& options) {
        args.insert(args.end(), options.begin(), options.end());
        return args;
    }
};

TEST_F(NonAsciiPaths, TheProgramTakesThemAndOpensTheirFiles) {
    // What the effect writes for these inputs, from ASCII names in this process.
    const std::vector<std::string> plain = WriteInputs("plain");
    const CommandResult reference =
        RunCommand(With({"apply", "edge", PathOf("plain.png"), PathOf("plain out.png")}, plain));
    ASSERT_EQ(reference.code, kExitSuccess) << reference.err;
    const std::string expected = Bytes(PathOf("plain out.png"));
    ASSERT_FALSE(expected.empty());

    const std::vector<std::string> options = WriteInputs(kName);
    const ChildOutcome single =
        RunProgram(With({"apply", "edge", PathOf(kName + ".png"), PathOf(kName + " out.png")}, options));
    ASSERT_TRUE(single.started) << single.problem;
    EXPECT_EQ(single.exitCode, kExitSuccess) << single.errorText;
    EXPECT_EQ(Bytes(PathOf(kName + " out.png")), expected);

    const std::string folder = PathOf(kName + " folder");
    const ChildOutcome batch = RunProgram(With(
        {"apply", "edge", PathOf(kName + ".png"), "--out-dir", folder, "--suffix", " \xE2\x80\x93 fini"}, options));
    ASSERT_TRUE(batch.started) << batch.problem;
    EXPECT_EQ(batch.exitCode, kExitSuccess) << batch.errorText;
    std::vector<std::string> written;
    for (const fs::directory_entry& entry : fs::directory_iterator(PathFromUtf8(folder)))
        written.push_back(Utf8FromPath(entry.path().filename()));
    EXPECT_EQ(written, std::vector<std::string>{kName + " \xE2\x80\x93 fini.png"});
    EXPECT_EQ(Bytes(folder + "/" + kName + " \xE2\x80\x93 fini.png"), expected);

    // A message names the file as it was given.
    const ChildOutcome missing = RunProgram({"apply", "edge", PathOf(kName + " gone.png"), PathOf("never.png")});
    EXPECT_EQ(missing.exitCode, kExitUsage);
    EXPECT_NE(missing.errorText.find(PathOf(kName + " gone.png")), std::string::npos) << missing.errorText;
}

}  // namespace
