#include "controls/WarningBox.h"

#include "platform/ResourceStrings.h"
#include "platform/TextEncoding.h"

void ShowToolkitWarning(HWND owner, const std::string& text, const char* caption) {
    const std::wstring wideText = WideFromUtf8(text);
    const std::wstring wideCaption = caption != nullptr ? WideFromUtf8(caption) : std::wstring();
    MessageBoxW(owner, wideText.c_str(), caption != nullptr ? wideCaption.c_str() : nullptr,
                MB_OK | MB_TASKMODAL | MB_ICONWARNING);
}

void ShowToolkitWarning(HWND owner, int messageId, const char* caption) {
    ShowToolkitWarning(owner, LoadResourceString(messageId), caption);
}
