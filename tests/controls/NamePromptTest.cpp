// The name prompt of template 10002, answered by a timer as a user would.
#include <gtest/gtest.h>

#include "controls/ChildWindows.h"
#include "controls/KeyboardHook.h"
#include "controls/NamePromptDialog.h"
#include "controls/UserPrompts.h"
#include "tests/controls/TestWindows.h"

namespace {

// What the "user" does when the prompt is up.
std::string gTyped;
bool gConfirm = true;
std::string gPromptSeen;
std::string gNameSeen;
bool gHookSuspended = false;

void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = GetActiveWindow();
    if (dialog == nullptr || GetDlgItem(dialog, NamePromptDialog::kNameItem) == nullptr) return;
    KillTimer(nullptr, timer);
    gPromptSeen = WindowTextUtf8(GetDlgItem(dialog, NamePromptDialog::kPromptItem));
    gNameSeen = WindowTextUtf8(GetDlgItem(dialog, NamePromptDialog::kNameItem));
    gHookSuspended = KeyboardHook::suspended;
    SetWindowTextUtf8(GetDlgItem(dialog, NamePromptDialog::kNameItem), gTyped);
    SendMessageW(GetDlgItem(dialog, gConfirm ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
}

}  // namespace

TEST(NamePrompt, ShowsTheTextAndNameAndHandsBackWhatWasTyped) {
    TestParentWindow owner;
    WindowsUserPrompts prompts;
    gTyped = "Golden Hour";
    gConfirm = true;
    SetTimer(nullptr, 0, 50, Answer);
    std::string name = "Sunset";
    ASSERT_TRUE(prompts.AskName(owner.Hwnd(), "Save Gradient", "Name of the gradient:", name));
    EXPECT_EQ(name, "Golden Hour");
    EXPECT_EQ(gPromptSeen, "Name of the gradient:");
    EXPECT_EQ(gNameSeen, "Sunset");
    EXPECT_TRUE(gHookSuspended);  // the prompt's keys are its own
    EXPECT_FALSE(KeyboardHook::suspended);
}

TEST(NamePrompt, CancellingKeepsTheName) {
    TestParentWindow owner;
    WindowsUserPrompts prompts;
    gTyped = "Ignored";
    gConfirm = false;
    SetTimer(nullptr, 0, 50, Answer);
    std::string name = "Sunset";
    EXPECT_FALSE(prompts.AskName(owner.Hwnd(), "Rename", "New name:", name));
    EXPECT_EQ(name, "Sunset");
}
