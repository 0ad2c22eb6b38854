// Between the portable half of the interrupt handling (Interrupts.cpp) and
// each system's handler.
#pragma once

// Marks an interrupt; true when one came before.
bool NoteInterrupt(int signal);
// The signal NoteInterrupt noted first (0: none).
int NotedInterruptSignal();
// Removes every registered temporary file. Safe in a signal handler.
void RemoveRegisteredTemporaryFiles();
// Calls `tell` for every registered child process. Safe in a signal handler.
void TellRegisteredChildren(void (*tell)(long long processId, int signal), int signal);
// The longest registered path, in bytes with its closing zero.
inline constexpr int kMaxRegisteredPathBytes = 1024;
// Each system's file removal that a handler may call.
void RemoveFileInHandler(const char* path);
