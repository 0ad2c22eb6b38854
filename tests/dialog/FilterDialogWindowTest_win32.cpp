// The dialog window: its size limits, the layout after sizing, shortcuts,
// the timer with menus open, and the menus the model fills.
#include "FilterDialogFixture_win32.h"
#include "controls/CommonControls.h"
#include "controls/KeyboardHook.h"
#include "controls/VtButtonControl.h"
#include "controls/VtPreviewControl.h"
#include "controls/VtStatusBarControl.h"
#include "tests/controls/TestWindows.h"

namespace {

constexpr LPARAM kRepeated = 0x40000001;  // bit 30: the key was down already

// Holds `keys` in the thread's keyboard state while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) : keys_(keys) { Set(0x80); }
    ~HeldKeys() { Set(0); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    void Set(BYTE state) {
        BYTE all[256] = {};
        GetKeyboardState(all);
        for (int key : keys_) all[key] = state;
        SetKeyboardState(all);
    }
    std::vector<int> keys_;
};

int ItemCount(FilterDialog& dialog, int submenu) {
    return GetMenuItemCount(GetSubMenu(GetMenu(dialog.Hwnd()), submenu));
}

UINT ItemId(FilterDialog& dialog, int submenu, int position) {
    return GetMenuItemID(GetSubMenu(GetMenu(dialog.Hwnd()), submenu), position);
}

}  // namespace

TEST_F(FilterDialogTest, TheWindowCannotShrinkBelow700By500) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        RECT dragged{100, 100, 300, 250};
        SendMessageW(dialog.Hwnd(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&dragged));
        EXPECT_EQ(dragged.left, 100);
        EXPECT_EQ(dragged.top, 100);
        EXPECT_EQ(dragged.right, 800);
        EXPECT_EQ(dragged.bottom, 600);
        SetWindowPos(dialog.Hwnd(), nullptr, 0, 0, 320, 200, SWP_NOMOVE | SWP_NOZORDER);
        RECT window{};
        GetWindowRect(dialog.Hwnd(), &window);
        EXPECT_GE(window.right - window.left, 700);
        EXPECT_GE(window.bottom - window.top, 500);
    });
}

TEST_F(FilterDialogTest, ASizeDragEndingWhereItBeganDoesNotLayOutAgain) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TickUntilRendered(dialog);
        const int layouts = dialog.LayoutCount();
        SendMessageW(dialog.Hwnd(), WM_ENTERSIZEMOVE, 0, 0);
        SendMessageW(dialog.Hwnd(), WM_EXITSIZEMOVE, 0, 0);
        EXPECT_EQ(dialog.LayoutCount(), layouts);
        EXPECT_EQ(dialog.Model()->Preview()->State(), PreviewState::Shown);

        RECT window{};
        GetWindowRect(dialog.Hwnd(), &window);
        SendMessageW(dialog.Hwnd(), WM_ENTERSIZEMOVE, 0, 0);
        SetWindowPos(dialog.Hwnd(), nullptr, 0, 0, window.right - window.left + 40, window.bottom - window.top + 30,
                     SWP_NOMOVE | SWP_NOZORDER);
        EXPECT_EQ(dialog.LayoutCount(), layouts);  // not while the frame is dragged
        SendMessageW(dialog.Hwnd(), WM_EXITSIZEMOVE, 0, 0);
        EXPECT_EQ(dialog.LayoutCount(), layouts + 1);
        // The preview fills its region again, and renders for its new size.
        RECT client{};
        GetClientRect(dialog.Hwnd(), &client);
        RECT preview{};
        GetWindowRect(dialog.Model()->PreviewControl()->Hwnd(), &preview);
        MapWindowPoints(nullptr, dialog.Hwnd(), reinterpret_cast<POINT*>(&preview), 2);
        EXPECT_EQ(preview.right, client.right - 3);
        EXPECT_EQ(preview.bottom, client.bottom - 26);
        EXPECT_EQ(dialog.Model()->Preview()->State(), PreviewState::Dirty);
    });
}

