// dialog-screenshots PICTURE FOLDER [EFFECT...]
//
// Opens the filter dialog of each effect (every effect of the build when
// none is named) on PICTURE, as a host does when the user picks the effect
// from its menu, waits until the preview has rendered, saves a picture of
// the whole dialog as FOLDER/dialog-<effect>.png and presses OK. Run under
// Wine with a display (make screenshots).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "base/AsciiCase.h"
#include "dialog/FilterDialogRunner.h"
#include "dialog/FilterDialog_win32.h"
#include "filters/Filter.h"
#include "host/FilterFactory.h"
#include "imagefiles/ImageFiles.h"
#include "inprocesshost/InProcessHost.h"
#include "platform/ModuleFolder.h"
#include "settings/SettingsFolders.h"
#include "tools/gallery/WindowPicture.h"

namespace {

// Ticks of the watch timer before the dialog counts as stuck.
constexpr int kTimerPeriod = 100;
constexpr int kPatienceTicks = 600;
// Ticks to wait once the preview is shown, for the last paints.
constexpr int kSettleTicks = 3;

struct Watch {
    std::string picture;
    int ticks = 0;
    int settled = 0;
    bool redrawn = false;
    bool saved = false;
    bool gaveUp = false;
};

Watch gWatch;

void CALLBACK WatchDialog(HWND, UINT, UINT_PTR, DWORD) {
    FilterDialog* dialog = CurrentFilterDialog();
    ++gWatch.ticks;
    if (dialog == nullptr || dialog->Model() == nullptr || dialog->Model()->Destroyed()) return;
    if (gWatch.ticks > kPatienceTicks) {
        gWatch.gaveUp = true;
        SendMessageW(dialog->Hwnd(), WM_COMMAND, IDCANCEL, 0);
        return;
    }
    PreviewModel* preview = dialog->Model()->Preview();
    if (preview == nullptr || preview->State() != PreviewState::Shown) return;
    if (++gWatch.settled < kSettleTicks) return;
    // The picture is taken off the screen, which Wine brings up to date with
    // what the windows painted only while messages are served: everything is
    // painted once more, and taken at the next tick.
    if (!gWatch.redrawn) {
        RedrawWindow(dialog->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        gWatch.redrawn = true;
        return;
    }
    const ImageFileStatus written = WriteImageFile(gWatch.picture, CaptureWindow(dialog->Hwnd()));
    gWatch.saved = written.Ok();
    if (!written.Ok()) std::fprintf(stderr, "dialog-screenshots: %s\n", written.error.c_str());
    SendMessageW(dialog->Hwnd(), WM_COMMAND, IDOK, 0);
}

// The built effects named on the command line, or all of them.
std::vector<FilterKind> ChosenKinds(int argc, char** argv) {
    std::vector<FilterKind> kinds;
    for (FilterKind kind : BuiltEffectKinds()) {
        std::unique_ptr<Filter> effect;
        if (CreateFilter(kind, effect).IsFailure()) continue;
        bool named = argc <= 3;
        for (int i = 3; i < argc; ++i) named = named || LowerCase(argv[i]) == LowerCase(effect->InternalName());
        if (named) kinds.push_back(kind);
    }
    return kinds;
}

bool Screenshot(const RasterImage& picture, FilterKind kind, const std::string& folder) {
    std::unique_ptr<Filter> effect;
    if (CreateFilter(kind, effect).IsFailure()) return false;
    gWatch = Watch{};
    gWatch.picture = folder + "/dialog-" + LowerCase(effect->InternalName()) + ".png";
    InProcessHost host;
    host.SetImage(HostImage::FromInterleaved(picture.width, picture.height, picture.channels, picture.pixels))
        .SetPlayMode(ps::plugInDialogDisplay);
    const UINT_PTR timer = SetTimer(nullptr, 0, kTimerPeriod, WatchDialog);
    RunOptions options;
    options.parametersSelector = true;
    const RunOutcome outcome = host.RunFilter(kind, options);
    KillTimer(nullptr, timer);
    if (gWatch.gaveUp)
        std::fprintf(stderr, "dialog-screenshots: the preview of %s never showed\n", gWatch.picture.c_str());
    if (!outcome.Succeeded()) std::fprintf(stderr, "dialog-screenshots: the run failed (%d)\n", outcome.result);
    if (gWatch.saved && outcome.Succeeded()) std::printf("%s\n", gWatch.picture.c_str());
    return gWatch.saved && outcome.Succeeded();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dialog-screenshots PICTURE FOLDER [EFFECT...]\n");
        return 2;
    }
    RasterImage picture;
    const ImageFileStatus read = ReadImageFile(argv[1], picture);
    if (!read.Ok()) {
        std::fprintf(stderr, "dialog-screenshots: %s\n", read.error.c_str());
        return 2;
    }
    // The settings of a user who never used the plug-in (no last used
    // settings, no window of an earlier run), beside this program's own
    // factory settings, so that the pictures show every effect as it opens
    // the first time.
    const std::filesystem::path user = std::filesystem::temp_directory_path() / "dapple-dialog-screenshots";
    std::error_code ignored;
    std::filesystem::remove_all(user, ignored);
    const GivenSettingsFolders folders(user.string(), ModuleFolder());
    InstallFilterDialogWindow(&folders);
    const std::vector<FilterKind> kinds = ChosenKinds(argc, argv);
    if (kinds.empty()) {
        std::fprintf(stderr, "dialog-screenshots: no such effect in this build\n");
        return 2;
    }
    int status = 0;
    for (FilterKind kind : kinds) {
        if (!Screenshot(picture, kind, argv[2])) status = 1;
    }
    std::filesystem::remove_all(user, ignored);
    return status;
}
