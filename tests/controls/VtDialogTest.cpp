// The dialog procedure, driven by real modal dialogs made from a template
// built in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "controls/VtDialog.h"

namespace {

// A dialog template with no items: header, no menu, default class, title
// "T", aligned as DialogBoxIndirect requires.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION | DS_MODALFRAME, 0, 0, 0, 0, 120, 60};
    WORD menu = 0;
    WORD windowClass = 0;
    WCHAR title[2] = {L'T', 0};
};

constexpr UINT kFinishMessage = 0x8010;

class ProbeDialog : public VtDialog {
public:
    void InitDialog(ResultCode& out) override {
        boundDuringInit = FromHandle(Hwnd()) == this;
        out = initResult;
        if (initResult.IsSuccess()) PostMessageW(Hwnd(), kFinishMessage, 0, 0);
    }
    LRESULT OnMessage(UINT message, WPARAM, LPARAM) override {
        messages.push_back(message);
        if (message == kFinishMessage) EndDialog(Hwnd(), 7);
        return 99;
    }
    LRESULT OnCommand(UINT, UINT id, HWND) override {
        commands.push_back(id);
        return 55;
    }

    INT_PTR Run() {
        EmptyTemplate dialogTemplate;
        return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header, nullptr, VtDialogProc,
                                       reinterpret_cast<LPARAM>(this));
    }

    ResultCode initResult = ResultCode::Success();
    bool boundDuringInit = false;
    std::vector<UINT> messages;
    std::vector<UINT> commands;
};

}  // namespace

TEST(VtDialog, InitDialogRunsBoundAndOtherMessagesReachOnMessage) {
    ProbeDialog dialog;
    EXPECT_EQ(dialog.Run(), 7);
    EXPECT_TRUE(dialog.boundDuringInit);
    EXPECT_NE(std::find(dialog.messages.begin(), dialog.messages.end(), kFinishMessage), dialog.messages.end());
}

TEST(VtDialog, AFailedInitEndsTheDialogWithItsStatus) {
    ProbeDialog dialog;
    dialog.initResult = ResultCode::OutOfMemory();
    EXPECT_EQ(dialog.Run(), -108);
    EXPECT_EQ(std::find(dialog.messages.begin(), dialog.messages.end(), kFinishMessage), dialog.messages.end());
}

TEST(VtDialog, DialogProcedureReturnsZeroWhereTheDialogManagerShouldAct) {
    ProbeDialog dialog;
    EmptyTemplate dialogTemplate;
    HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header, nullptr, VtDialogProc,
                                           reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(hwnd, nullptr);
    // OnMessage answers 99 and OnCommand 55, yet the dialog procedure
    // reports "not handled" so the dialog manager's defaults run.
    EXPECT_EQ(VtDialogProc(hwnd, 0x80C9, 0, 0), 0);
    EXPECT_EQ(SendMessageW(hwnd, 0x80C9, 0, 0), 0);
    EXPECT_EQ(VtDialogProc(hwnd, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0), 0);
    EXPECT_EQ(dialog.commands, std::vector<UINT>{1});
    EXPECT_EQ(std::count(dialog.messages.begin(), dialog.messages.end(), 0x80C9u), 2);
    // Focus messages are not dispatched at all.
    VtDialogProc(hwnd, WM_SETFOCUS, 0, 0);
    EXPECT_FALSE(dialog.HasFocus());
    DestroyWindow(hwnd);
    EXPECT_EQ(VtWindow::FromHandle(hwnd), nullptr);
}

TEST(VtDialog, TheToolkitsOwnMessagesAnswerWithTheResultOfOnMessage) {
    ProbeDialog dialog;
    EmptyTemplate dialogTemplate;
    HWND hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &dialogTemplate.header, nullptr, VtDialogProc,
                                           reinterpret_cast<LPARAM>(&dialog));
    ASSERT_NE(hwnd, nullptr);
    // A sender waiting for an answer (a host call relayed from another
    // thread) must read it, at both ends of the range.
    EXPECT_EQ(SendMessageW(hwnd, 0x8000, 0, 0), 99);
    EXPECT_EQ(SendMessageW(hwnd, 0x8007, 0, 0), 99);
    EXPECT_EQ(SendMessageW(hwnd, 0x80C8, 0, 0), 99);
    for (UINT message : {0x8000u, 0x8007u, 0x80C8u})
        EXPECT_EQ(std::count(dialog.messages.begin(), dialog.messages.end(), message), 1) << message;
    DestroyWindow(hwnd);
}

TEST(VtDialog, MessagesForAWindowWithoutObjectAreLeftToTheDialogManager) {
    EXPECT_EQ(VtDialogProc(GetDesktopWindow(), 0x8001, 0, 0), 0);
}
