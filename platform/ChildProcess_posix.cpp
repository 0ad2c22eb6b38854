#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/ChildProcess.h"
#include "platform/Interrupts.h"

extern char** environ;

namespace {

class Pipe {
public:
    // Closed on exec, so that a program another thread starts meanwhile
    // does not hold the pipe open.
    Pipe() {
        if (pipe2(ends_, O_CLOEXEC) != 0) ends_[0] = ends_[1] = -1;
    }
    ~Pipe() {
        CloseRead();
        CloseWrite();
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool Ok() const { return ends_[0] >= 0; }
    int Read() const { return ends_[0]; }
    int Write() const { return ends_[1]; }
    void CloseRead() { Close(ends_[0]); }
    void CloseWrite() { Close(ends_[1]); }

private:
    static void Close(int& end) {
        if (end >= 0) close(end);
        end = -1;
    }
    int ends_[2] = {-1, -1};
};

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

ChildOutcome RunChildProcess(const std::string& program, const std::vector<std::string>& args,
                             const std::function<bool()>& interrupted) {
    ChildOutcome outcome;
    Pipe errors;
    if (!errors.Ok()) {
        outcome.problem = std::strerror(errno);
        return outcome;
    }
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(actions.Get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(actions.Get(), errors.Write(), STDERR_FILENO);

    std::vector<std::string> words;
    words.push_back(program);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), actions.Get(), nullptr, argv.data(), environ);
    errors.CloseWrite();
    if (spawned != 0) {
        outcome.problem = "cannot start " + program + ": " + std::strerror(spawned);
        return outcome;
    }
    outcome.started = true;
    const ChildProcessRegistration registration(child);
    char buffer[4096];
    bool told = false;
    for (;;) {
        if (!told && interrupted && interrupted()) {
            kill(child, SIGINT);
            told = true;
        }
        pollfd ready{errors.Read(), POLLIN, 0};
        const int events = poll(&ready, 1, 100);
        if (events == 0 || (events < 0 && errno == EINTR)) continue;
        const ssize_t got = read(errors.Read(), buffer, sizeof buffer);
        if (got > 0) {
            outcome.errorText.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            outcome.killed = true;
            return outcome;
        }
    }
    if (WIFEXITED(status)) {
        outcome.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome.killed = true;
        outcome.signal = WTERMSIG(status);
    }
    return outcome;
}
