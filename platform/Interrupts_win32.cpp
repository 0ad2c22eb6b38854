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

// The command opens its files with the narrow C library functions, so the
// path is given to the system the same way.
void RemoveFileInHandler(const char* path) { DeleteFileA(path); }

void CatchInterrupts() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

void EndAsInterrupted() { ExitProcess(STATUS_CONTROL_C_EXIT); }
