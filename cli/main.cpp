// The dapple command-line host; everything but the standard streams is in
// RunDappleCommand.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Terminal.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CommandStreams streams{std::cout, std::cerr, StandardErrorIsTerminal()};
    return RunDappleCommand(args, streams);
}
