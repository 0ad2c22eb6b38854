// A plug-in module's dialog as hosts show it: the module's core brings its
// own dialog, which the host's user works with through the menus and then
// confirms or cancels. A confirmed run is recorded, and the recording played
// back without the dialog gives the same picture, for every module with its
// content beside it. Hosts differ: this one gives no parent window, and in
// one run leaves the property and descriptor suites out.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/FilterKind.h"
#include "inprocesshost/InProcessHost.h"
#include "inprocesshost/PluginModule.h"
#include "platform/TextEncoding.h"
#include "plugins/EffectModules.h"
#include "tests/plugins/PluginFolder.h"

namespace {

// Menu commands of the dialog.
constexpr UINT kFirstFactorySetting = 7000;
constexpr UINT kResetToDefaults = 10025;
constexpr UINT kFirstEffect = 4000;  // + the effect's kind

// What the user does once the dialog has been up for a moment: one command
// a tick, the last one ending the dialog.
std::vector<std::wstring> gTitles;
std::vector<UINT> gCommands;
std::size_t gNext = 0;
HWND gDialog = nullptr;
int gTicks = 0;

// The dialog, under the title of any effect it may show (not a warning
// box, which is a dialog too).
BOOL CALLBACK FindDialog(HWND hwnd, LPARAM) {
    wchar_t className[16] = {};
    wchar_t title[64] = {};
    GetClassNameW(hwnd, className, 16);
    GetWindowTextW(hwnd, title, 64);
    if (!IsWindowVisible(hwnd) || lstrcmpW(className, L"#32770") != 0) return TRUE;
    for (const std::wstring& known : gTitles) {
        if (known == title) gDialog = hwnd;
    }
    return TRUE;
}

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR, DWORD) {
    gDialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, 0);
    if (gDialog == nullptr || ++gTicks < 20 || gNext >= gCommands.size()) return;
    PostMessageW(gDialog, WM_COMMAND, gCommands[gNext++], 0);
}

HostImage Picture() {
    HostImage image(HostImageMode::Rgb, 160, 120, true);
    for (int32_t y = 0; y < 120; ++y) {
        for (int32_t x = 0; x < 160; ++x) {
            image.At(x, y, 0) = static_cast<uint8_t>(40 + x);
            image.At(x, y, 1) = static_cast<uint8_t>(60 + y);
            image.At(x, y, 2) = static_cast<uint8_t>((x * y) & 255);
            image.At(x, y, 3) = x >= 4 && x < 156 && y >= 3 && y < 117 ? 255 : 0;
        }
    }
    return image;
}

// The dialog's title: the host's menu entry without its ellipsis.
std::wstring DialogTitle(const EffectModule& effect) {
    std::string title = effect.menuName;
    if (title.size() > 3 && title.compare(title.size() - 3, 3, "...") == 0) title.resize(title.size() - 3);
    return WideFromUtf8(title);
}

class DialogModule : public testing::TestWithParam<EffectModule> {
protected:
    void SetUp() override {
        std::string problem;
        module = LoadPluginModule(Utf8FromWide(ModulePath(GetParam().fileName)), problem);
        ASSERT_NE(module, nullptr) << problem;
    }

    // Runs the effect with its dialog, in which the user gives `commands`.
    RunOutcome RunAnswered(InProcessHost& host, std::vector<UINT> commands) {
        gTitles.clear();
        for (const EffectModule& effect : kEffectModules) gTitles.push_back(DialogTitle(effect));
        gCommands = std::move(commands);
        gNext = 0;
        gTicks = 0;
        host.SetEntry(module->Entry()).SetImage(Picture()).SetPlayMode(ps::plugInDialogDisplay);
        const UINT_PTR timer = SetTimer(nullptr, 0, 10, AnswerDialog);
        RunOptions options;
        options.parametersSelector = true;
        const RunOutcome outcome = host.RunFilter(GetParam().kind, options);
        KillTimer(nullptr, timer);
        return outcome;
    }

