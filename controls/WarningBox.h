// The toolkit's warning boxes: task-modal, with the warning icon, owned by
// the caller's window (which may be null).
#pragma once

#include <string>

#include "platform/WinApi.h"

// `caption` null: the system's default caption.
void ShowToolkitWarning(HWND owner, const std::string& text, const char* caption);
// The text is string `messageId` of the resource module.
void ShowToolkitWarning(HWND owner, int messageId, const char* caption);