TEST_F(FilterDialogTest, AShortcutActsOnceHoweverLongItsKeyRepeats) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TypeAmount(dialog, L"50");
        TypeAmount(dialog, L"60");
        {
            HeldKeys ctrl{VK_CONTROL};
            EXPECT_TRUE(PressKey('Z'));  // swallowed and posted to the dialog
            EXPECT_FALSE(KeyboardHook::HookProcedure(HC_ACTION, 'Z', kRepeated) != 0);
            EXPECT_FALSE(KeyboardHook::HookProcedure(HC_ACTION, 'Z', kRepeated) != 0);
            // A repeat that reaches the dialog some other way does nothing either.
            SendMessageW(dialog.Hwnd(), WM_KEYDOWN, 'Z', kRepeated);
            PumpMessages();
        }
        EXPECT_EQ(Record(dialog).amount, 50.0);
        // Ctrl+Z chose no tool; Z alone does, and H goes back to the hand.
        EXPECT_EQ(dialog.Model()->Preview()->Tool(), kPreviewToolPan);
        EXPECT_TRUE(PressKey('Z'));
        PumpMessages();
        EXPECT_EQ(dialog.Model()->Preview()->Tool(), kPreviewToolZoom);
        EXPECT_TRUE(PressKey('H'));
        PumpMessages();
        EXPECT_EQ(dialog.Model()->Preview()->Tool(), kPreviewToolPan);
        {
            HeldKeys ctrl{VK_CONTROL};
            PressKey('Y');
            PumpMessages();
        }
        EXPECT_EQ(Record(dialog).amount, 60.0);
        PressKey(VK_F5);
        PumpMessages();
        EXPECT_EQ(Record(dialog).amount, kDialogProbeDefaultAmount);
        // Keys that are no shortcut go on to the focused control.
        EXPECT_FALSE(PressKey('Q'));
    });
}

TEST_F(FilterDialogTest, ZoomShortcutsStepThroughTheLevels) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        PreviewModel& preview = *dialog.Model()->Preview();
        const double fitted = preview.Geometry().Scale();
        HeldKeys ctrl{VK_CONTROL};
        PressKey(VK_OEM_PLUS);
        PumpMessages();
        EXPECT_LT(preview.Geometry().Scale(), fitted);
        PressKey(VK_SUBTRACT);
        PressKey(VK_OEM_MINUS);
        PumpMessages();
        EXPECT_GT(preview.Geometry().Scale(), fitted);
        HeldKeys alt{VK_MENU};
        PressKey('0');
        PumpMessages();
        EXPECT_EQ(preview.Geometry().Scale(), 1.0);
        EXPECT_EQ(dialog.Model()->StatusBar()->ShownZoom(), "100%");
    });
}

TEST_F(FilterDialogTest, AnOpenMenuStopsTheHelpTextButNotThePreview) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        SetForegroundWindow(dialog.Hwnd());
        VtStatusBarControl& statusBar = *dialog.Model()->StatusBar();
        RECT ok{};
        GetWindowRect(dialog.Model()->OkButton()->Hwnd(), &ok);
        SetCursorPos((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
        SendMessageW(dialog.Hwnd(), WM_ENTERMENULOOP, FALSE, 0);
        TickUntilRendered(dialog);
        EXPECT_EQ(DialogProbe().rendersStarted, 1);
        EXPECT_EQ(statusBar.ShownHelp(), "");
        SendMessageW(dialog.Hwnd(), WM_EXITMENULOOP, FALSE, 0);
        if (GetForegroundWindow() != dialog.Hwnd()) GTEST_SKIP() << "the display gives the dialog no focus";
        Tick(dialog);
        EXPECT_EQ(statusBar.ShownHelp(), LoadResourceString(11000));
    });
}

TEST_F(FilterDialogTest, TheMenusKeepTheirFixedItemsThroughRefills) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        const std::vector<EffectEntry> effects = {{"One", 0}, {"Two", 1}, {"Three", 2}};
        for (int round = 0; round < 3; ++round) {
            dialog.SetEffectMenu(effects);
            dialog.SetSettingsMenu({"Mine", "Also mine"}, {"Factory"});
        }
        EXPECT_EQ(ItemCount(dialog, FilterDialog::kEffectMenu), 3 + 3);
        EXPECT_EQ(ItemId(dialog, FilterDialog::kEffectMenu, 0), 10010u);
        EXPECT_EQ(ItemId(dialog, FilterDialog::kEffectMenu, 1), 10011u);
        EXPECT_EQ(ItemId(dialog, FilterDialog::kEffectMenu, 3), 4000u);
        EXPECT_EQ(ItemId(dialog, FilterDialog::kEffectMenu, 5), 4002u);
        EXPECT_EQ(ItemCount(dialog, FilterDialog::kSettingsMenu), 6 + 2 + 1 + 1);
        EXPECT_EQ(ItemId(dialog, FilterDialog::kSettingsMenu, 0), 10015u);
        EXPECT_EQ(ItemId(dialog, FilterDialog::kSettingsMenu, 4), 10025u);
        EXPECT_EQ(ItemId(dialog, FilterDialog::kSettingsMenu, 6), 6000u);
        EXPECT_EQ(ItemId(dialog, FilterDialog::kSettingsMenu, 9), 7000u);
        std::string name;
        bool fromUser = false;
        ASSERT_TRUE(dialog.SettingOfCommand(6001, name, fromUser));
        EXPECT_EQ(name, "Also mine");
        EXPECT_TRUE(fromUser);
        ASSERT_TRUE(dialog.SettingOfCommand(7000, name, fromUser));
        EXPECT_FALSE(fromUser);
        dialog.SetSettingsMenu({}, {});
        EXPECT_EQ(ItemCount(dialog, FilterDialog::kSettingsMenu), 6);
        EXPECT_FALSE(dialog.SettingOfCommand(6000, name, fromUser));
    });
}

