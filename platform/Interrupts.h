// Ctrl+C for a command that writes files.
//
// Once CatchInterrupts has run, the first interrupt (SIGINT or SIGTERM; on
// Windows Ctrl+C, Ctrl+Break or the console closing) only asks the command to
// stop: InterruptRequested turns true, and the command drops what it is doing
// and removes its temporary files itself. A second interrupt, for a user who
// will not wait, removes the registered temporary files at once and ends the
// process.
#pragma once

#include <string>

void CatchInterrupts();
bool InterruptRequested();
// As if the user pressed Ctrl+C (true) or had not (false); for tests.
void SetInterruptRequested(bool requested);

// Ends the process the way the interrupt would have ended it, so that a
// shell running it in a loop stops too. Only after an interrupt was caught.
[[noreturn]] void EndAsInterrupted();

// A file that must not outlive the process: the second interrupt removes it.
// Registration fails silently for a path longer than the room kept for it
// or when too many are registered at once; the first interrupt's clean-up
// still removes such a file.
class TemporaryFileRegistration;

// A program this one started, which every interrupt reaches at once too
// (where the system does not do so itself). As many at once as files.
class ChildProcessRegistration {
public:
    explicit ChildProcessRegistration(long long processId);
    ~ChildProcessRegistration();
    ChildProcessRegistration(const ChildProcessRegistration&) = delete;
    ChildProcessRegistration& operator=(const ChildProcessRegistration&) = delete;

private:
    int slot_ = -1;
};

class TemporaryFileRegistration {
public:
    explicit TemporaryFileRegistration(const std::string& path);
    ~TemporaryFileRegistration();
    TemporaryFileRegistration(const TemporaryFileRegistration&) = delete;
    TemporaryFileRegistration& operator=(const TemporaryFileRegistration&) = delete;

private:
    int slot_ = -1;
};
