// A plug-in module's dialog as hosts show it: the module's core brings its
// own dialog, which the host's user confirms or cancels. Hosts differ: this
// one gives no parent window, and in one run leaves the property and
// descriptor suites out.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "inprocesshost/InProcessHost.h"
#include "inprocesshost/PluginModule.h"
#include "platform/TextEncoding.h"
#include "tests/plugins/PluginFolder.h"

namespace {

// The command the user gives once the dialog has been up for a moment.
UINT gAnswer = IDOK;
HWND gDialog = nullptr;
int gTicks = 0;

// The Edges dialog (not a warning box, which is a dialog too).
BOOL CALLBACK FindDialog(HWND hwnd, LPARAM) {
    wchar_t className[16] = {};
    wchar_t title[16] = {};
    GetClassNameW(hwnd, className, 16);
    GetWindowTextW(hwnd, title, 16);
    if (IsWindowVisible(hwnd) && lstrcmpW(className, L"#32770") == 0 && lstrcmpW(title, L"Edges") == 0) gDialog = hwnd;
    return TRUE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD) {
    gDialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
    if (gDialog == nullptr || ++gTicks < 20) return;
    PostMessageW(gDialog, WM_COMMAND, gAnswer, 0);
}

HostImage Picture() {
    HostImage image(HostImageMode::Rgb, 90, 70, true);
    for (int32_t y = 0; y < 70; ++y) {
        for (int32_t x = 0; x < 90; ++x) {
            image.At(x, y, 0) = static_cast<uint8_t>(40 + x);
            image.At(x, y, 1) = static_cast<uint8_t>(60 + y);
            image.At(x, y, 2) = 120;
            image.At(x, y, 3) = x >= 4 && x < 86 && y >= 3 && y < 67 ? 255 : 0;
        }
    }
    return image;
}

class DialogModule : public testing::Test {
protected:
    void SetUp() override {
        std::string problem;
        module = LoadPluginModule(Utf8FromWide(ModulePath("DappleEdges")), problem);
        ASSERT_NE(module, nullptr) << problem;
    }

    // Runs Edges with its dialog, answered with `answer`.
    RunOutcome RunAnswered(InProcessHost& host, UINT answer) {
        gAnswer = answer;
        gTicks = 0;
        host.SetEntry(module->Entry()).SetImage(Picture()).SetPlayMode(ps::plugInDialogDisplay);
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, AnswerDialog);
        RunOptions options;
        options.parametersSelector = true;
        const RunOutcome outcome = host.RunFilter(FilterKinds::Edge, options);
        KillTimer(nullptr, timer);
        return outcome;
    }

    // The picture the effect makes at its defaults, without a dialog.
    std::vector<uint8_t> SilentResult() {
        InProcessHost host;
        host.SetEntry(module->Entry()).SetImage(Picture());
        EXPECT_TRUE(host.RunFilter(FilterKinds::Edge).Succeeded());
        return host.Image().pixels;
    }

    std::unique_ptr<PluginModule> module;
};

}  // namespace

TEST_F(DialogModule, OkRendersAndRecordsTheConfirmedParameters) {
    InProcessHost host;
    const RunOutcome outcome = RunAnswered(host, IDOK);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.errorText;
    EXPECT_GE(gTicks, 20);  // the dialog really was up
    EXPECT_EQ(host.Image().pixels, SilentResult());
    ASSERT_TRUE(host.RecordedDescriptor().has_value());
    EXPECT_FALSE(host.RecordedDescriptor()->Empty());
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST_F(DialogModule, CancelLeavesThePictureAndRecordsNothing) {
    InProcessHost host;
    const RunOutcome outcome = RunAnswered(host, IDCANCEL);
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_EQ(host.Image().pixels, Picture().pixels);
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
}

TEST_F(DialogModule, AHostWithoutPropertiesOrDescriptorsStillShowsAndConfirmsIt) {
    InProcessHost host;
    host.Without(HostCallback::Properties).Without(HostCallback::Descriptors);
    const RunOutcome outcome = RunAnswered(host, IDOK);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.errorText;
    EXPECT_GE(gTicks, 20);
    EXPECT_EQ(host.Image().pixels, SilentResult());
}
