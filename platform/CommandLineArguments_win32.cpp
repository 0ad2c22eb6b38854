#include "platform/CommandLineArguments.h"

#include <memory>

#include "platform/TextEncoding.h"
#include "platform/WinApi.h"

#include <shellapi.h>

namespace {

struct ArgumentsFreer {
    void operator()(LPWSTR* arguments) const { LocalFree(arguments); }
};

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    int count = 0;
    const std::unique_ptr<LPWSTR, ArgumentsFreer> wide(CommandLineToArgvW(GetCommandLineW(), &count));
    // Only when the system cannot split its own command line: what main() got.
    if (!wide) return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(wide.get()[i]));
    return arguments;
}
