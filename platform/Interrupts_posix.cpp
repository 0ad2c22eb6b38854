#include <signal.h>
#include <unistd.h>

#include "platform/Interrupts.h"
#include "platform/InterruptsShared.h"

namespace {

void Tell(long long processId, int number) { kill(static_cast<pid_t>(processId), number); }

extern "C" void OnInterrupt(int number) {
    // The programs this one started stop with it, also when only this one was signalled.
    TellRegisteredChildren(Tell, number);
    if (!NoteInterrupt(number)) return;
    // The second one: the user will not wait.
    RemoveRegisteredTemporaryFiles();
    ::signal(number, SIG_DFL);
    ::raise(number);
}

}  // namespace

void RemoveFileInHandler(const char* path) { ::unlink(path); }

void CatchInterrupts() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Reads and writes in progress go on rather than fail with EINTR.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void EndAsInterrupted() {
    const int number = NotedInterruptSignal() != 0 ? NotedInterruptSignal() : SIGINT;
    ::signal(number, SIG_DFL);
    ::raise(number);
    _exit(128 + number);
}
