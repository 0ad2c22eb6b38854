#include "platform/CommandLineArguments.h"

// File names here are bytes, taken to be UTF-8 as the system hands them over.
std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}
