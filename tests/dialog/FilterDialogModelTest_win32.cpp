// The dialog's model through the real dialog: the preview's worker and the
// parameters, undo and redo, Cancel, pages, effect switching and its
// failures, and the host calls the worker relays through the dialog's
// window.
#include <chrono>
#include <cstring>
#include <thread>

#include "FilterDialogFixture_win32.h"
#include "controls/VtCheckboxControl.h"
#include "controls/VtRandomSeedControl.h"
#include "controls/VtTabControl.h"
#include "tests/controls/TestWindows.h"

namespace {

constexpr UINT kUndo = 10018;
constexpr UINT kRedo = 10019;

}  // namespace

TEST_F(FilterDialogTest, AChangeWhileRenderingStopsTheWorkerFirstAndOneRenderStartsAtTheNextTick) {
    const RunOutcome outcome = RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        DialogProbe().hold = true;
        Tick(dialog);
        WaitForRenderStart(1);
        TypeAmount(dialog, L"77");
        // The held render was stopped before the amount changed: it saw the
        // old amount to its end.
        EXPECT_TRUE(DialogProbe().lastAborted);
        EXPECT_EQ(DialogProbe().amountAtEnd, kDialogProbeDefaultAmount);
        EXPECT_EQ(Record(dialog).amount, 77.0);
        EXPECT_EQ(dialog.Model()->Preview()->State(), PreviewState::Dirty);
        PumpMessagesFor(50);
        EXPECT_EQ(DialogProbe().rendersStarted, 1);  // nothing starts between ticks
        Tick(dialog);
        WaitForRenderStart(2);
        EXPECT_EQ(DialogProbe().amountAtStart, 77.0);
        DialogProbe().hold = false;
        TickUntilRendered(dialog);
        EXPECT_EQ(DialogProbe().rendersStarted, 2);
        EXPECT_EQ(dialog.Model()->Preview()->State(), PreviewState::Shown);
        Command(dialog, IDOK);
    });
    EXPECT_TRUE(outcome.Succeeded());
    EXPECT_EQ(StoredRecord(kProbeKind).amount, 77.0);
}

TEST_F(FilterDialogTest, ACancelledRenderRestartsByItselfAndAFailedOneIsShown) {
    RunWithDialog(kProbeKind, [this](FilterDialog& dialog) {
        DialogProbe().nextStatus = ResultCode::kCancelled;
        TickUntilRendered(dialog);
        EXPECT_EQ(DialogProbe().rendersStarted, 2);
        EXPECT_EQ(dialog.Model()->Preview()->State(), PreviewState::Shown);
        EXPECT_TRUE(warnings.empty());

        DialogProbe().nextStatus = ResultCode::kFailure;
        TypeAmount(dialog, L"40");
        TickUntilRendered(dialog);
        EXPECT_EQ(dialog.Model()->Preview()->State(), PreviewState::Failed);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0], WarningLine(LoadResourceString(10031)));
        Tick(dialog);
        EXPECT_EQ(DialogProbe().rendersStarted, 3);  // no retry until the next change
    });
}

TEST_F(FilterDialogTest, UndoAndRedoFollowTheHistoryAndANewChangeEmptiesRedo) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        EXPECT_FALSE(MenuItemEnabled(dialog, kUndo));
        Command(dialog, kUndo);  // nothing to undo
        EXPECT_EQ(Record(dialog).amount, kDialogProbeDefaultAmount);
        EXPECT_FALSE(MenuItemEnabled(dialog, kUndo));
        EXPECT_FALSE(MenuItemEnabled(dialog, kRedo));

        TypeAmount(dialog, L"50");
        TypeAmount(dialog, L"60");
        EXPECT_TRUE(MenuItemEnabled(dialog, kUndo));
        Command(dialog, kUndo);
        EXPECT_EQ(Record(dialog).amount, 50.0);
        EXPECT_EQ(AmountSlider(dialog).GetValue(), 50.0);
        EXPECT_TRUE(MenuItemEnabled(dialog, kRedo));
        Command(dialog, kRedo);
        EXPECT_EQ(Record(dialog).amount, 60.0);
        Command(dialog, kUndo);
        Command(dialog, kUndo);
        EXPECT_EQ(Record(dialog).amount, kDialogProbeDefaultAmount);
        EXPECT_FALSE(MenuItemEnabled(dialog, kUndo));

        TypeAmount(dialog, L"10");
        EXPECT_FALSE(MenuItemEnabled(dialog, kRedo));
        Command(dialog, kRedo);
        EXPECT_EQ(Record(dialog).amount, 10.0);
        // Reset to defaults is a change that can be undone.
        Command(dialog, 10025);
        EXPECT_EQ(Record(dialog).amount, kDialogProbeDefaultAmount);
        Command(dialog, kUndo);
        EXPECT_EQ(Record(dialog).amount, 10.0);
    });
}

