#include "controls/UserPrompts.h"

#include "controls/KeyboardSinks.h"
#include "controls/NamePromptDialog.h"
#include "platform/TextEncoding.h"

bool WindowsUserPrompts::AskName(HWND owner, const std::string& title, const std::string& text, std::string& name) {
    SuspendedKeyboardHook suspended;
    NamePromptDialog prompt(title, text, name);
    if (!prompt.Ask(owner, kNamePromptTemplate)) return false;
    name = prompt.Name();
    return true;
}

bool WindowsUserPrompts::Confirm(HWND owner, const std::string& caption, const std::string& text) {
    SuspendedKeyboardHook suspended;
    return MessageBoxW(owner, WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(),
                       MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING | MB_TASKMODAL) == IDYES;
}

void WindowsUserPrompts::ShowFailure(HWND owner, const std::string& text) {
    SuspendedKeyboardHook suspended;
    MessageBoxW(owner, WideFromUtf8(text).c_str(), L"Mornebrook Dapple!", MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}

std::string WithName(const std::string& text, const std::string& name) {
    const std::size_t at = text.find("%s");
    if (at == std::string::npos) return text;
    return text.substr(0, at) + name + text.substr(at + 2);
}
