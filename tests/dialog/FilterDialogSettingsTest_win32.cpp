// Named settings through the dialog: saving under a name (and the name
// prompt's refusals), loading from the settings menu, the factory's
// settings, the settings manager, the last used settings and the options
// the dialog keeps between runs.
#include <fstream>

#include "FilterDialogFixture_win32.h"
#include "dialog/ManageSettingsDialog_win32.h"
#include "tests/controls/TestWindows.h"

namespace {

constexpr UINT kSave = 10015;
constexpr UINT kManage = 10016;
constexpr UINT kRestoreLastUsed = 10017;
constexpr UINT kUndo = 10018;
constexpr UINT kFirstUserSetting = 6000;
constexpr UINT kFirstFactorySetting = 7000;

std::string MenuText(FilterDialog& dialog, UINT id) {
    wchar_t text[64] = {};
    GetMenuStringW(GetMenu(dialog.Hwnd()), id, text, 64, MF_BYCOMMAND);
    return std::string(text, text + lstrlenW(text));
}

// Chooses entry `index` of the settings manager's list as a click would.
std::function<void(HWND)> ChooseEntry(int index, UINT button) {
    return [index, button](HWND manager) {
        HWND list = GetDlgItem(manager, ManageSettingsDialog::kList);
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageW(manager, WM_COMMAND, MAKEWPARAM(ManageSettingsDialog::kList, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        PostMessageW(manager, WM_COMMAND, button, 0);
    };
}

}  // namespace

TEST_F(FilterDialogTest, ASavedSettingComesBackFromTheMenuAsAChangeThatCanBeUndone) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TypeAmount(dialog, L"42");
        AnswerDialogs({TypeName(L"Warm light")});
        Command(dialog, kSave);
        UntilAnswered();
        EXPECT_EQ(MenuText(dialog, kFirstUserSetting), "Warm light");
        TypeAmount(dialog, L"10");
        Command(dialog, kFirstUserSetting);
        EXPECT_EQ(Record(dialog).amount, 42.0);
        EXPECT_EQ(AmountSlider(dialog).GetValue(), 42.0);
        Command(dialog, kUndo);
        EXPECT_EQ(Record(dialog).amount, 10.0);
    });
    EXPECT_TRUE(std::filesystem::exists(UserFolder() / "Probe" / "Warm light"));
}

TEST_F(FilterDialogTest, TheNamePromptStaysOpenForANameThatCannotBeUsed) {
    RunWithDialog(kProbeKind, [this](FilterDialog& dialog) {
        AnswerDialogs({TypeName(L"?bad"), TypeName(L"Good")});
        Command(dialog, kSave);
        UntilAnswered();
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0], WarningLine(LoadResourceString(10017)));
        EXPECT_EQ(MenuText(dialog, kFirstUserSetting), "Good");
    });
}

TEST_F(FilterDialogTest, SavingOverASettingAsksFirst) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        TypeAmount(dialog, L"20");
        AnswerDialogs({TypeName(L"Mine")});
        Command(dialog, kSave);
        UntilAnswered();
        TypeAmount(dialog, L"80");
        AnswerDialogs({TypeName(L"Mine"), Press(IDNO)});
        Command(dialog, kSave);
        UntilAnswered();
        Command(dialog, kFirstUserSetting);
        EXPECT_EQ(Record(dialog).amount, 20.0);  // kept
        TypeAmount(dialog, L"80");
        AnswerDialogs({TypeName(L"Mine"), Press(IDYES)});
        Command(dialog, kSave);
        UntilAnswered();
        TypeAmount(dialog, L"5");
        Command(dialog, kFirstUserSetting);
        EXPECT_EQ(Record(dialog).amount, 80.0);  // replaced
    });
}

TEST_F(FilterDialogTest, TheFactorysSettingsFollowTheUsersInTheMenu) {
    std::filesystem::create_directories(PluginFolder() / kSettingsFolderName / "Probe");
    std::ofstream(PluginFolder() / kSettingsFolderName / "Probe" / "Bright", std::ios::binary)
        << "Probe\r\n1097690740 55.000\r\n";
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        EXPECT_EQ(MenuText(dialog, kFirstFactorySetting), "Bright");
        Command(dialog, kFirstFactorySetting);
        EXPECT_EQ(Record(dialog).amount, 55.0);
    });
}

TEST_F(FilterDialogTest, TheManagerRenamesAndDeletesTheUsersSettings) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        for (const wchar_t* name : {L"Alpha", L"Beta"}) {
            AnswerDialogs({TypeName(name)});
            Command(dialog, kSave);
            UntilAnswered();
        }
        AnswerDialogs({ChooseEntry(0, ManageSettingsDialog::kRenameButton), TypeName(L"Gamma"),
                       ChooseEntry(1, ManageSettingsDialog::kDeleteButton), Press(IDYES), Press(IDCANCEL)});
        Command(dialog, kManage);
        UntilAnswered();
        // Alpha became Gamma in its place; then the second entry, Beta, was
        // deleted.
        EXPECT_EQ(MenuText(dialog, kFirstUserSetting), "Gamma");
        EXPECT_EQ(MenuText(dialog, kFirstUserSetting + 1), "");
    });
    EXPECT_FALSE(std::filesystem::exists(UserFolder() / "Probe" / "Alpha"));
    EXPECT_FALSE(std::filesystem::exists(UserFolder() / "Probe" / "Beta"));
    EXPECT_TRUE(std::filesystem::exists(UserFolder() / "Probe" / "Gamma"));
}

TEST_F(FilterDialogTest, TheLastUsedSettingsOpenTheNextFirstUseAndComeBackOnRequest) {
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        EXPECT_FALSE(MenuItemEnabled(dialog, kRestoreLastUsed));
        TypeAmount(dialog, L"66");
        Command(dialog, IDOK);
    });
    // Another host: its parameters handle is new, the effect's first use.
    RestartHost();
    RunWithDialog(kProbeKind, [](FilterDialog& dialog) {
        EXPECT_EQ(Record(dialog).amount, 66.0);
        EXPECT_FALSE(MenuItemEnabled(dialog, kUndo));  // not a change of the user's
        EXPECT_TRUE(MenuItemEnabled(dialog, kRestoreLastUsed));
        TypeAmount(dialog, L"3");
        Command(dialog, kRestoreLastUsed);
        EXPECT_EQ(Record(dialog).amount, 66.0);
    });
}

TEST_F(FilterDialogTest, TheWindowAndTheViewOptionAreKeptBetweenRuns) {
    RECT kept{};
    RunWithDialog(kProbeKind, [&kept](FilterDialog& dialog) {
        SetWindowPos(dialog.Hwnd(), nullptr, 40, 30, 760, 600, SWP_NOZORDER);
        GetWindowRect(dialog.Hwnd(), &kept);
        Command(dialog, 10028);
        Command(dialog, IDOK);
    });
    RunWithDialog(kProbeKind, [&kept](FilterDialog& dialog) {
        RECT window{};
        GetWindowRect(dialog.Hwnd(), &window);
        EXPECT_EQ(window.left, kept.left);
        EXPECT_EQ(window.right - window.left, kept.right - kept.left);
        EXPECT_FALSE(dialog.Model()->ViewOptionChecked());
        EXPECT_EQ(GetMenuState(GetMenu(dialog.Hwnd()), 10028, MF_BYCOMMAND) & MF_CHECKED, 0u);
    });
}