TEST_F(FilterDialogTest, CancelAfterSeveralChangesLeavesTheBlockAsItWas) {
    ASSERT_TRUE(host.RunFilter(kProbeKind).Succeeded());  // makes the parameters handle
    StoreRecord(kProbeKind, DialogProbeRecord{kProbeKind, 12.0, 1, 7});
    std::string before;
    ASSERT_TRUE(host.Handles().Read(host.ParametersHandle(kProbeKind), before));
    const HostImage image = host.Image();
    const RunOutcome outcome = RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TypeAmount(dialog, L"90");
        TypeAmount(dialog, L"91");
        Command(dialog, 10025);
        Command(dialog, kUndo);
        TickUntilRendered(dialog);
        Command(dialog, IDCANCEL);
    });
    EXPECT_FALSE(outcome.Succeeded());
    std::string after;
    ASSERT_TRUE(host.Handles().Read(host.ParametersHandle(kProbeKind), after));
    EXPECT_EQ(after, before);
    EXPECT_EQ(host.Image().pixels, image.pixels);
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
}

TEST_F(FilterDialogTest, OnePageNeedsNoTabsAndSeveralPagesGetThem) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        EXPECT_EQ(dialog.Model()->Tabs(), nullptr);
        for (const ParameterControl& bound : dialog.Model()->Controls()) {
            EXPECT_EQ(GetParent(bound.window->Hwnd()), dialog.Hwnd());
        }
    });
    DialogProbe().twoPages = true;
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        VtTabControl* tabs = dialog.Model()->Tabs();
        ASSERT_NE(tabs, nullptr);
        ASSERT_EQ(tabs->PageCount(), 2);
        const std::vector<ParameterControl>& controls = dialog.Model()->Controls();
        EXPECT_EQ(GetParent(controls.at(0).window->Hwnd()), tabs->PageWindow(0));
        EXPECT_EQ(GetParent(controls.at(1).window->Hwnd()), tabs->PageWindow(1));
    });
}

TEST_F(FilterDialogTest, SwitchingEffectsKeepsEachEffectsParameters) {
    const RunOutcome outcome = RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TypeAmount(dialog, L"70");
        Command(dialog, 4000 + kOtherProbeKind);
        ASSERT_EQ(dialog.Model()->CurrentKind(), kOtherProbeKind);
        EXPECT_EQ(Record(dialog).amount, kDialogProbeDefaultAmount);
        EXPECT_FALSE(MenuItemEnabled(dialog, kUndo));  // each effect has its own history
        TypeAmount(dialog, L"40");
        Command(dialog, 4000 + kProbeKind);
        EXPECT_EQ(Record(dialog).amount, 70.0);
        EXPECT_EQ(AmountSlider(dialog).GetValue(), 70.0);
        EXPECT_TRUE(MenuItemEnabled(dialog, kUndo));
        Command(dialog, 10010);  // next effect
        EXPECT_EQ(dialog.Model()->CurrentKind(), kOtherProbeKind);
        EXPECT_EQ(Record(dialog).amount, 40.0);
        const UINT checked = GetMenuState(GetMenu(dialog.Hwnd()), 4000 + kOtherProbeKind, MF_BYCOMMAND);
        EXPECT_NE(checked & MF_CHECKED, 0u);
        TickUntilRendered(dialog);
        Command(dialog, IDOK);
    });
    ASSERT_TRUE(outcome.Succeeded());
    // The effect chosen in the dialog rendered with its parameters.
    const DialogProbeRecord stored = StoredRecord(kProbeKind);
    EXPECT_EQ(stored.kind, kOtherProbeKind);
    EXPECT_EQ(stored.amount, 40.0);
    EXPECT_EQ(DialogProbe().amountAtEnd, 40.0);
}

TEST_F(FilterDialogTest, TheWorkersHostCallsAreAnsweredEvenWhileTheDialogStopsIt) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        DialogProbe().askHost = true;
        DialogProbe().hold = true;
        Tick(dialog);
        WaitForRenderStart(1);
        for (int i = 0; i < 1000 && DialogProbe().hostCalls < 3; ++i) {
            PumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_GE(DialogProbe().hostCalls, 3);
        EXPECT_EQ(DialogProbe().hostAnswer, ps::noErr);
        // The worker keeps asking while the dialog waits for it to stop.
        TypeAmount(dialog, L"55");
        EXPECT_TRUE(DialogProbe().lastAborted);
        DialogProbe().hold = false;
        DialogProbe().askHost = false;
    });
}

