// Running another program and waiting for it: what it wrote on its error
// stream and how it ended.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct ChildOutcome {
    bool started = false;  // false: `problem` says why it could not be started
    std::string problem;
    int exitCode = -1;      // when it ended by itself
    bool killed = false;    // it was ended by a signal (or, on Windows, by a crash)
    int signal = 0;         // which one, where the system says
    std::string errorText;  // all it wrote on its error stream
};

// Runs `program` with `args` (not including the program's name), its
// standard output thrown away and its standard input empty, and waits
// for it to end. Once `interrupted` (asked every tenth of a second) says
// yes, the program is interrupted as Ctrl+C would (on Windows Ctrl+C
// reaches every program of the console anyway, so it is left to that).
ChildOutcome RunChildProcess(const std::string& program, const std::vector<std::string>& args,
                             const std::function<bool()>& interrupted);
