#include <cstdlib>

#include "platform/Interrupts.h"
#include "platform/InterruptsShared.h"
#include "platform/WinApi.h"

namespace {

// Runs on a thread of its own that the system starts for the event.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
    if (!NoteInterrupt(static_cast<int>(event) + 1)) return TRUE;
    // The second one: the user will not wait. Files still open stay behind.
    RemoveRegisteredTemporaryFiles();
    return FALSE;
}

}  // namespace

// Paths are UTF-8. The handler runs on a thread of its own, not inside a
// signal, but still converts into a buffer of its own rather than allocate.
void RemoveFileInHandler(const char* path) {
    wchar_t wide[kMaxRegisteredPathBytes];
    if (MultiByteToWideChar(CP_UTF8, 0, path, -1, wide, kMaxRegisteredPathBytes) > 0) DeleteFileW(wide);
}

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

void EndAsInterrupted() { ExitProcess(STATUS_CONTROL_C_EXIT); }