namespace {

// A host that keeps its own windows going while it answers a colour call,
// as the user clicks the dialog's Cancel meanwhile.
ps::ColorServicesProc gHostsColourServices = nullptr;
HWND gCancelButton = nullptr;

ps::OSErr PS_CALLBACK ColourServicesWhileTheUserCancels(ps::ColorServicesInfo* info) {
    if (gCancelButton != nullptr) {
        PostMessageW(gCancelButton, BM_CLICK, 0, 0);
        gCancelButton = nullptr;
        PumpMessages();
    }
    return gHostsColourServices(info);
}

}  // namespace

TEST_F(FilterDialogTest, CancelClickedWhileTheHostAnswersTheWorkerEndsTheDialog) {
    const RunOutcome outcome = RunWithDialog(kProbeKind, [this](FilterDialog& dialog) {
        gHostsColourServices = host.Record().colorServices;
        host.Record().colorServices = ColourServicesWhileTheUserCancels;
        gCancelButton = dialog.Model()->CancelButton()->ButtonHwnd();
        DialogProbe().askHost = true;
        DialogProbe().hold = true;
        Tick(dialog);
        for (int i = 0; i < 3000 && !dialog.Model()->Destroyed(); ++i) {
            PumpMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_TRUE(dialog.Model()->Destroyed());
        EXPECT_EQ(gCancelButton, nullptr) << "the host was never asked";
        DialogProbe().hold = false;
        host.Record().colorServices = gHostsColourServices;
    });
    EXPECT_EQ(outcome.result, ResultCode::kCancelled);
    EXPECT_FALSE(host.RecordedDescriptor().has_value());
}

TEST_F(FilterDialogTest, AFieldLeftWhileTheControlsAreTornDownChangesNoOtherValue) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        SendMessageW(ControlOf<VtCheckboxControl>(dialog, kDialogProbeFlagKey).ButtonHwnd(), BM_CLICK, 0, 0);
        ASSERT_EQ(Record(dialog).flag, 1);
        HWND seed = ControlOf<VtRandomSeedControl>(dialog, kDialogProbeSeedKey).EditHwnd();
        SetFocus(seed);
        ReplaceText(seed, L"42");
        // The switch tears the controls down with the typed seed not yet taken.
        ASSERT_TRUE(dialog.Model()->SelectEffect(kOtherProbeKind).IsSuccess());
        ASSERT_TRUE(dialog.Model()->SelectEffect(kProbeKind).IsSuccess());
        EXPECT_EQ(Record(dialog).flag, 1);
        EXPECT_EQ(Record(dialog).amount, kDialogProbeDefaultAmount);
        EXPECT_EQ(Record(dialog).seed, 42);
    });
}

TEST_F(FilterDialogTest, AnEffectWhosePageCannotBeMadeLeavesTheDialogOnTheEffectShown) {
    DialogProbe().unbuildable = kOtherProbeKind;
    const RunOutcome outcome = RunWithDialog(kProbeKind, [this](FilterDialog& dialog) {
        TypeAmount(dialog, L"70");
        PressKeys(dialog, {VK_CONTROL, VK_OEM_6});
        EXPECT_EQ(dialog.Model()->CurrentKind(), kProbeKind);
        ASSERT_EQ(dialog.Model()->Controls().size(), 3u);
        EXPECT_EQ(AmountSlider(dialog).GetValue(), 70.0);
        EXPECT_EQ(warnings.size(), 1u) << "the user is not told why";
        TickUntilRendered(dialog);
        EXPECT_EQ(DialogProbe().amountAtEnd, 70.0);
        Command(dialog, IDOK);
    });
    ASSERT_TRUE(outcome.Succeeded());
    const DialogProbeRecord stored = StoredRecord(kProbeKind);
    EXPECT_EQ(stored.kind, kProbeKind);
    EXPECT_EQ(stored.amount, 70.0);
}

TEST_F(FilterDialogTest, AnUnrelatedChangeKeepsTheSeedAndTypedSeedsTakeTheParametersRange) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TypeAmount(dialog, L"50");
        EXPECT_EQ(Record(dialog).seed, kDialogProbeDefaultSeed);
        HWND seed = ControlOf<VtRandomSeedControl>(dialog, kDialogProbeSeedKey).EditHwnd();
        SetFocus(seed);
        ReplaceText(seed, L"65535");
        SetFocus(dialog.Model()->OkButton()->ButtonHwnd());
        EXPECT_EQ(Record(dialog).seed, 65535);
    });
}