    // The picture the effect makes without a dialog: at its defaults, or as
    // `played` says.
    std::vector<uint8_t> SilentResult(std::optional<DescriptorStore> played = std::nullopt) {
        InProcessHost host;
        host.SetEntry(module->Entry()).SetImage(Picture());
        if (played) host.SetPlayDescriptor(std::move(played)).SetPlayMode(ps::plugInDialogDontDisplay);
        const RunOutcome outcome = host.RunFilter(GetParam().kind);
        EXPECT_TRUE(outcome.Succeeded()) << outcome.errorText;
        return host.Image().pixels;
    }

    std::unique_ptr<PluginModule> module;
};

const EffectModule& EdgesModule() { return *FindEffectModule(FilterKinds::Edge); }

std::string ModuleName(const testing::TestParamInfo<EffectModule>& info) { return info.param.fileName; }

}  // namespace

TEST_P(DialogModule, AConfirmedFactorySettingIsRecordedAndPlaysBackWithoutTheDialog) {
    InProcessHost host;
    const RunOutcome outcome = RunAnswered(host, {kFirstFactorySetting, IDOK});
    ASSERT_TRUE(outcome.Succeeded()) << outcome.errorText;
    EXPECT_EQ(gNext, 2u);  // the dialog really was up and took both commands
    EXPECT_NE(host.Image().pixels, Picture().pixels);
    EXPECT_NE(host.Image().pixels, SilentResult()) << "the setting changed nothing";
    ASSERT_TRUE(host.RecordedDescriptor().has_value());
    EXPECT_EQ(SilentResult(host.RecordedDescriptor()), host.Image().pixels);
    EXPECT_EQ(host.LeakedHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryModule, DialogModule, testing::ValuesIn(kEffectModules), ModuleName);

// The Edges module stands for all in what does not depend on the effect.
class EdgesDialogModule : public DialogModule {};

TEST_P(EdgesDialogModule, OkRendersAndRecordsTheConfirmedParameters) {
    InProcessHost host;
    // The defaults, whatever the user's last used settings were.
    const RunOutcome outcome = RunAnswered(host, {kResetToDefaults, IDOK});
    ASSERT_TRUE(outcome.Succeeded()) << outcome.errorText;
    EXPECT_EQ(gNext, 2u);
    EXPECT_EQ(host.Image().pixels, SilentResult());
    ASSERT_TRUE(host.RecordedDescriptor().has_value());
    EXPECT_FALSE(host.RecordedDescriptor()->Empty());
    EXPECT_EQ(host.LeakedHandles(), 0);
}

TEST_P(EdgesDialogModule, SwitchingThroughEveryEffectAndBackAppliesTheOneShownLast) {
    InProcessHost host;
    std::vector<UINT> commands;
    for (const EffectModule& effect : kEffectModules) commands.push_back(kFirstEffect + effect.kind);
    commands.insert(commands.end(), {kFirstEffect + FilterKinds::Edge, kResetToDefaults, IDOK});
    const RunOutcome outcome = RunAnswered(host, commands);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.errorText;
    EXPECT_EQ(gNext, commands.size());
    EXPECT_EQ(host.Image().pixels, SilentResult());
}

TEST_P(EdgesDialogModule, CancelLeavesThePictureAndRecordsNothing) {
    InProcessHost host;
    const RunOutcome outcome = RunAnswered(host, {kFirstFactorySetting, IDCANCEL});
    EXPECT_FALSE(outcome.Succeeded());
    EXPECT_EQ(gNext, 2u);
    EXPECT_EQ(host.Image().pixels, Picture().pixels);
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
}

TEST_P(EdgesDialogModule, AHostWithoutPropertiesOrDescriptorsStillShowsAndConfirmsIt) {
    InProcessHost host;
    host.Without(HostCallback::Properties).Without(HostCallback::Descriptors);
    const RunOutcome outcome = RunAnswered(host, {kResetToDefaults, IDOK});
    ASSERT_TRUE(outcome.Succeeded()) << outcome.errorText;
    EXPECT_EQ(gNext, 2u);
    EXPECT_EQ(host.Image().pixels, SilentResult());
}

INSTANTIATE_TEST_SUITE_P(Edges, EdgesDialogModule, testing::Values(EdgesModule()), ModuleName);