TEST_F(FilterDialogTest, CtrlShiftCCopiesTheParametersAsACommandLine) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TypeAmount(dialog, L"64");
        {
            HeldKeys keys{VK_CONTROL, VK_SHIFT};
            EXPECT_TRUE(PressKey('C'));
            PumpMessages();
        }
        ASSERT_TRUE(OpenClipboard(dialog.Hwnd()));
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const std::wstring text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
        if (data != nullptr) GlobalUnlock(data);
        CloseClipboard();
        EXPECT_EQ(text, L"dapple apply probe input.png output.png --set amount=64 --set invert=0 --set seed=12345");
    });
}

TEST_F(FilterDialogTest, ThePreviewEffectOptionTurnsThePreviewOffAndOn) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        const UINT state = GetMenuState(GetMenu(dialog.Hwnd()), 10028, MF_BYCOMMAND);
        EXPECT_NE(state & MF_CHECKED, 0u);
        Command(dialog, 10028);
        EXPECT_FALSE(dialog.Model()->ViewOptionChecked());
        Tick(dialog);
        Tick(dialog);
        EXPECT_EQ(DialogProbe().rendersStarted, 0);
        EXPECT_FALSE(dialog.Model()->Preview()->ShowsRendered());
        Command(dialog, 10028);
        TickUntilRendered(dialog);
        EXPECT_TRUE(dialog.Model()->Preview()->ShowsRendered());
    });
}

TEST_F(FilterDialogTest, HelpWithoutItsDocumentSaysSo) {
    // The test program's folder holds no help document.
    RunWithDialog(kProbeKind, [this](FilterDialog& dialog) {
        Command(dialog, 10026);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0], WarningLine(LoadResourceString(11401)));
    });
}

TEST_F(FilterDialogTest, TheStatusBarShowsProgressHelpAndZoomInItsParts) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        VtStatusBarControl& bar = *dialog.Model()->StatusBar();
        RECT client{};
        GetClientRect(dialog.Hwnd(), &client);
        int edges[3];
        VtStatusBarControl::PartEdges(client.right, edges);
        RECT progress{};
        SendMessageW(bar.Hwnd(), SB_GETRECT, 1, reinterpret_cast<LPARAM>(&progress));
        EXPECT_EQ(progress.right, edges[1]);
        bar.SetProgress(0.5);
        EXPECT_EQ(bar.FilledWidth(), static_cast<int>((progress.right - progress.left) * 0.5 + 0.5));
        bar.SetProgress(0.0);
        EXPECT_EQ(bar.FilledWidth(), 0);
        std::string text = "unchanged";
        ResultCode ignored;
        bar.GetHelpText(ignored, POINT{progress.left + 2, progress.top + 2}, text);
        EXPECT_EQ(text, LoadResourceString(11010));
        text = "unchanged";
        bar.GetHelpText(ignored, POINT{2, progress.top + 2}, text);
        EXPECT_EQ(text, "unchanged");
        dialog.Model()->ShowZoom(12.0);
        EXPECT_EQ(bar.ShownZoom(), "8.33%");
    });
}

TEST_F(FilterDialogTest, TheDialogsIconGoesWithIt) {
    HICON icon = nullptr;
    RunWithDialog(kProbeKind, [&icon](FilterDialog& dialog) {
        icon = reinterpret_cast<HICON>(SendMessageW(dialog.Hwnd(), WM_GETICON, ICON_SMALL, 0));
    });
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    const bool alive = GetIconInfo(icon, &info) != FALSE;
    EXPECT_FALSE(alive) << "a host running the effect a thousand times would hold a thousand icons";
    if (alive) {
        DeleteObject(info.hbmMask);
        DeleteObject(info.hbmColor);
    }
}
