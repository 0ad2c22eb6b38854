#include "platform/Warning.h"
#include "platform/WarningNative.h"

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

void ShowNativeWarning(const std::string& text, void* parentWindow) {
    const std::wstring caption = WideFromUtf8(kWarningCaption);
    MessageBoxW(static_cast<HWND>(parentWindow), WideFromUtf8(text).c_str(), caption.c_str(),
                MB_OK | MB_ICONWARNING | MB_TASKMODAL);
}
