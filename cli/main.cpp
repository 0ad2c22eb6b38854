// The dapple command-line host; everything but the standard streams and the
// way an interrupted run ends is in RunDappleCommand.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Terminal.h"
#include "platform/CommandLineArguments.h"
#include "platform/Interrupts.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args = CommandLineArguments(argc, argv);
    const CommandStreams streams{std::cout, std::cerr, StandardErrorIsTerminal()};
    const int code = RunDappleCommand(args, streams);
    // The command has cleaned up; the shell that ran it learns of the interrupt.
    if (InterruptRequested()) EndAsInterrupted();
    return code;
}
