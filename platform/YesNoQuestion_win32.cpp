#include "platform/YesNoQuestion.h"

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

bool AskYesNo(void* ownerWindow, const std::string& caption, const std::string& text) {
    return MessageBoxW(static_cast<HWND>(ownerWindow), WideFromUtf8(text).c_str(), WideFromUtf8(caption).c_str(),
                       MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING | MB_TASKMODAL) == IDYES;
}
