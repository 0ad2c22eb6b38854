#include "controls/UserPrompts.h"

#include "controls/KeyboardSinks.h"
#include "controls/NamePromptDialog.h"
#include "platform/TextEncoding.h"
#include "platform/YesNoQuestion.h"

bool WindowsUserPrompts::AskName(HWND owner, const std::string& title, const std::string& text, std::string& name) {
    SuspendedKeyboardHook suspended;
    NamePromptDialog prompt(title, text, name);
    if (!prompt.Ask(owner, kNamePromptTemplate)) return false;
    name = prompt.Name();
    return true;
}

bool WindowsUserPrompts::Confirm(HWND owner, const std::string& caption, const std::string& text) {
    SuspendedKeyboardHook suspended;
    return AskYesNo(owner, caption, text);
}

void WindowsUserPrompts::ShowFailure(HWND owner, const std::string& text) {
    SuspendedKeyboardHook suspended;
    MessageBoxW(owner, WideFromUtf8(text).c_str(), L"Mornebrook Dapple!", MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}
