#include "platform/Warning.h"

#include "platform/WarningNative.h"

#include <mutex>
#include <utility>

namespace {

// Function-local so that a warning shown during static initialisation of
// another file still finds them constructed.
std::mutex& SinkMutex() {
    static std::mutex mutex;
    return mutex;
}

WarningSink& Sink() {
    static WarningSink sink;
    return sink;
}

}  // namespace

std::string WarningLine(const std::string& text) {
    std::string line = std::string(kWarningCaption) + ": " + text;
    for (char& c : line) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    return line;
}

WarningSink SetWarningSink(WarningSink sink) {
    std::lock_guard<std::mutex> lock(SinkMutex());
    std::swap(Sink(), sink);
    return sink;
}

namespace {

WarningSink CurrentSink() {
    std::lock_guard<std::mutex> lock(SinkMutex());
    return Sink();
}

}  // namespace

void ShowNote(const std::string& text) {
    const WarningSink sink = CurrentSink();
    if (sink) sink(WarningLine(text));
}

void ShowWarning(const std::string& text, void* parentWindow) {
    const WarningSink sink = CurrentSink();
    if (sink) {
        sink(WarningLine(text));
        return;
    }
    ShowNativeWarning(text, parentWindow);
}
