// Without a window system the warning is one line on stderr, written in a
// single call so that lines of concurrent writers do not interleave.
#include "platform/Warning.h"
#include "platform/WarningNative.h"

#include <cstdio>

void ShowNativeWarning(const std::string& text, void* /*parentWindow*/) {
    const std::string line = WarningLine(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}
